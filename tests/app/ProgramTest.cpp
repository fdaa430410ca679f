// SPDX-License-Identifier: GPL-3.0-or-later
// The real program in a real X window, on a server of our own.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <filesystem>
#include <sstream>

#include "Process.h"

namespace {

using namespace std::chrono_literals;

std::vector<std::string> LinesOf(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(RealProgram, EndsWithOneLineWhenTheDisplayDies) {
  if (const auto missing = MissingPrograms({"Xvfb", "xdotool"}); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  for (int run = 1; run <= 3; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    XServer x;
    ASSERT_EQ(x.failure(), "");
    OutputFile err;
    // Nothing else to say: no sound server to miss, a runtime folder of its own.
    char runtime[] = "/tmp/quendle-runtime-XXXXXX";
    ASSERT_TRUE(mkdtemp(runtime));
    const pid_t program = x.Launch({"env", "PULSE_SERVER=unix:/nonexistent",
                                    std::string("XDG_RUNTIME_DIR=") + runtime, QUENDLE_EXECUTABLE},
                                   err.fd());
    ASSERT_TRUE(x.XDoTool({"search", "--sync", "--name", "Quendle"})) << "no window came up";
    x.Kill();
    const int status = WaitStatus(program, 10s);
    std::filesystem::remove_all(runtime);
    ASSERT_NE(status, -1) << "still running";
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status) << ": " << err.text();
    EXPECT_NE(WEXITSTATUS(status), 0);
    std::vector<std::string> said;
    for (const auto& line : LinesOf(err.text()))
      if (line.rfind("quendle: speech is unavailable", 0) != 0) said.push_back(line);
    ASSERT_EQ(said.size(), 1u) << err.text();
    EXPECT_EQ(said[0].rfind("Quendle has lost its display and ends: ", 0), 0u) << said[0];
  }
}

}  // namespace
