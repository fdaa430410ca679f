// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <QAction>
#include <QApplication>
#include <algorithm>
#include <array>
#include <cstdio>

#include "Cases.h"
#include "Harness.h"
#include "app/App.h"
#include "app/FileTypes.h"
#include "app/Startup.h"
#include "calculator/wMain.h"
#include "common/MenuBar1.h"
#include "common/mGlobals.h"
#include "platform/Files.h"
#include "platform/Service.h"

namespace {

struct MenuRow {
  const char* menu;
  const char* item;
  const char* itemClass;
  const char* text;
  const char* shortcut;
};

const MenuRow kMenus[] = {
    {"FileMenu", "FileQuit", "QuitMenuItem", "Quit Quendle", "Cmd+Q"},
    {"FileMenu", "FileAbout", "AppleMenuItem", "About Quendle", ""},
    {"EditMenu", "EditCopy", "MenuItem", "&Copy", "Cmd+C"},
    {"HelpMenu", "HelpHelp", "MenuItem", "Quendle Help", "Cmd+H"},
    {"HelpMenu", "HelpAbout", "MenuItem", "About Quendle", ""},
};

TEST(MenuBar, HoldsThreeMenusInOrderWithTheirItems) {
  AppHarness app;
  auto bar = Checked(App::Instance(), "app").MenuBar();
  ASSERT_EQ(bar, MenuBar1::Instance());
  ASSERT_EQ(bar->Count(), 3u);
  const char* names[] = {"FileMenu", "EditMenu", "HelpMenu"};
  const char* texts[] = {"&File", "&Edit", "Help"};
  for (size_t i = 0; i < 3; ++i) {
    EXPECT_EQ(bar->Item(i)->Name(), names[i]);
    EXPECT_EQ(bar->Item(i)->Text(), texts[i]);
    EXPECT_EQ(bar->Item(i)->KeyboardShortcut(), "");
    EXPECT_TRUE(bar->Item(i)->AutoEnable());
  }
  for (const MenuRow& row : kMenus) {
    SCOPED_TRACE(row.item);
    auto item = bar->Child(row.menu)->Child(row.item);
    ASSERT_TRUE(item);
    EXPECT_EQ(item->ClassName(), row.itemClass);
    EXPECT_EQ(item->Text(), row.text);
    EXPECT_EQ(item->KeyboardShortcut(), row.shortcut);
    EXPECT_TRUE(item->AutoEnable());
  }
  EXPECT_FALSE(HelpAbout()->Visible()) << "About shows only in the File menu";
  EXPECT_TRUE(FileAbout()->Visible());
  EXPECT_EQ(FileAbout()->Action()->shortcut().toString().toStdString(), "");
  EXPECT_EQ(FileQuit()->Action()->shortcut().toString().toStdString(), "Ctrl+Q");
  EXPECT_EQ(HelpHelp()->Action()->shortcut().toString().toStdString(), "Ctrl+H");
}

TEST(MenuBar, QuitReadsQuitUntilTheApplicationOpens) {
  // Built on its own, as start-up builds it before the application object opens.
  int argc = 1;
  char name[] = "quendle";
  char* argv[] = {name};
  QApplication qt(argc, argv);
  auto bar = MenuBar1::Instance();
  EXPECT_EQ(bar->Lookup("FileQuit")->Text(), "Quit");
  EXPECT_EQ(MenuBar1::Instance(), bar) << "a second call builds nothing";
  EXPECT_EQ(bar->Count(), 3u);
  EXPECT_EQ(mGlobals::sTheFont, "");
  EXPECT_EQ(mGlobals::iTheFontSize, 0);
  EXPECT_FALSE(mGlobals::bSpeech);
  MenuBar1::Release();
}

TEST(Startup, SetsTheSharedSettingsAndDeclaresThePlainTextType) {
  AppHarness app;
  EXPECT_EQ(mGlobals::sTheFont, "Geneva");
  EXPECT_EQ(mGlobals::iTheFontSize, 12);
  EXPECT_TRUE(mGlobals::bSpeech);
  EXPECT_EQ(FileQuit()->Text(), "Quit Quendle");
  ASSERT_EQ(DeclaredFileTypes().size(), 1u);
  const FileType& type = DeclaredFileTypes()[0];
  EXPECT_EQ(type.Name, "text/plain");
  EXPECT_EQ(type.Extensions,
            ".asc;.ascii;.bas;.c;.class;.cp;.cpp;.h;.hp;.hpp;.i3;.java;.m2;.m3;.mak;.text;.txt");
  EXPECT_EQ(type.MacType, "TEXT");
  EXPECT_EQ(type.MacCreator, "ttxt");
  // The calculator window is the only window that opens by itself.
  EXPECT_EQ(LiveWindows().size(), 1u);
  EXPECT_TRUE(GetImplicitWindow("wMain.wMain"));
}

TEST(Startup, AccessorsYieldTheSameObjects) {
  AppHarness app;
  EXPECT_EQ(wMain::Instance(), wMain::Instance());
  EXPECT_EQ(LiveWindows().size(), 1u);
  EXPECT_EQ(HelpHelp(), HelpHelp());
  EXPECT_EQ(FileQuit(), app.window().FileQuit());
  EXPECT_EQ(app.window().MenuBar(), MenuBar1::Instance());
  EXPECT_FALSE(app.window().UntitledMenu0());
}

TEST(Startup, MenusAreEnabledWhenTheyUpdate) {
  AppHarness app;
  for (const MenuRow& row : kMenus) MenuBar1::Instance()->Lookup(row.item)->SetEnabled(false);
  UpdateMenuItems();
  for (const MenuRow& row : kMenus) {
    EXPECT_TRUE(MenuBar1::Instance()->Lookup(row.item)->Enabled()) << row.item;
  }
}

// What start-up had done by the time the application's Open event refused the system.
struct Progress {
  size_t fileTypes;
  bool menuBarSet;
  bool helpHandled;
  bool calculatorOpen;
  size_t spoken;
};

class ProgressAtMessage : public DialogService {
 public:
  ProgressAtMessage(std::optional<Progress>& seen, const std::vector<Spoken>& spoken)
      : seen_(seen), spoken_(spoken) {}
  void MsgBox(const String&) override {
    seen_ = Progress{DeclaredFileTypes().size(),
                     GetAppObject() && GetAppObject()->MenuBar() == MenuBar1::Instance(),
                     GetAppObject() && GetAppObject()->HandleMenuItem("HelpHelp"),
                     GetImplicitWindow("wMain.wMain") != nullptr, spoken_.size()};
  }

