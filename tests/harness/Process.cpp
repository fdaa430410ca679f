// SPDX-License-Identifier: GPL-3.0-or-later
#include "Process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

bool Installed(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string dirs = path ? path : "/usr/bin:/bin";
  for (size_t start = 0; start <= dirs.size();) {
    size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    if (access((dirs.substr(start, end - start) + "/" + program).c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

std::string MissingPrograms(const std::vector<std::string>& programs) {
  std::string missing;
  for (const auto& program : programs)
    if (!Installed(program)) missing += (missing.empty() ? "" : ", ") + program;
  return missing;
}

pid_t Start(std::vector<std::string> args, int out, int err) {
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  const pid_t parent = getpid();
  pid_t pid = fork();
  if (pid != 0) return pid;
  prctl(PR_SET_PDEATHSIG, SIGKILL);
  if (getppid() != parent) _exit(127);
  int null = open("/dev/null", O_RDWR);
  dup2(null, 0);
  dup2(out >= 0 ? out : null, 1);
  dup2(err >= 0 ? err : null, 2);
  execvp(argv[0], argv.data());
  _exit(127);
}

int WaitStatus(pid_t pid, std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  int status = 0;
  while (waitpid(pid, &status, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > until) return -1;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return status;
}

int Wait(pid_t pid, std::chrono::milliseconds limit) {
  const int status = WaitStatus(pid, limit);
  return status != -1 && WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

void Stop(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGTERM);
  if (WaitStatus(pid, std::chrono::seconds(3)) == -1 && kill(pid, SIGKILL) == 0)
    waitpid(pid, nullptr, 0);
}

OutputFile::OutputFile() {
  char path[] = "/tmp/quendle-output-XXXXXX";
  fd_ = mkstemp(path);
  path_ = path;
}

OutputFile::~OutputFile() {
  close(fd_);
  unlink(path_.c_str());
}

std::string OutputFile::text() const {
  std::ifstream file(path_, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

XServer::XServer() {
  int pipe_[2];
  if (pipe(pipe_) != 0) {
    failure_ = "no pipe";
    return;
  }
  // Xvfb picks a free display and writes its number on the pipe once it takes clients.
  server_ = Start({"Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"},
                  pipe_[1]);
  close(pipe_[1]);
  std::string number;
  char c;
  while (read(pipe_[0], &c, 1) == 1 && c != '\n') number += c;
  close(pipe_[0]);
  if (number.empty()) {
    failure_ = "Xvfb did not start";
    return;
  }
  display_ = ":" + number;
}

XServer::~XServer() { Stop(server_); }

void XServer::Kill() {
  if (server_ <= 0) return;
  kill(server_, SIGKILL);
  waitpid(server_, nullptr, 0);
  server_ = -1;
}

pid_t XServer::Launch(std::vector<std::string> args, int err) const {
  args.insert(args.begin(),
              {"env", "-u", "WAYLAND_DISPLAY", "DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"});
  return Start(args, -1, err);
}

bool XServer::XDoTool(std::vector<std::string> args, std::chrono::milliseconds limit) const {
  args.insert(args.begin(), {"env", "DISPLAY=" + display_, "xdotool"});
  return Wait(Start(args), limit) == 0;
}
