// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Runtime.h"

#include <QApplication>
#include <QFont>
#include <cstdio>
#include <cstdlib>
#include <typeinfo>
#include <utility>
#include <vector>

#include "platform/Accessibility.h"
#include "platform/Service.h"
#include "platform/Speech.h"
#include "platform/System.h"

namespace {

void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message);
void EndServices();

// Everything one run of the framework starts, in the order it starts it; the destructor ends
// it in reverse, whichever way the run ends. Held by a plain pointer, never by a static, so
// that an exit() from deep inside the toolkit finds nothing of ours to destroy out of order.
class Runtime {
 public:
  Runtime() : previousHandler(qInstallMessageHandler(OnQtMessage)) {
    static int argc = 1;
    static char name[] = "quendle";
    static char* argv[] = {name, nullptr};
    qt = std::make_unique<QApplication>(argc, argv);
    InstallAccessibleRules();
    QApplication::setApplicationName("Quendle");
    // The application quits through its Quit command, not when a window closes.
    QApplication::setQuitOnLastWindowClosed(false);
    QFont::insertSubstitution("Geneva", "DejaVu Sans");
  }

  ~Runtime() {
    ending = true;
    // Taken off the list before it ends, so that what it ends finds it gone.
    while (!states.empty()) {
      std::shared_ptr<void> last = std::move(states.back().second);
      states.pop_back();
      last.reset();
    }
    EndServices();
    qt.reset();
    qInstallMessageHandler(previousHandler);
  }

  const QtMessageHandler previousHandler;
  std::unique_ptr<QApplication> qt;
  // What the units keep for the run, in the order it was made.
  std::vector<std::pair<std::type_index, std::shared_ptr<void>>> states;
  bool ending = false;
  bool loopRunning = false;
  bool quitRequested = false;
  int32_t quitCode = 0;
};

Runtime* running = nullptr;

// Speech first: its worker may still be playing while the rest goes.
void EndServices() {
  Service<SpeechEngine>::Install(nullptr);
  Service<DialogService>::Install(nullptr);
  Service<BrowserService>::Install(nullptr);
  Service<SystemQueryService>::Install(nullptr);
  Service<ExecutableService>::Install(nullptr);
  Service<QuitService>::Install(nullptr);
}

// The toolkit ends the process with exit() once its display connection breaks, from inside
// the event loop; the widgets have nothing left to talk to, so only speech is ended here.
[[noreturn]] void DisplayLost(const QString& message) {
  std::fprintf(stderr, "Quendle has lost its display and ends: %s\n",
               message.toLocal8Bit().constData());
  Service<SpeechEngine>::Install(nullptr);
  std::fflush(stdout);
  std::_Exit(1);
}

// A toolkit that cannot start (no display, no platform plugin) says so in one line instead of
// aborting with a core dump.
void OnQtMessage(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtFatalMsg) {
    std::fprintf(stderr, "Quendle cannot start: %s\n", message.toLocal8Bit().constData());
    std::_Exit(1);
  }
  if (type == QtWarningMsg && message.contains("connection broke")) DisplayLost(message);
  QtMessageHandler previous = running ? running->previousHandler : nullptr;
  if (previous) {
    previous(type, context, message);
  } else {
    qt_message_output(type, context, message);
  }
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
    if (!running) return;
    running->quitRequested = true;
    running->quitCode = code;
    // Queued, so the handler that asked runs to its end first.
    if (running->loopRunning) {
      QMetaObject::invokeMethod(
          qApp, [code] { QCoreApplication::exit(code); }, Qt::QueuedConnection);
    }
  }
};

}  // namespace

std::unique_ptr<QuitService> QuitService::MakeDefault() { return std::make_unique<LoopQuit>(); }

void StartRun() {
  if (!HasDisplay()) {
    std::fprintf(stderr,
                 "Quendle needs a graphical display and found none (DISPLAY is not set): run it "
                 "from a desktop session, or under a virtual display with xvfb-run.\n");
    std::exit(1);
  }
  if (running) throw RuntimeException("the framework is already running");
  running = new Runtime;
}

void* FindOrMakeRunState(std::type_index type, std::shared_ptr<void> (*make)()) {
  if (!running) return nullptr;
  for (const auto& [kept, state] : running->states) {
    if (kept == type) return state.get();
  }
  // A run that is ending keeps nothing new.
  if (running->ending) return nullptr;
  return running->states.emplace_back(type, make()).second.get();
}

int32_t RuntimeRun() {
  if (!running) return 0;
  if (running->quitRequested) return running->quitCode;
  running->loopRunning = true;
  int32_t code = QApplication::exec();
  running->loopRunning = false;
  return code;
}

int32_t RuntimeExit(int32_t code) {
  // Still the running one while it ends: what it ends unregisters itself from it.
  delete running;
  running = nullptr;
  return code;
}

void Guarded(const std::function<void()>& code) {
  try {
    code();
  } catch (const std::exception& e) {
    UnhandledException(e);
  } catch (...) {
    UnhandledException(RuntimeException("an exception of unknown class"));
  }
}

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
