// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/mGlobals.h"

namespace mGlobals {

String sTheFont;
int32_t iTheFontSize;
bool bSpeech;
int32_t sysVersion;

double dPri;
double dSec;
double dResult;
String sOperation;
bool bOperationSelected;
bool bSetForSec;
bool bComputationComplete;
bool bClear;
bool bInitialClick;

void Release() {
  sTheFont.clear();
  sOperation.clear();
}

void Reset() {
  sTheFont.clear();
  iTheFontSize = 0;
  bSpeech = false;
  sysVersion = 0;
  dPri = dSec = dResult = 0;
  sOperation.clear();
  bOperationSelected = bSetForSec = bComputationComplete = bClear = bInitialClick = false;
}

}  // namespace mGlobals
