// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"

#include "app/App.h"
#include "app/FileTypes.h"
#include "calculator/wMain.h"
#include "common/MenuBar1.h"
#include "common/mGlobals.h"
#include "help/HelpTexts.h"

int32_t Main() {
  int32_t code = 0;
  try {
    RunFrameworkInitialization(Startup);
    code = RuntimeRun();
  } catch (const RuntimeException& e) {
    UnhandledException(e);
  }
  return code;
}

void Startup() {
  InitFileTypes();
  NewAppInstance();
  ApplicationAddMenuHandlers();
  MakeDefaultView();
}

void InitFileTypes() { FileTypes::Initialize(); }

void NewAppInstance() {
  auto app = std::make_shared<App>();
  // The menus exist before the application object is registered.
  app->SetMenuBar(MenuBar1::Instance());
  RuntimeRegisterAppObject(app);
}

void ApplicationAddMenuHandlers() {
  App& app = Checked(App::Instance(), "application object");
  struct Row {
    const char* item;
    bool (App::*handler)();
  };
  for (const Row& row :
       {Row{"HelpHelp", &App::HelpHelp_Action}, Row{"FileAbout", &App::FileAbout_Action},
        Row{"HelpAbout", &App::HelpAbout_Action}}) {
    // Through the object's own virtual operation, as a subclass would override it.
    app.AddMenuHandler(row.item, [&app, handler = row.handler] { return (app.*handler)(); });
  }
}

void MakeDefaultView() { (void)wMain::Instance(); }

void ReleaseModuleReferences() {
  ReleaseHelpTexts();
  FileTypes::pTextPlain.reset();
  MenuBar1::Release();
  mGlobals::Release();
}
