// SPDX-License-Identifier: GPL-3.0-or-later
// The real program, offscreen, with its own espeak-ng engine playing into a sink of our own:
// what the keys say is measured in the recorded audio, against the same texts said in full by
// the same engine.
#include <gtest/gtest.h>

#include <algorithm>

#include "Harness.h"
#include "PulseSink.h"
#include "platform/Speech.h"

namespace {

using namespace std::chrono_literals;

// Long enough that a loaded machine's stall between two words is not taken for the end.
constexpr auto kQuiet = 800ms;

class HeardApp : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const auto missing = PulseSink::MissingTools(); !missing.empty())
      GTEST_SKIP() << "not installed: " << missing;
    sink_ = std::make_unique<PulseSink>();
    ASSERT_EQ(sink_->failure(), "");
    ready_ = HearWhile([this] { app_.emplace(std::nullopt, AppHarness::Speech::Real); });
    app_->enableKeys();
  }

  // What is heard from the start of `act` until the sink falls silent; zero when nothing came.
  template <class Act>
  double HearWhile(Act act) {
    const size_t from = sink_->mark();
    act();
    // The first word also waits for the engine to start.
    if (!sink_->firstSound(from, 20s)) return 0;
    sink_->waitForQuiet(kQuiet, 30s);
    return sink_->audibleSeconds(from);
  }

  // The yardstick: the text said alone and in full by the program's engine. The smaller of two
  // hearings, as a stray stall on a loaded machine only ever adds to what is measured.
  double Full(const String& text) {
    const double first = HearWhile([&] { Speak(text, false); });
    return std::min(first, HearWhile([&] { Speak(text, false); }));
  }

  void Press(std::initializer_list<const char*> keys) {
    for (const char* key : keys) app_->press(key);
  }

  std::unique_ptr<PulseSink> sink_;
  std::optional<AppHarness> app_;  // after the sink, so that it ends while the sink listens
  double ready_ = 0;
};

TEST_F(HeardApp, SaysReadyAsTheWindowOpens) {
  const double full = Full("ready");
  RecordProperty("heard", ::testing::PrintToString(std::vector{ready_, full}));
  ASSERT_GT(full, 0.2);
  EXPECT_GT(ready_, 0.8 * full);
}

TEST_F(HeardApp, ADigitKeySaysItsWord) {
  const double heard = HearWhile([&] { Press({"5"}); });
  const double full = Full("five");
  RecordProperty("heard", ::testing::PrintToString(std::vector{heard, full}));
  EXPECT_EQ(app_->display(), "5");
  ASSERT_GT(full, 0.2);
  EXPECT_GT(heard, 0.8 * full);
}

// Each keypad word cuts off the one before: of three quick keys mostly the last is heard.
TEST_F(HeardApp, QuickDigitKeysCutEachOtherOff) {
  const double heard = HearWhile([&] { Press({"7", "8", "9"}); });
  const double nine = Full("nine");
  const double all = Full("seven") + Full("eight") + nine;
  RecordProperty("heard", ::testing::PrintToString(std::vector{heard, nine, all}));
  EXPECT_EQ(app_->display(), "789");
  ASSERT_GT(nine, 0.2);
  EXPECT_LT(heard, 0.6 * all);
  EXPECT_GT(heard, 0.8 * nine);
}

// A typed character waits for the one before it.
TEST_F(HeardApp, TypedDigitsAreAllSaidInFull) {
  const double heard = HearWhile([&] { app_->type("123"); });
  const double all = Full("1") + Full("2") + Full("3");
  RecordProperty("heard", ::testing::PrintToString(std::vector{heard, all}));
  EXPECT_EQ(app_->display(), "123");
  ASSERT_GT(all, 0.6);
  EXPECT_GT(heard, 0.85 * all);
}

// A long result, so that hearing it is told apart from hearing "equals" alone.
TEST_F(HeardApp, EqualsSaysItselfAndTheResult) {
  HearWhile([&] { Press({"5", "x", "7"}); });
  const double heard = HearWhile([&] { Press({"="}); });
  const double equals = Full("equals"), full = Full("equals 35");
  RecordProperty("heard", ::testing::PrintToString(std::vector{heard, equals, full}));
  EXPECT_EQ(app_->display(), "35");
  ASSERT_GT(full, equals + 0.3);
  EXPECT_GT(heard, 0.8 * full);
  EXPECT_GT(heard, equals + 0.2);
}

// The framework starts and ends twice in one process, with the calculator window and the real
// engine each time: the second start neither hangs nor comes up mute.
TEST(HeardTwice, TheProgramStartsAgainInTheSameProcessAndSpeaks) {
  if (const auto missing = PulseSink::MissingTools(); !missing.empty())
    GTEST_SKIP() << "not installed: " << missing;
  PulseSink sink;
  ASSERT_EQ(sink.failure(), "");
  for (int run = 1; run <= 2; ++run) {
    SCOPED_TRACE("run " + std::to_string(run));
    const size_t opened = sink.mark();
    AppHarness app(std::nullopt, AppHarness::Speech::Real);
    ASSERT_TRUE(sink.firstSound(opened, 20s)) << "ready";
    sink.waitForQuiet(kQuiet, 30s);
    app.enableKeys();
    const size_t pressed = sink.mark();
    app.press("5");
    EXPECT_EQ(app.display(), "5");
    EXPECT_TRUE(sink.firstSound(pressed, 10s)) << "five";
  }
}

}  // namespace
