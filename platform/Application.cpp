// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Application.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <typeinfo>

#include "platform/Files.h"
#include "platform/Menus.h"
#include "platform/Native.h"
#include "platform/Service.h"
#include "platform/System.h"

namespace {

std::unique_ptr<QApplication> qtApplication;
std::shared_ptr<Application> appObject;
bool loopRunning = false;
bool quitRequested = false;
int32_t quitCode = 0;
QtMessageHandler defaultMessageHandler = nullptr;

// A toolkit that cannot start (no display, no platform plugin) says so in one line instead of
// aborting with a core dump.
void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "Quendle cannot start: %s\n", message.toLocal8Bit().constData());
    std::_Exit(1);
  }
  if (defaultMessageHandler) defaultMessageHandler(type, context, message);
}

bool HasDisplay() {
  auto set = [](const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
  };
  return set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY");
}

class LoopQuit : public QuitService {
 public:
  void Quit(int32_t code) override {
    quitRequested = true;
    quitCode = code;
    // Queued, so the handler that asked runs to its end first.
    if (loopRunning) {
      QMetaObject::invokeMethod(
          qApp, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    }
  }
};

class ProcessExecutable : public ExecutableService {
 public:
  std::filesystem::path ExecutablePath() override {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
  }
};

}  // namespace

std::unique_ptr<ExecutableService> ExecutableService::MakeDefault() {
  return std::make_unique<ProcessExecutable>();
}
std::unique_ptr<QuitService> QuitService::MakeDefault() { return std::make_unique<LoopQuit>(); }

void Guarded(const std::function<void()>& code) {
  try {
    code();
  } catch (const std::exception& e) {
    UnhandledException(e);
  } catch (...) {
    UnhandledException(RuntimeException("an exception of unknown class"));
  }
}

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
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Quendle needs a graphical display and found none (DISPLAY is not set): run it "
                 "from a desktop session, or under a virtual display with xvfb-run.\n");
    std::exit(1);
  }
  // A second start in one process finds its own handler installed: chaining to it would loop.
  if (QtMessageHandler previous = qInstallMessageHandler(OnQtMessage); previous != OnQtMessage) {
    defaultMessageHandler = previous;
  }
  static int argc = 1;
  static char name[] = "quendle";
  static char* argv[] = {name, nullptr};
  qtApplication = std::make_unique<QApplication>(argc, argv);
  QApplication::setApplicationName("Quendle");
  // The application quits through its Quit command, not when a window closes.
  QApplication::setQuitOnLastWindowClosed(false);
  QFont::insertSubstitution("Geneva", "DejaVu Sans");
  startup();
}

int32_t RuntimeRun() {
  if (quitRequested) return quitCode;
  loopRunning = true;
  int32_t code = QApplication::exec();
  loopRunning = false;
  return code;
}

int32_t RuntimeExit(int32_t code) {
  DropAllWindows();
  appObject.reset();
  ReleaseMenuNatives();
  qtApplication.reset();
  return code;
}

void RuntimeRegisterAppObject(std::shared_ptr<Application> app) {
  appObject = std::move(app);
  if (appObject) Guarded([] { appObject->Event_Open(); });
}

std::shared_ptr<Application> GetAppObject() { return appObject; }

void UnhandledException(const std::exception& e) {
  auto* known = dynamic_cast<const RuntimeException*>(&e);
  String className = known ? known->ClassName() : String("std::exception");
  String text = "An unhandled " + className + " occurred: " + e.what();
  std::fprintf(stderr, "Quendle: %s\n", text.c_str());
  // The box itself must not raise into the caller's handler.
  try {
    MsgBox(text);
  } catch (...) {
  }
}

void Quit(int32_t code) { Service<QuitService>::Get().Quit(code); }
