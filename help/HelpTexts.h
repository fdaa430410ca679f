// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Types.h"

// Each help topic's text, loaded from its file in "Resources" on the first call and kept for
// the life of the process; the empty text when the file or its folder is missing.
String ReadMeFirstMac0();
String ReadMeFirstMac1();
String ReadMeFirstMac2();
String ReadMeFirstMac3();
String ReadMeFirstMac4();
String ReadMeFirst6();
String ReadMeFirst7();
String ReadMeFirstMac8();

// Drops the cached texts at exit.
void ReleaseHelpTexts();
// Forgets every text and every load, as at process start, for a process that runs the program
// more than once.
void ForgetHelpTexts();
