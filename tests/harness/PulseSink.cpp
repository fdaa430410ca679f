// SPDX-License-Identifier: GPL-3.0-or-later
#include "PulseSink.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "Process.h"

using namespace std::chrono_literals;

namespace {

constexpr short kLoud = 500;  // well above the null sink's silence, well below speech
constexpr size_t kFrame = PulseSink::kRate / 100;  // sound is judged in 10 ms frames

}  // namespace

std::string PulseSink::MissingTools() {
  return MissingPrograms({"pulseaudio", "pactl", "pacat", "parec"});
}

PulseSink::PulseSink(Recorder recorder) : recorded_(recorder == Recorder::On) {
  char dir[] = "/tmp/quendle-pulse-XXXXXX";
  if (!mkdtemp(dir)) {
    failure_ = "no temporary folder";
    return;
  }
  runtimeDir_ = dir;
  std::ofstream(runtimeDir_ + "/client.conf") << "autospawn = no\n";
  // This process's clients and the programs it starts find the server by address, with a
  // cookie and a client configuration of their own, and play to its sink alone.
  setenv("XDG_RUNTIME_DIR", runtimeDir_.c_str(), 1);
  setenv("PULSE_SERVER", ("unix:" + runtimeDir_ + "/pulse/native").c_str(), 1);
  setenv("PULSE_CLIENTCONFIG", (runtimeDir_ + "/client.conf").c_str(), 1);
  setenv("PULSE_COOKIE", (runtimeDir_ + "/cookie").c_str(), 1);
  unsetenv("PULSE_SINK");
  unsetenv("PULSE_SOURCE");
  if (startServer()) startClients();
}

void PulseSink::startClients() {
  if (!recorded_) return;
  keepAlive_ = Start({"pacat", "--playback", "-d", "nul", "--format=s16le",
                      "--rate=" + std::to_string(kRate), "--channels=1", "/dev/zero"});
  int pipe_[2];
  if (pipe(pipe_) != 0) {
    failure_ = "no pipe";
    return;
  }
  recorder_ = Start({"parec", "-d", "nul.monitor", "--format=s16le",
                     "--rate=" + std::to_string(kRate), "--channels=1", "--latency-msec=10"},
                    pipe_[1]);
  close(pipe_[1]);
  const size_t before = mark();
  reader_ = std::thread([this, fd = pipe_[0]] { record(fd); });
  // Recording has begun once the first samples arrive.
  std::unique_lock lock(mutex_);
  if (!grown_.wait_for(lock, std::chrono::seconds(5),
                       [&] { return samples_.size() > before + kFrame; }))
    failure_ = "the recorder heard nothing";
}

void PulseSink::restart() {
  kill(server_, SIGKILL);
  waitpid(server_, nullptr, 0);
  stopClients();
  if (startServer()) startClients();
}

void PulseSink::suspend(bool suspended) {
  if (Wait(Start({"pactl", "suspend-sink", "nul", suspended ? "1" : "0"}),
           std::chrono::seconds(5)) != 0)
    failure_ = "the sink could not be suspended";
}

void PulseSink::stopClients() {
  Stop(recorder_);
  if (reader_.joinable()) reader_.join();
  Stop(keepAlive_);
}

