// SPDX-License-Identifier: GPL-3.0-or-later
// What an idle Quendle costs the sound server: its wakeups (context switches of all its
// threads) and CPU time over a stretch in which nothing is said, once Quendle's engine has let
// its output rest, against the same server with no Quendle. For scale, also with the engine
// holding its output open all along; it does so for the two seconds after each word.
#include <dirent.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <thread>

#include "Probe.h"
#include "PulseSink.h"

namespace {

using namespace std::chrono_literals;
constexpr auto kStretch = 30s;

struct Usage {
  long wakeups = 0;
  double cpuMs = 0;
};

// Summed over the server's threads: context switches, and time on a processor.
Usage Measure(pid_t pid) {
  Usage usage;
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task/";
  DIR* dir = opendir(tasks.c_str());
  if (!dir) return usage;
  while (const dirent* task = readdir(dir)) {
    if (task->d_name[0] == '.') continue;
    std::ifstream status(tasks + task->d_name + "/status");
    for (std::string line; std::getline(status, line);)
      if (line.find("ctxt_switches:") != std::string::npos)
        usage.wakeups += std::stol(line.substr(line.find(':') + 1));
    long long ns = 0;
    std::ifstream(tasks + task->d_name + "/schedstat") >> ns;
    usage.cpuMs += double(ns) / 1e6;
  }
  closedir(dir);
  return usage;
}

// The server's cost over the stretch, once Quendle (started with `args`, or none when empty)
// has said a word and let its output go, or has had a few seconds to.
Usage Idle(const PulseSink& sink, const std::vector<std::string>& args) {
  std::unique_ptr<Probe> quendle;
  if (!args.empty()) {
    quendle = std::make_unique<Probe>(args);
    quendle->Say("ready");
    sink.waitForStreams("Quendle", 1, 10s);
  }
  sink.waitForStreams("Quendle", 0, 5s);
  std::this_thread::sleep_for(1s);  // the clients that asked are gone
  const Usage before = Measure(sink.server());
  std::this_thread::sleep_for(kStretch);
  const Usage after = Measure(sink.server());
  return {after.wakeups - before.wakeups, after.cpuMs - before.cpuMs};
}

}  // namespace

int main() {
  if (const auto missing = PulseSink::MissingTools(); !missing.empty()) {
    std::fprintf(stderr, "not installed: %s\n", missing.c_str());
    return 1;
  }
  const PulseSink sink(PulseSink::Recorder::Off);
  if (!sink.failure().empty()) {
    std::fprintf(stderr, "%s\n", sink.failure().c_str());
    return 1;
  }
  const long seconds = std::chrono::seconds(kStretch).count();
  const Usage none = Idle(sink, {}), resting = Idle(sink, {QUENDLE_PROBE}),
              holding = Idle(sink, {QUENDLE_PROBE, "3600000"});
  const auto print = [&](const char* what, const Usage& u) {
    std::printf("%-36s %6ld wakeups, %7.1f ms of CPU per %ld s\n", what, u.wakeups, u.cpuMs,
                seconds);
  };
  print("no Quendle:", none);
  print("Quendle at rest after a word:", resting);
  print("Quendle holding its output open:", holding);
  std::printf("ratio Quendle at rest / none: wakeups %.2f, CPU %.2f (target about 1)\n",
              double(resting.wakeups) / double(std::max(none.wakeups, 1L)),
              resting.cpuMs / std::max(none.cpuMs, 0.1));
}
