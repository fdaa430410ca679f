// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/App.h"

#include "common/HomePage.h"
#include "common/mGlobals.h"
#include "help/wAbout.h"
#include "help/wHelp.h"
#include "platform/System.h"

namespace {

constexpr int32_t kOldestSystem = 0x1070;  // Mac OS X 10.7

template <class T>
std::shared_ptr<T> AppItem(const char* name) {
  return LookupItem<T>(Checked(App::Instance(), "application object").MenuBar(), name);
}

}  // namespace

std::shared_ptr<App> App::Instance() { return std::dynamic_pointer_cast<App>(GetAppObject()); }

std::shared_ptr<MenuItem> HelpAbout() { return AppItem<MenuItem>("HelpAbout"); }
std::shared_ptr<MenuItem> HelpHelp() { return AppItem<MenuItem>("HelpHelp"); }
std::shared_ptr<AppleMenuItem> FileAbout() { return AppItem<AppleMenuItem>("FileAbout"); }
std::shared_ptr<QuitMenuItem> FileQuit() { return AppItem<QuitMenuItem>("FileQuit"); }

void App::Event_EnableMenuItems() {
  Checked(HelpHelp(), "HelpHelp").SetEnabled(true);
  Checked(FileAbout(), "FileAbout").SetEnabled(true);
}

void App::Event_Open() {
  mGlobals::sTheFont = "Geneva";
  Checked(FileQuit(), "FileQuit").SetText("Quit Quendle");
  mGlobals::bSpeech = true;
  Checked(HelpAbout(), "HelpAbout").SetVisible(false);
  SystemClass* system = System();
  if (!system) throw NilObjectException("System");
  if (system->Gestalt("sysv", mGlobals::sysVersion) && mGlobals::sysVersion < kOldestSystem) {
    MsgBox("This program requires Mac OS X 10.7 or higher. Please visit the program home page at " +
           HomePageURL + " for information about versions of this program for other systems.");
    Quit(0);
  }
  // Also after a quit request: the quit takes effect once this handler has returned.
  mGlobals::iTheFontSize = 12;
}

bool App::HelpHelp_Action() {
  Checked(wHelp::Instance(), "wHelp").Show();
  return false;
}

bool App::FileAbout_Action() {
  Checked(wAbout::Instance(), "wAbout").Show();
  return false;
}

bool App::HelpAbout_Action() { return FileAbout_Action(); }
