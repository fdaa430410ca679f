// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

// A program that says each line it is sent, started with its input on a pipe of ours.
class Probe {
 public:
  explicit Probe(std::vector<std::string> args);
  ~Probe();  // the end of its input ends it
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  bool started() const { return pid_ > 0; }
  pid_t pid() const { return pid_; }
  bool Say(const std::string& text) const;

 private:
  pid_t pid_ = -1;
  int input_ = -1;
};