 private:
  std::optional<Progress>& seen_;
  const std::vector<Spoken>& spoken_;
};

TEST(Startup, RunsItsStepsInOrder) {
  std::optional<Progress> seen;
  auto spoken = std::make_shared<std::vector<Spoken>>();
  auto quits = std::make_shared<std::vector<int32_t>>();
  Service<SpeechEngine>::Install(std::make_unique<RecordingSpeech>(spoken));
  Service<DialogService>::Install(std::make_unique<ProgressAtMessage>(seen, *spoken));
  Service<SystemQueryService>::Install(std::make_unique<FixedSystemQuery>(0x106F));
  Service<QuitService>::Install(std::make_unique<RecordingQuit>(quits));
  RunFrameworkInitialization(Startup);
  ASSERT_TRUE(seen) << "the version check ran";
  EXPECT_EQ(seen->fileTypes, 1u) << "file type declared first";
  EXPECT_TRUE(seen->menuBarSet) << "menus in place before the application opens";
  EXPECT_FALSE(seen->helpHandled) << "menu handlers come after the application opens";
  EXPECT_FALSE(seen->calculatorOpen) << "the window opens last";
  EXPECT_EQ(seen->spoken, 0u);
  EXPECT_TRUE(GetImplicitWindow("wMain.wMain"));
  EXPECT_EQ(*spoken, (std::vector<Spoken>{{"ready", false}}));
  ReleaseModuleReferences();
  RuntimeExit(0);
}

TEST(Startup, ANilObjectInAHandlerGoesToTheDefaultHandler) {
  AppHarness app;
  app.enableKeys();
  auto window = wMain::Instance();
  window->Close();
  // The key outlives its window's widgets: its handler finds the display gone.
  window->Find<PushButton>("PushButton6").Push();
  ASSERT_EQ(app.messages->size(), 1u);
  EXPECT_NE(app.messages->front().find("NilObjectException"), String::npos)
      << app.messages->front();
}

TEST(Startup, WithoutADisplaySaysSoAndFails) {
  String command =
      "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " QUENDLE_EXECUTABLE " 2>&1";
  FILE* run = popen(command.c_str(), "r");
  ASSERT_TRUE(run);
  String output;
  std::array<char, 256> buffer;
  while (fgets(buffer.data(), buffer.size(), run)) output += buffer.data();
  int status = pclose(run);
  ASSERT_TRUE(WIFEXITED(status)) << "no crash";
  EXPECT_EQ(WEXITSTATUS(status), 1);
  EXPECT_EQ(std::count(output.begin(), output.end(), '\n'), 1) << output;
  EXPECT_NE(output.find("display"), String::npos) << output;
}

struct VersionRow {
  const char* name;
  std::optional<int32_t> version;
  bool refused;
};

class VersionCheck : public testing::TestWithParam<VersionRow> {};

TEST_P(VersionCheck, RefusesSystemsOlderThanTenSeven) {
  // A failing query must not be judged by whatever the field held before.
  mGlobals::sysVersion = 0x1000;
  AppHarness app(GetParam().version);
  if (GetParam().refused) {
    ASSERT_EQ(app.messages->size(), 1u);
    EXPECT_EQ(app.messages->front(),
              "This program requires Mac OS X 10.7 or higher. Please visit the program home page "
              "at https://quendle.org/ for information about versions of this program for other "
              "systems.");
    EXPECT_EQ(*app.quits, std::vector<int32_t>{0});
  } else {
    EXPECT_TRUE(app.messages->empty());
    EXPECT_TRUE(app.quits->empty());
  }
  EXPECT_EQ(mGlobals::iTheFontSize, 12) << "set even when the quit is requested";
}

INSTANTIATE_TEST_SUITE_P(Versions, VersionCheck,
                         testing::Values(VersionRow{"TenSeven", 0x1070, false},
                                         VersionRow{"Newer", 0x10A0, false},
                                         VersionRow{"TenSixFifteen", 0x106F, true},
                                         VersionRow{"Negative", -1, true},
                                         VersionRow{"QueryFails", std::nullopt, false}),
                         ByName);

}  // namespace
