// SPDX-License-Identifier: GPL-3.0-or-later
// Linked into every executable of a sanitizer build: leaks that belong to system libraries,
// not to this program, so that LeakSanitizer reports only ours. libdbus keeps a buffer of the
// accessibility bus connection for the life of the process.
extern "C" const char* __lsan_default_suppressions() { return "leak:libdbus-1.so\n"; }
extern "C" const char* __lsan_default_options() { return "print_suppressions=0"; }
