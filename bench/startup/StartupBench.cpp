// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up time and peak memory of Quendle against a plain Qt window with the same menu bar
// holding the same kinds of widgets, run alternately in one go on the same display.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// An X server of the bench's own, so that both sides draw on a real display and none of them
// on the desktop's; none where Xvfb is missing.
class PrivateX {
 public:
  PrivateX() {
    int ready[2];
    if (pipe(ready) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      close(ready[0]);
      int quiet = open("/dev/null", O_WRONLY);
      dup2(quiet, STDOUT_FILENO);
      dup2(quiet, STDERR_FILENO);
      // Xvfb picks a free display and writes its number once it takes connections. Without
      // -noreset it would start afresh each time a side ends, and the next side wait for that.
      const std::string fd = std::to_string(ready[1]);
      execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-nolisten", "tcp", "-noreset", "-screen",
             "0", "1024x768x24", nullptr);
      _exit(127);
    }
    close(ready[1]);
    char number[16] = {};
    ssize_t got = pid_ > 0 ? read(ready[0], number, sizeof number - 1) : 0;
    close(ready[0]);
    if (got > 0) {
      display_ = std::string(":").append(number, std::strcspn(number, "\n"));
    } else {
      stop();
    }
  }
  ~PrivateX() { stop(); }
  PrivateX(const PrivateX&) = delete;
  PrivateX& operator=(const PrivateX&) = delete;

  // Empty without a server.
  const std::string& display() const { return display_; }

 private:
  void stop() {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
    pid_ = -1;
  }

  pid_t pid_ = -1;
  std::string display_;
};

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
  // Both sides on the same platform: a private X server; offscreen where there is none; or the
  // platform the caller names.
  std::unique_ptr<PrivateX> x;
  if (!getenv("QT_QPA_PLATFORM")) x = std::make_unique<PrivateX>();
  const bool onX = x && !x->display().empty();
  if (onX) {
    setenv("DISPLAY", x->display().c_str(), 1);
    setenv("QT_QPA_PLATFORM", "xcb", 1);
    // Where no session bus runs, neither side starts one: it would outlive the bench.
    setenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent", 0);
  } else {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
  }
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
  std::printf("start-up to window shown and \"ready\" handed over, %d rounds, %s\n", rounds,
              onX ? "on a private X server" : getenv("QT_QPA_PLATFORM"));
  std::printf("  quendle         median %8.1f ms   peak RSS %8.0f KiB\n", q, qm);
  std::printf("  plain widgets   median %8.1f ms   peak RSS %8.0f KiB\n", b, bm);
  std::printf("  ratio           time %.2f   memory %.2f   (target at most 1.2 each)\n", q / b,
              qm / bm);
}
