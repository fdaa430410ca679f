// SPDX-License-Identifier: GPL-3.0-or-later
// The real program in a real X window, speaking into a sound server of our own that fails
// under it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <thread>
#include <utility>

#include "Process.h"
#include "PulseSink.h"

namespace {

using namespace std::chrono_literals;

#ifdef QUENDLE_SANITIZED
// The leak check that a sanitizer build runs at exit takes a few tenths of a second itself.
constexpr auto kQuitBound = 2s;
#else
constexpr auto kQuitBound = 500ms;
#endif

class ProgramAudio : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto missing = PulseSink::MissingTools() + MissingPrograms({"Xvfb", "xdotool"});
    if (!missing.empty()) GTEST_SKIP() << "not installed: " << missing;
    sink_ = std::make_unique<PulseSink>();
    ASSERT_EQ(sink_->failure(), "");
    x_ = std::make_unique<XServer>();
    ASSERT_EQ(x_->failure(), "");
    const size_t from = sink_->mark();
    program_ = x_->Launch({QUENDLE_EXECUTABLE}, err_.fd());
    ASSERT_TRUE(x_->XDoTool({"search", "--sync", "--name", "Quendle"})) << "no window came up";
    ASSERT_TRUE(sink_->firstSound(from, 20s)) << "ready";
    sink_->waitForQuiet(500ms, 20s);
    std::this_thread::sleep_for(1s);  // the keys take clicks a second after the window opens
  }
  void TearDown() override {
    if (program_ > 0) Stop(program_);
  }

  bool Key(const std::string& key) { return x_->XDoTool({"key", key}); }

  std::unique_ptr<PulseSink> sink_;
  std::unique_ptr<XServer> x_;
  OutputFile err_;
  pid_t program_ = -1;
};

TEST_F(ProgramAudio, SpeaksAgainOnceTheSoundServerIsBack) {
  // The server goes while a word plays, and the program finds its output gone; within a few
  // seconds a key is heard again.
  const size_t playing = sink_->mark();
  ASSERT_TRUE(Key("5"));
  ASSERT_TRUE(sink_->firstSound(playing, 5s));
  sink_->restart();
  ASSERT_EQ(sink_->failure(), "");
  bool heard = false;
  for (int tries = 0; tries < 8 && !heard; ++tries) {
    const size_t from = sink_->mark();
    ASSERT_TRUE(Key("5"));
    heard = sink_->firstSound(from, 1500ms).has_value();
  }
  EXPECT_TRUE(heard);
  ASSERT_TRUE(Key("ctrl+q"));
  ASSERT_EQ(Wait(std::exchange(program_, -1), 10s), 0) << err_.text();
  const std::string said = err_.text();
  EXPECT_NE(said.find("quendle: speech is unavailable: "), std::string::npos) << said;
  EXPECT_NE(said.find("quendle: speech is available again\n"), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
}

TEST_F(ProgramAudio, LeavesNoStreamRunningWhileIdleAndSpeaksAtOnceAfterwards) {
  const auto streams = [this](int count) { return sink_->waitForStreams("Quendle", count, 5s); };
  EXPECT_TRUE(streams(0)) << "a stream still open a few seconds after ready";
  const size_t from = sink_->mark();
  ASSERT_TRUE(Key("5"));
  EXPECT_TRUE(sink_->firstSound(from, 1s)) << "the first key after the rest";
  EXPECT_TRUE(streams(1));
  EXPECT_TRUE(streams(0)) << "let go again";
  ASSERT_TRUE(Key("ctrl+q"));
  ASSERT_EQ(Wait(std::exchange(program_, -1), 10s), 0);
  EXPECT_EQ(err_.text(), "");
}

TEST_F(ProgramAudio, QuitEndsTheProcessWhileTheSoundOutputIsStuck) {
  sink_->suspend(true);
  ASSERT_EQ(sink_->failure(), "");
  for (const char* key : {"5", "6", "plus", "7", "Return"}) ASSERT_TRUE(Key(key));
  std::this_thread::sleep_for(500ms);
  ASSERT_TRUE(Key("ctrl+q"));
  const pid_t program = std::exchange(program_, -1);
  const int status = WaitStatus(program, kQuitBound);
  EXPECT_NE(status, -1) << "still running after Quit";
  if (status == -1) Stop(program);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << err_.text();
}

}  // namespace
