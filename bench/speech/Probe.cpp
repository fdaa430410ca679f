// SPDX-License-Identifier: GPL-3.0-or-later
#include "Probe.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

Probe::Probe(std::vector<std::string> args) {
  int pipe_[2];
  // Close-on-exec, so that no other program holds its input open.
  if (pipe2(pipe_, O_CLOEXEC) != 0) return;
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_[0], 0);
  if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_[0]);
  input_ = pipe_[1];
}

Probe::~Probe() {
  if (input_ >= 0) close(input_);
  if (pid_ > 0) waitpid(pid_, nullptr, 0);
}

bool Probe::Say(const std::string& text) const {
  const std::string line = text + "\n";
  return write(input_, line.data(), line.size()) == ssize_t(line.size());
}
