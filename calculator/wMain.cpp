// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/wMain.h"

#include "common/Version.h"
#include "common/mGlobals.h"
#include "platform/Application.h"
#include "platform/Speech.h"

namespace {
constexpr const char* kClassName = "wMain.wMain";
constexpr int kKeyCount = 18;

String KeyName(int number) { return "PushButton" + std::to_string(number); }
}  // namespace

wMain::wMain() : Window(kClassName) {}

std::shared_ptr<wMain> wMain::Instance() { return ImplicitInstance<wMain>(kClassName); }

TextField& wMain::display() const { return Find<TextField>("efDisplay"); }
TextArea& wMain::tape() const { return Find<TextArea>("efHistory"); }

void wMain::appendToTape(const String& piece) const {
  TextArea& history = tape();
  history.SetText(history.Text() + piece);
}

void wMain::focusDisplay() const { display().SetFocus(); }

void wMain::sayKey(const String& word) {
  if (mGlobals::bSpeech) Speak(word, true);
}

void wMain::Event_Open() {
  Checked(Instance(), kClassName).SetTitle(kNameAndVersion);
  Speak("ready", false);
  mGlobals::bClear = true;
  mGlobals::bOperationSelected = false;
  mGlobals::bComputationComplete = false;
  mGlobals::bSetForSec = false;
  mGlobals::bInitialClick = true;
  Checked(Instance(), kClassName).mAppearanceUpdate();
  mGlobals::dPri = 0;
  mGlobals::dSec = 0;
  mGlobals::dResult = 0;
}

void wMain::mAppearanceUpdate() {
  for (int key = 1; key <= kKeyCount; ++key) {
    Find<PushButton>(KeyName(key)).SetTextFont(mGlobals::sTheFont);
  }
  tape().SetTextFont(mGlobals::sTheFont);
  display().SetTextFont(mGlobals::sTheFont);
  display().SetText("");
  display().SetFocus();
}

void wMain::Timer1_Action() {
  for (int key = 1; key <= kKeyCount; ++key) Find<PushButton>(KeyName(key)).SetEnabled(true);
}

void wMain::Event_EnableMenuItems() { Checked(FileAbout(), "FileAbout").SetEnabled(true); }

void wMain::Event_Close() { Quit(0); }

std::shared_ptr<MenuItem> wMain::HelpMenu() { return LookupItem<MenuItem>(MenuBar(), "HelpMenu"); }
std::shared_ptr<MenuItem> wMain::HelpAbout() {
  return LookupItem<MenuItem>(MenuBar(), "HelpAbout");
}
std::shared_ptr<MenuItem> wMain::HelpHelp() { return LookupItem<MenuItem>(MenuBar(), "HelpHelp"); }
std::shared_ptr<MenuItem> wMain::EditMenu() { return LookupItem<MenuItem>(MenuBar(), "EditMenu"); }
std::shared_ptr<MenuItem> wMain::EditCopy() { return LookupItem<MenuItem>(MenuBar(), "EditCopy"); }
std::shared_ptr<MenuItem> wMain::FileMenu() { return LookupItem<MenuItem>(MenuBar(), "FileMenu"); }
std::shared_ptr<AppleMenuItem> wMain::FileAbout() {
  return LookupItem<AppleMenuItem>(MenuBar(), "FileAbout");
}
std::shared_ptr<QuitMenuItem> wMain::FileQuit() {
  return LookupItem<QuitMenuItem>(MenuBar(), "FileQuit");
}
// The bar holds no such item, so this finds none; nothing calls it.
std::shared_ptr<MenuItem> wMain::UntitledMenu0() {
  return LookupItem<MenuItem>(MenuBar(), "UntitledMenu0");
}

// The keyboard focus stays on the display: a key that gets it hands it back.
void wMain::PushButton1_GotFocus() { focusDisplay(); }
void wMain::PushButton2_GotFocus() { focusDisplay(); }
void wMain::PushButton3_GotFocus() { focusDisplay(); }
void wMain::PushButton4_GotFocus() { focusDisplay(); }
void wMain::PushButton5_GotFocus() { focusDisplay(); }
void wMain::PushButton6_GotFocus() { focusDisplay(); }
void wMain::PushButton7_GotFocus() { focusDisplay(); }
void wMain::PushButton8_GotFocus() { focusDisplay(); }
void wMain::PushButton9_GotFocus() { focusDisplay(); }
void wMain::PushButton10_GotFocus() { focusDisplay(); }
void wMain::PushButton11_GotFocus() { focusDisplay(); }
void wMain::PushButton12_GotFocus() { focusDisplay(); }
void wMain::PushButton13_GotFocus() { focusDisplay(); }
void wMain::PushButton14_GotFocus() { focusDisplay(); }
void wMain::PushButton15_GotFocus() { focusDisplay(); }
void wMain::PushButton16_GotFocus() { focusDisplay(); }
void wMain::PushButton17_GotFocus() { focusDisplay(); }
void wMain::PushButton18_GotFocus() { focusDisplay(); }