bool PulseSink::startServer() {
  // Nothing of the caller's session reaches the server: not the user's configuration nor
  // state (a home of its own, which root needs anyway), and no session bus, where a desktop's
  // own server already holds the names that ours would ask for.
  const char* path = std::getenv("PATH");
  server_ = Start({"env", "-i", "PATH=" + std::string(path ? path : "/usr/bin:/bin"),
                   "HOME=" + runtimeDir_, "XDG_CONFIG_HOME=" + runtimeDir_ + "/config",
                   "XDG_RUNTIME_DIR=" + runtimeDir_,
                   "DBUS_SESSION_BUS_ADDRESS=unix:path=" + runtimeDir_ + "/no-bus", "pulseaudio",
                   "--daemonize=no", "--system=false", "--exit-idle-time=-1", "--disallow-exit",
                   "-n", "--load=module-null-sink sink_name=nul",
                   "--load=module-native-protocol-unix auth-anonymous=1"});
  for (int tries = 0; tries < 100; ++tries) {
    if (Wait(Start({"pactl", "info"}), std::chrono::seconds(2)) == 0) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  failure_ = "the PulseAudio server did not start";
  return false;
}

PulseSink::~PulseSink() {
  stopClients();
  Stop(server_);
  if (!runtimeDir_.empty()) std::filesystem::remove_all(runtimeDir_);
}

void PulseSink::record(int fd) {
  char buffer[4096];
  size_t held = 0;  // bytes of a sample split between two reads
  ssize_t got;
  while ((got = read(fd, buffer + held, sizeof buffer - held)) > 0) {
    const size_t bytes = held + size_t(got), whole = bytes / 2;
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < whole; ++i) {
      short sample;
      std::memcpy(&sample, buffer + 2 * i, 2);
      samples_.push_back(sample);
    }
    held = bytes % 2;
    if (held) buffer[0] = buffer[bytes - 1];
    arrivals_.emplace_back(samples_.size(), Clock::now());
    grown_.notify_all();
  }
  close(fd);
}

size_t PulseSink::mark() const {
  std::lock_guard lock(mutex_);
  return samples_.size();
}

namespace {
bool LoudFrame(const std::vector<short>& samples, size_t at) {
  const auto end = samples.begin() + std::ptrdiff_t(std::min(samples.size(), at + kFrame));
  return std::any_of(samples.begin() + std::ptrdiff_t(at), end,
                     [](short s) { return std::abs(s) > kLoud; });
}
}  // namespace

void PulseSink::waitForQuiet(std::chrono::milliseconds quiet,
                             std::chrono::milliseconds limit) const {
  const size_t quietSamples = size_t(quiet.count()) * kRate / 1000;
  const auto until = Clock::now() + limit;
  std::unique_lock lock(mutex_);
  const size_t start = samples_.size();
  grown_.wait_until(lock, until, [&] {
    if (samples_.size() < start + quietSamples) return false;
    for (size_t at = samples_.size() - quietSamples; at + kFrame <= samples_.size(); at += kFrame)
      if (LoudFrame(samples_, at)) return false;
    return true;
  });
}

double PulseSink::audibleSeconds(size_t from) const {
  std::lock_guard lock(mutex_);
  size_t loud = 0;
  for (size_t at = from; at + kFrame <= samples_.size(); at += kFrame)
    loud += LoudFrame(samples_, at);
  return double(loud) * 0.01;
}

std::optional<PulseSink::Clock::time_point> PulseSink::firstSound(
    size_t from, std::chrono::milliseconds limit) const {
  std::unique_lock lock(mutex_);
  size_t at = from;
  auto found = [&] {
    for (; at < samples_.size(); ++at)
      if (std::abs(samples_[at]) > kLoud) return true;
    return false;
  };
  if (!grown_.wait_until(lock, Clock::now() + limit, found)) return std::nullopt;
  // The sample arrived with the read that brought it, this long after it was played.
  auto read = std::lower_bound(arrivals_.begin(), arrivals_.end(), at + 1,
                               [](const auto& a, size_t n) { return a.first < n; });
  return read->second - std::chrono::microseconds((read->first - at) * 1000000 / kRate);
}

bool PulseSink::waitForStreams(const std::string& application, int count,
                               std::chrono::milliseconds limit) const {
  const std::string line = "application.name = \"" + application + "\"";
  for (const auto until = Clock::now() + limit;; std::this_thread::sleep_for(50ms)) {
    OutputFile listing;
    if (Wait(Start({"pactl", "list", "sink-inputs"}, listing.fd()), 5s) == 0) {
      const std::string text = listing.text();
      int found = 0;
      for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++found;
      if (found == count) return true;
    }
    if (Clock::now() > until) return false;
  }
}
