// SPDX-License-Identifier: GPL-3.0-or-later
// Digits, the point and keyboard entry into the display.
#include "calculator/wMain.h"
#include "common/mGlobals.h"
#include "platform/Speech.h"
#include "platform/Text.h"

namespace {

const char* const kDigitWords[] = {"zero", "one", "two",   "three", "four",
                                   "five", "six", "seven", "eight", "nine"};

// Typed characters that press an operator key, in the order they are tested.
const struct {
  const char* typed;
  const char* button;
} kOperatorKeys[] = {{"+", "PushButton15"},
                     {"-", "PushButton14"},
                     {"*", "PushButton13"},
                     {"=", "PushButton11"},
                     {"/", "PushButton12"}};

}  // namespace

void wMain::beginSecondOperand() const {
  if (!mGlobals::bSetForSec) return;
  TextField& field = display();
  // A lone "-" is the sign the minus key put there: entry goes on after it.
  if (field.Text() != "-") field.SetText("");
  mGlobals::bSetForSec = false;
}

void wMain::clearShownResult() const {
  TextField& field = display();
  if (mGlobals::bComputationComplete && !field.Text().empty()) {
    field.SetText("");
    mGlobals::bComputationComplete = false;
  }
}

void wMain::digitKey(int digit) {
  mGlobals::bClear = false;
  beginSecondOperand();
  clearShownResult();
  TextField& field = display();
  if (Len(field.Text()) < kEntryLimit) {
    sayKey(kDigitWords[digit]);
    field.SetText(field.Text() + char('0' + digit));
  }
  mGlobals::bInitialClick = false;
  focusDisplay();
}

void wMain::pointKey() {
  beginSecondOperand();
  TextField& field = display();
  if (Len(field.Text()) < kEntryLimit) {
    // Tested before a shown result is cleared: a result holding a point refuses the key.
    if (InStr(field.Text(), ".") < 1) {
      sayKey("point");
      clearShownResult();
      field.SetText(field.Text() + ".");
    } else {
      sayKey("decimal point already included");
    }
  }
  mGlobals::bInitialClick = false;
  focusDisplay();
}

bool wMain::efDisplay_KeyDown(const String& key) {
  for (const auto& op : kOperatorKeys) {
    if (key == op.typed) {
      Find<PushButton>(op.button).Push();
      return true;
    }
  }
  beginSecondOperand();
  clearShownResult();
  TextField& field = display();
  if (Len(field.Text()) >= kEntryLimit) return true;
  int32_t code = Asc(key);
  if ((key >= "0" && key <= "9") || code < 32 || code == 127) {
    // Typed keys are spoken as themselves and queue behind speech in progress.
    Speak(key, false);
    mGlobals::bClear = false;
    return false;
  }
  if (key == ".") {
    if (InStr(field.Text(), ".") < 1) {
      Speak("point", false);
      mGlobals::bClear = false;
      return false;
    }
    sayKey("decimal point is already included");
    return true;
  }
  return true;
}

// The display may lose the focus, to the tape for one.
void wMain::efDisplay_LostFocus() {}

// The tape is read-only: a key typed there only sends the focus back to the display.
bool wMain::efHistory_KeyDown(const String&) {
  focusDisplay();
  return false;
}

void wMain::PushButton1_Action() { digitKey(0); }
void wMain::PushButton2_Action() { digitKey(1); }
void wMain::PushButton3_Action() { digitKey(2); }
void wMain::PushButton4_Action() { digitKey(3); }
void wMain::PushButton5_Action() { digitKey(4); }
void wMain::PushButton6_Action() { digitKey(5); }
void wMain::PushButton7_Action() { digitKey(6); }
void wMain::PushButton8_Action() { digitKey(7); }
void wMain::PushButton9_Action() { digitKey(8); }
void wMain::PushButton10_Action() { digitKey(9); }
void wMain::PushButton16_Action() { pointKey(); }
