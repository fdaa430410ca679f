// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory of Quendle against a plain Qt window holding the same kinds of
// widgets, run alternately in one go.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Run {
  double milliseconds;
  long peakKiB;
};

// From spawning the process to its "up" line.
Run Measure(const char* program) {
  int out[2];
  if (pipe(out) != 0) std::exit(1);
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    dup2(out[1], STDOUT_FILENO);
    close(out[0]);
    execl(program, program, nullptr);
    _exit(127);
  }
  close(out[1]);
  char line[16] = {};
  ssize_t got = read(out[0], line, sizeof line - 1);
  auto end = std::chrono::steady_clock::now();
  close(out[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  if (got <= 0 || std::string(line).rfind("up", 0) != 0) {
    std::fprintf(stderr, "%s did not come up: %s\n", program, line);
    std::exit(1);
  }
  return {std::chrono::duration<double, std::milli>(end - start).count(), usage.ru_maxrss};
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  int rounds = argc > 1 ? std::atoi(argv[1]) : 21;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::vector<double> quendleMs, bareMs, quendleKiB, bareKiB;
  Measure(QUENDLE_PROBE);  // warm the file cache for both
  Measure(BARE_PROBE);
  for (int i = 0; i < rounds; ++i) {
    Run q = Measure(QUENDLE_PROBE);
    Run b = Measure(BARE_PROBE);
    quendleMs.push_back(q.milliseconds);
    bareMs.push_back(b.milliseconds);
    quendleKiB.push_back(double(q.peakKiB));
    bareKiB.push_back(double(b.peakKiB));
  }
  double q = Median(quendleMs), b = Median(bareMs);
  double qm = Median(quendleKiB), bm = Median(bareKiB);
  std::printf("start-up to window shown and \"ready\" handed over, %d rounds\n", rounds);
  std::printf("  quendle         median %8.1f ms   peak RSS %8.0f KiB\n", q, qm);
  std::printf("  plain widgets   median %8.1f ms   peak RSS %8.0f KiB\n", b, bm);
  std::printf("  ratio           time %.2f   memory %.2f   (target at most 1.2 each)\n", q / b,
              qm / bm);
}
