// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Application.h"

#include <QApplication>

#include "platform/Controls.h"
#include "platform/Files.h"
#include "platform/Menus.h"
#include "platform/Service.h"
#include "platform/System.h"
#include "platform/Window.h"

namespace {

// The application object of a run.
struct AppObject {
  std::shared_ptr<Application> app;
};

void EnableByAutoEnable(MenuItem& item) {
  item.SetEnabled(item.AutoEnable());
  for (size_t i = 0; i < item.Count(); ++i) EnableByAutoEnable(*item.Item(i));
}

// AutoEnable items are enabled, then the application's and the front window's
// Event_EnableMenuItems have their say.
void EnableMenuItems() {
  auto app = GetAppObject();
  auto windows = LiveWindows();
  std::shared_ptr<Window> front = windows.empty() ? nullptr : windows.front();
  for (auto bar : {app ? app->MenuBar() : nullptr, front ? front->MenuBar() : nullptr}) {
    if (bar) EnableByAutoEnable(*bar);
  }
  if (app) app->Event_EnableMenuItems();
  if (front) front->Event_EnableMenuItems();
}

// Quit ends the application; any other item goes to the handler installed for it, and Copy
// that none handled copies from the text control that has the focus.
void CarryOutMenuItem(MenuItem& item) {
  if (dynamic_cast<QuitMenuItem*>(&item)) {
    Quit(0);
    return;
  }
  auto app = GetAppObject();
  if (app && app->HandleMenuItem(item.Name())) return;
  if (item.Name() == "EditCopy") {
    if (auto* text = dynamic_cast<TextControl*>(ControlOfWidget(QApplication::focusWidget()))) {
      text->Copy();
    }
  }
}

}  // namespace

Application::Application() = default;
Application::~Application() = default;

void Application::SetMenuBar(std::shared_ptr<::MenuBar> bar) { menuBar_ = std::move(bar); }

std::shared_ptr<FolderItem> Application::ExecutableFile() const {
  auto path = Service<ExecutableService>::Get().ExecutablePath();
  if (path.empty()) return nullptr;
  return std::make_shared<FolderItem>(path);
}

void Application::AddMenuHandler(const String& itemName, std::function<bool()> handler) {
  menuHandlers_.emplace_back(itemName, std::move(handler));
}

bool Application::HandleMenuItem(const String& itemName) {
  for (auto& [name, handler] : menuHandlers_) {
    if (name == itemName && handler()) return true;
  }
  return false;
}

void RunFrameworkInitialization(const std::function<void()>& startup) {
  StartRun();
  SetMenuEnableHandler(EnableMenuItems);
  SetMenuCommandHandler(CarryOutMenuItem);
  // Kept from the start, so the application object goes only once every window has.
  RunState<AppObject>();
  startup();
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
  auto& run = RunState<AppObject>();
  run.app = std::move(app);
  if (run.app) Guarded([&run] { run.app->Event_Open(); });
}

std::shared_ptr<Application> GetAppObject() {
  auto* run = RunStateOrNull<AppObject>();
  return run ? run->app : nullptr;
}
