// SPDX-License-Identifier: GPL-3.0-or-later
// Starts Quendle as Main does and reports once the calculator window is shown and "ready" has
// been handed to the synthesiser.
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <cstdio>

#include "NativeAccess.h"
#include "app/Startup.h"
#include "calculator/wMain.h"
#include "platform/Application.h"
#include "platform/Service.h"
#include "platform/Speech.h"

namespace {

bool readyHanded = false;

// The real synthesiser, noting when "ready" reaches it.
class Noting : public SpeechEngine {
 public:
  void Speak(const String& text, bool interrupt) override {
    real_->Speak(text, interrupt);
    if (text == "ready") readyHanded = true;
  }

 private:
  std::unique_ptr<SpeechEngine> real_ = SpeechEngine::MakeDefault();
};

}  // namespace

int main() {
  Service<SpeechEngine>::Install(std::make_unique<Noting>());
  RunFrameworkInitialization(Startup);
  QApplication::processEvents();
  auto window = GetImplicitWindow("wMain.wMain");
  bool shown = window && NativeWindow(*window)->isVisible();
  std::printf("%s\n", shown && readyHanded ? "up" : "failed");
  std::fflush(stdout);
  _exit(0);
}
