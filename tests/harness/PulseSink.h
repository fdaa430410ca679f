// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// A PulseAudio server of our own whose only output is a null sink, with a recorder on that
// sink's monitor: whatever a client plays there can be measured. Building one points this
// process's PulseAudio clients, and the programs it starts, at that server. It shares nothing
// with a sound server of the caller's session.
class PulseSink {
 public:
  using Clock = std::chrono::steady_clock;
  static constexpr int kRate = 22050;
  // Off: the server alone, with no client of its own.
  enum class Recorder { On, Off };

  // The programs this needs that are not installed, or the empty text.
  static std::string MissingTools();

  explicit PulseSink(Recorder recorder = Recorder::On);
  ~PulseSink();
  PulseSink(const PulseSink&) = delete;
  PulseSink& operator=(const PulseSink&) = delete;

  // The server is killed and started again at the same address, as a desktop restarts its
  // audio; the recording goes on from where it was.
  void restart();
  // Suspends the sink, or resumes it: what plays there stands still.
  void suspend(bool suspended);

  // Empty once the server runs and records; otherwise why not.
  const std::string& failure() const { return failure_; }
  pid_t server() const { return server_; }
  // Waits at most `limit` until the program named `application` has `count` playback streams
  // on the server; false when it still has another number.
  bool waitForStreams(const std::string& application, int count,
                      std::chrono::milliseconds limit) const;

  // Position in the recording from which later measurements start.
  size_t mark() const;
  // Waits until the sink has been silent for `quiet`, at most `limit`.
  void waitForQuiet(std::chrono::milliseconds quiet, std::chrono::milliseconds limit) const;
  // Time with sound in it, from `from` to now.
  double audibleSeconds(size_t from) const;
  // When the first sound after `from` reached the sink, waiting for it at most `limit`.
  std::optional<Clock::time_point> firstSound(size_t from, std::chrono::milliseconds limit) const;

 private:
  bool startServer();
  void startClients();
  void stopClients();
  void record(int fd);

  const bool recorded_;
  std::string runtimeDir_;
  std::string failure_;
  pid_t server_ = -1, keepAlive_ = -1, recorder_ = -1;
  std::thread reader_;
  mutable std::mutex mutex_;
  mutable std::condition_variable grown_;
  std::vector<short> samples_;
  // (samples recorded so far, when they arrived), one entry per read.
  std::vector<std::pair<size_t, Clock::time_point>> arrivals_;
};
