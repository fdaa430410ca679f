// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Types.h"

// Each help topic's text, loaded from its file in "Resources" on the first call and kept for
// the life of the process; the empty text when the file or its folder is missing. The text is
// handed out as the cache holds it: a text may be many megabytes.
const String& ReadMeFirstMac0();
const String& ReadMeFirstMac1();
const String& ReadMeFirstMac2();
const String& ReadMeFirstMac3();
const String& ReadMeFirstMac4();
const String& ReadMeFirst6();
const String& ReadMeFirst7();
const String& ReadMeFirstMac8();

// Drops the cached texts at exit.
void ReleaseHelpTexts();
// Forgets every text and every load, as at process start, for a process that runs the program
// more than once.
void ForgetHelpTexts();
