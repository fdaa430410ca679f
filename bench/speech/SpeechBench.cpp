// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a spoken word is heard: from the engine's Speak to its first sound at the sink,
// against the espeak-ng command saying the same word through the same server, taken in turns.
#include <spawn.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "PulseSink.h"
#include "platform/Speech.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;
constexpr int kRounds = 15;
constexpr const char* kWord = "seven";

// Milliseconds from `say` to the first sound, or a negative figure when none came.
double Latency(const PulseSink& sink, const std::function<void()>& say) {
  sink.waitForQuiet(300ms, 10s);
  const size_t from = sink.mark();
  const auto start = PulseSink::Clock::now();
  say();
  const auto heard = sink.firstSound(from, 5s);
  if (!heard) return -1;
  return std::chrono::duration<double, std::milli>(*heard - start).count();
}

pid_t command = -1;  // the espeak-ng that speaks now

void SayByCommand() {
  char program[] = "espeak-ng", word[] = "seven";
  char* argv[] = {program, word, nullptr};
  if (posix_spawnp(&command, program, nullptr, nullptr, argv, environ) != 0) command = -1;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

}  // namespace

int main() {
  if (const auto missing = PulseSink::MissingTools(); !missing.empty()) {
    std::fprintf(stderr, "not installed: %s\n", missing.c_str());
    return 1;
  }
  PulseSink sink;
  if (!sink.failure().empty()) {
    std::fprintf(stderr, "%s\n", sink.failure().c_str());
    return 1;
  }
  auto engine = SpeechEngine::MakeDefault();
  const auto engineSays = [&] { engine->Speak(kWord, true); };
  // The first word opens the output; the figures are for a program already running.
  Latency(sink, engineSays);

  std::vector<double> ours, theirs;
  for (int round = 0; round < kRounds; ++round) {
    if (double ms = Latency(sink, engineSays); ms >= 0) ours.push_back(ms);
    if (double ms = Latency(sink, SayByCommand); ms >= 0) theirs.push_back(ms);
    if (command > 0) waitpid(command, nullptr, 0);
  }
  const double a = Median(ours), b = Median(theirs);
  std::printf("Speak to first sound:     median %.1f ms over %zu words\n", a, ours.size());
  std::printf("espeak-ng to first sound: median %.1f ms over %zu words\n", b, theirs.size());
  std::printf("ratio: %.2f (target at most 1)\n", b > 0 ? a / b : 0.0);
  return ours.size() == kRounds && theirs.size() == kRounds ? 0 : 1;
}
