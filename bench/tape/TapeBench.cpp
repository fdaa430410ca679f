// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of one "=" (handler and widget update) as the paper tape grows.
#include <QApplication>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "Recording.h"
#include "app/Startup.h"
#include "calculator/wMain.h"
#include "platform/Service.h"

namespace {

double MedianEqualsMicroseconds(wMain& window, int lines) {
  String tape;
  for (int i = 0; i < lines; ++i) tape += "1\n";
  window.Find<TextArea>("efHistory").SetText(tape);
  QApplication::processEvents();
  auto& equals = window.Find<PushButton>("PushButton11");
  std::vector<double> times;
  for (int i = 0; i < 31; ++i) {
    auto start = std::chrono::steady_clock::now();
    equals.Push();
    QApplication::processEvents();
    times.push_back(
        std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start)
            .count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

}  // namespace

int main() {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  auto spoken = std::make_shared<std::vector<Spoken>>();
  Service<SpeechEngine>::Install(std::make_unique<RecordingSpeech>(spoken));
  RunFrameworkInitialization(Startup);
  wMain& window = Checked(wMain::Instance(), "calculator window");
  const int sizes[] = {1000, 10000, 100000};
  std::vector<double> medians;
  std::printf("one \"=\" with a tape of n lines (median of 31)\n");
  for (int lines : sizes) {
    medians.push_back(MedianEqualsMicroseconds(window, lines));
    std::printf("  %7d lines  %10.1f us\n", lines, medians.back());
  }
  std::printf("  ratio 100000 / 1000: %.2f (target at most 3)\n", medians.back() / medians.front());
  ReleaseModuleReferences();
  return RuntimeExit(0);
}
