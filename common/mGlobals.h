// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Types.h"

// Process-wide state. No initialiser: every field starts as 0, false or empty, as at a real
// start, until the application's and the calculator window's handlers set it.
namespace mGlobals {

// Shared settings, set when the application opens.
extern String sTheFont;
extern int32_t iTheFontSize;
extern bool bSpeech;
extern int32_t sysVersion;  // packed: 0x1070 is 10.7

// Calculator state, read and written by the calculator window's handlers only.
extern double dPri;        // first operand; after "=", the result carried on
extern double dSec;        // second operand
extern double dResult;     // result of the "=" being handled, 0 at every other time
extern String sOperation;  // "", "+", "-", "*" or "/"
extern bool bOperationSelected;
extern bool bSetForSec;
extern bool bComputationComplete;
extern bool bClear;
extern bool bInitialClick;

// Releases the module's strings at exit.
void Release();
// Every field back to 0, false or empty, as at process start, for a process that runs the
// program more than once.
void Reset();

}  // namespace mGlobals
