// SPDX-License-Identifier: GPL-3.0-or-later
// How soon a spoken word is heard: from handing it to a program already running to its first
// sound at the sink. Quendle's engine in a run of words, against espeak-ng's own playback
// started once, which keeps its output open; each in a program of its own, fed and recorded
// the same way, taken in turns. Also Quendle's first word after its output has rested, which
// opens the output again.
#include <algorithm>
#include <cstdio>
#include <vector>

#include "Probe.h"
#include "PulseSink.h"

namespace {

using namespace std::chrono_literals;
constexpr int kRounds = 15;
constexpr const char* kWord = "seven";

// Milliseconds from saying the word to its first sound, or a negative figure when none came.
double Latency(const PulseSink& sink, const Probe& probe) {
  sink.waitForQuiet(300ms, 10s);
  const size_t from = sink.mark();
  const auto start = PulseSink::Clock::now();
  if (!probe.Say(kWord)) return -1;
  const auto heard = sink.firstSound(from, 5s);
  if (!heard) return -1;
  return std::chrono::duration<double, std::milli>(*heard - start).count();
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
  const Probe quendle({QUENDLE_PROBE}), espeak({ESPEAK_PROBE});
  // The first word starts each program; the figures are for programs already running.
  Latency(sink, quendle);
  Latency(sink, espeak);

  std::vector<double> inRun, afterRest, theirs;
  const auto add = [](std::vector<double>& to, double ms) {
    if (ms >= 0) to.push_back(ms);
  };
  for (int round = 0; round < kRounds; ++round) {
    add(inRun, Latency(sink, quendle));
    add(theirs, Latency(sink, espeak));
    if (sink.waitForStreams("Quendle", 0, 10s)) add(afterRest, Latency(sink, quendle));
  }
  const double a = Median(inRun), b = Median(afterRest), c = Median(theirs);
  std::printf("Quendle, in a run of words:  median %.1f ms over %zu words\n", a, inRun.size());
  std::printf("Quendle, after a rest:       median %.1f ms over %zu words (%+.1f ms to open)\n", b,
              afterRest.size(), b - a);
  std::printf("espeak-ng's own playback:    median %.1f ms over %zu words (it never rests)\n", c,
              theirs.size());
  std::printf("ratio in a run: %.2f (target at most 1), after a rest: %.2f\n", c > 0 ? a / c : 0.0,
              c > 0 ? b / c : 0.0);
  const bool all =
      inRun.size() == kRounds && afterRest.size() == kRounds && theirs.size() == kRounds;
  return all ? 0 : 1;
}
