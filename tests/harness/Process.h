// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

// Programs that tests start. Each dies with the test process, so a test killed at its time-out
// leaves nothing behind.

// Whether the program is found on PATH.
bool Installed(const std::string& program);
// The programs of the list that are not installed, or the empty text.
std::string MissingPrograms(const std::vector<std::string>& programs);
// Starts a program with its standard output on `out` and its standard error on `err` (or
// /dev/null) and no input.
pid_t Start(std::vector<std::string> args, int out = -1, int err = -1);
// The wait status once the program has ended, or -1 when it is still running after `limit`.
int WaitStatus(pid_t pid, std::chrono::milliseconds limit);
// Its exit status; -1 when it is still running after `limit` or was ended by a signal.
int Wait(pid_t pid, std::chrono::milliseconds limit);
// Asks it to end, and kills it when it does not within a few seconds.
void Stop(pid_t pid);

// A temporary file to take a program's output; removed with the object.
class OutputFile {
 public:
  OutputFile();
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;
  int fd() const { return fd_; }
  // All that was written to it so far.
  std::string text() const;

 private:
  std::string path_;
  int fd_ = -1;
};

// An X server of our own (Xvfb) for the real program's window, started on a free display.
class XServer {
 public:
  XServer();
  ~XServer();
  XServer(const XServer&) = delete;
  XServer& operator=(const XServer&) = delete;

  // Empty once the server runs; otherwise why not.
  const std::string& failure() const { return failure_; }
  // As DISPLAY names it.
  const std::string& display() const { return display_; }
  // The server dies at once, as when it crashes.
  void Kill();
  // Starts a program whose windows show on this server, its standard error on `err`.
  pid_t Launch(std::vector<std::string> args, int err = -1) const;
  // Runs xdotool against this server; true when it succeeded within `limit`.
  bool XDoTool(std::vector<std::string> args,
               std::chrono::milliseconds limit = std::chrono::seconds(20)) const;

 private:
  std::string failure_, display_;
  pid_t server_ = -1;
};
