// SPDX-License-Identifier: GPL-3.0-or-later
// The operator keys. One operation per "=": operators do not chain.
#include "calculator/wMain.h"
#include "common/mGlobals.h"
#include "platform/Text.h"

void wMain::arithmeticKey(const char* word, const char* operation, const char* tapePrefix) {
  TextField& field = display();
  if (!mGlobals::bOperationSelected && !field.Text().empty()) {
    mGlobals::bOperationSelected = true;
    mGlobals::bSetForSec = true;
    mGlobals::bComputationComplete = false;
    sayKey(word);
    mGlobals::sOperation = operation;
    mGlobals::dPri = Val(field.Text());
    // The first operand stays shown until the second one begins.
    appendToTape(field.Text() + EndOfLine() + tapePrefix);
  }
  mGlobals::bInitialClick = false;
  focusDisplay();
}

void wMain::enterSign() const {
  sayKey("negative");
  TextField& field = display();
  field.SetText("-");
  field.SetSelStart(1);
}

void wMain::minusKey() {
  TextField& field = display();
  if (!mGlobals::bOperationSelected && mGlobals::bInitialClick && field.Text().empty()) {
    mGlobals::bOperationSelected = false;
    mGlobals::bSetForSec = false;
    mGlobals::bComputationComplete = false;
    enterSign();
  } else if (!mGlobals::bOperationSelected) {
    mGlobals::bOperationSelected = true;
    mGlobals::bSetForSec = true;
    mGlobals::bComputationComplete = false;
    sayKey("minus");
    mGlobals::sOperation = '-';
    mGlobals::dPri = Val(field.Text());
    appendToTape(field.Text() + EndOfLine() + "- ");
    field.SetText("");
  } else if (mGlobals::bSetForSec && !mGlobals::bComputationComplete) {
    // The second operand has not begun: this "-" is its sign.
    enterSign();
  }
  mGlobals::bInitialClick = false;
  focusDisplay();
}

void wMain::PushButton12_Action() { arithmeticKey("divide by", "/", "/ "); }
void wMain::PushButton13_Action() { arithmeticKey("times", "*", "x "); }
void wMain::PushButton14_Action() { minusKey(); }
void wMain::PushButton15_Action() { arithmeticKey("plus", "+", "+ "); }
