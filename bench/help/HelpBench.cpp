// SPDX-License-Identifier: GPL-3.0-or-later
// The help window with huge topic texts: the time to open it on one, to show one, to switch
// from one to a short topic, and the peak resident size. Each text runs in a process of its
// own, so that its peak is its own.
#include <sys/resource.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "NativeAccess.h"
#include "Recording.h"
#include "app/Startup.h"
#include "help/wHelp.h"
#include "platform/Service.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kMB = size_t(1) << 20;
constexpr int kRounds = 5;

String Unbroken(size_t size) { return String(size, 'x'); }

String Lines(size_t size) {
  const String line = "Type the first number, then an operator key, then the next number.\n";
  String text;
  text.reserve(size + line.size());
  while (text.size() < size) text += line;
  return text;
}

struct Case {
  const char* name;
  String (*make)(size_t);
  size_t size;
};

const Case kCases[] = {
    {"2 MB unbroken", Unbroken, 2 * kMB},
    {"8 MB of lines", Lines, 8 * kMB},
    {"50 MB of lines", Lines, 50 * kMB},
    {"50 MB unbroken", Unbroken, 50 * kMB},
};

double Milliseconds(const std::function<void()>& step) {
  auto start = std::chrono::steady_clock::now();
  step();
  QApplication::processEvents();  // the layout and painting of what the step changed
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
      .count();
}

double Median(std::vector<double> times) {
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

wHelp& OpenHelp() {
  auto help = wHelp::Instance();
  help->Show();
  return *help;
}

void Click(wHelp& help, const char* link) {
  QTest::mouseClick(qobject_cast<QWidget*>(NativeObject(help.Find<Control>(link))), Qt::LeftButton);
}

long PeakResidentMB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss / 1024;
}

// One text: the start page, and the topic "General Information"; "System Requirements" and
// "Support" are short.
int RunCase(const Case& c) {
  QTemporaryDir dir;
  fs::path root = dir.path().toStdString();
  fs::create_directories(root / "bin");
  fs::create_directories(root / "Resources");
  auto write = [&](const char* file, const String& text) {
    std::ofstream(root / "Resources" / file, std::ios::binary) << text;
  };
  String huge = c.make(c.size);
  write("ReadMeFirstMac0.txt", huge);
  write("ReadMeFirstMac1.txt", huge);
  write("ReadMeFirstMac2.txt", "System requirements: any desktop.\n");
  write("ReadMeFirst6.txt", "Support: write to us.\n");
  huge = String();

  Service<ExecutableService>::Install(std::make_unique<FixedExecutable>(root / "bin" / "quendle"));
  auto spoken = std::make_shared<std::vector<Spoken>>();
  Service<SpeechEngine>::Install(std::make_unique<RecordingSpeech>(spoken));
  RunFrameworkInitialization(Startup);

  std::vector<double> opens, shows, switches, shortSwitches;
  double firstOpen = Milliseconds([] { OpenHelp(); });  // reads the start page's file
  (void)QTest::qWaitForWindowExposed(NativeWindow(OpenHelp()));
  for (int i = 0; i < kRounds; ++i) {
    wHelp& help = OpenHelp();
    Click(help, "StaticText7");
    shows.push_back(Milliseconds([&] { Click(help, "StaticText2"); }));
    switches.push_back(Milliseconds([&] { Click(help, "StaticText7"); }));
    shortSwitches.push_back(Milliseconds([&] { Click(help, "StaticText3"); }));
    NativeWindow(help)->close();
    QApplication::processEvents();
    opens.push_back(Milliseconds([] { OpenHelp(); }));
  }
  std::printf("  %-15s %9.1f %9.1f %9.1f %9.1f %9.2f %7.1f %8ld\n", c.name, firstOpen,
              Median(opens), Median(shows), Median(switches), Median(shortSwitches),
              Median(switches) / Median(shortSwitches), PeakResidentMB());
  std::fflush(stdout);
  ReleaseModuleReferences();
  return RuntimeExit(0);
}

}  // namespace

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  if (argc == 2) return RunCase(kCases[std::atoi(argv[1])]);
  std::printf("help window, median of %d, times in ms; RSS: peak resident MB of the process\n",
              kRounds);
  std::printf("  %-15s %9s %9s %9s %9s %9s %7s %8s\n", "text", "1st open", "open", "show", "switch",
              "short sw", "ratio", "peak RSS");
  std::fflush(stdout);
  for (size_t i = 0; i < std::size(kCases); ++i) {
    const String command = String("'").append(argv[0]) + "' " + std::to_string(i) + " 2>/dev/null";
    if (std::system(command.c_str()) != 0) std::printf("  %s: failed\n", kCases[i].name);
  }
  std::printf("  ratio: switch from the text / switch between two short texts\n");
  std::printf("  target: every switch under 100 ms, open and show within 1000 ms\n");
  return 0;
}
