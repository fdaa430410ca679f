// SPDX-License-Identifier: GPL-3.0-or-later
// "=", the paper tape's result lines, and the clear keys.
#include <limits>

#include "calculator/wMain.h"
#include "common/mGlobals.h"
#include "platform/Text.h"

namespace {

// Any line past the end shows the end: a tape can grow beyond any fixed line number.
constexpr int32_t kTapeEnd = std::numeric_limits<int32_t>::max();

double Compute(const String& operation, double first, double second) {
  if (operation == "+") return first + second;
  if (operation == "-") return first - second;
  if (operation == "*") return first * second;
  return first / second;  // IEEE 754: a zero divisor gives an infinity, 0 / 0 NaN
}

}  // namespace

void wMain::equalsKey() {
  using namespace mGlobals;
  const String eol = EndOfLine();
  TextField& field = display();
  bComputationComplete = true;
  if (!field.Text().empty()) appendToTape(field.Text() + eol);
  if (bClear) {
    // Nothing typed since the window opened or was cleared: 0 + 0.
    dPri = 0;
    sOperation = '+';
    dSec = 0;
    appendToTape("0" + eol + "+ 0" + eol);
  } else {
    if (!sOperation.empty()) {
      dSec = Val(field.Text());
    } else {
      if (!field.Text().empty()) dPri = Val(field.Text());
      sOperation = '+';
      dSec = 0;
      appendToTape("+ 0" + eol);
    }
    dResult = Compute(sOperation, dPri, dSec);
  }
  if (sOperation == "/" && dSec == 0) sayKey("INFINITY");
  sOperation.clear();
  bOperationSelected = false;
  bSetForSec = false;
  const String result = Str(dResult);
  appendToTape(String(size_t(Len(result)) + 1, '-') + eol + result + eol + eol);
  tape().SetScrollPosition(kTapeEnd);
  field.SetText(result);
  sayKey("equals " + result);
  dPri = dResult;
  dSec = 0;
  dResult = 0;
  bInitialClick = true;
  focusDisplay();
}

void wMain::clearKey(const char* word, bool clearTape) {
  using namespace mGlobals;
  sayKey(word);
  bOperationSelected = false;
  bSetForSec = false;
  bComputationComplete = false;
  bClear = true;
  dPri = 0;
  dSec = 0;
  dResult = 0;
  sOperation.clear();
  if (clearTape) tape().SetText("");
  display().SetText("");
  bInitialClick = true;
  focusDisplay();
}

void wMain::PushButton11_Action() { equalsKey(); }
void wMain::PushButton17_Action() { clearKey("clear work area", false); }
void wMain::PushButton18_Action() { clearKey("clear all", true); }
