// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "PulseSink.h"
#include "platform/Speech.h"

namespace {

using namespace std::chrono_literals;

// Without a voice or a loudspeaker the engine still takes every text at once, says why it is
// silent in one line, and shuts down.
struct Silent {
  const char* name;
  void (*setUp)(const std::string& scratch);
  const char* reason;
};
void PrintTo(const Silent& row, std::ostream* os) { *os << row.name; }

class SilentSpeech : public ::testing::TestWithParam<Silent> {};

TEST_P(SilentSpeech, SaysOnceWhyAndRunsOn) {
  const auto scratch =
      std::filesystem::temp_directory_path() / ("quendle-silent-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  GetParam().setUp(scratch);
  ::testing::internal::CaptureStderr();
  {
    auto engine = SpeechEngine::MakeDefault();
    for (const char* word : {"ready", "five", "six"}) engine->Speak(word, false);
    std::this_thread::sleep_for(200ms);  // lets the engine find out before more texts come
    for (const char* word : {"plus", "equals 11"}) engine->Speak(word, true);
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  std::filesystem::remove_all(scratch);
  RecordProperty("said", said);
  EXPECT_EQ(said.find("quendle: speech is unavailable: "), 0u) << said;
  EXPECT_NE(said.find(GetParam().reason), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(said.back(), '\n');
}

INSTANTIATE_TEST_SUITE_P(Unavailable, SilentSpeech,
                         ::testing::Values(Silent{"NoVoiceData",
                                                  [](const std::string& scratch) {
                                                    setenv("ESPEAK_DATA_PATH", scratch.c_str(), 1);
                                                  },
                                                  "espeak-ng"},
                                           Silent{"NoAudioOutput",
                                                  [](const std::string& scratch) {
                                                    setenv("PULSE_SERVER",
                                                           ("unix:" + scratch + "/none").c_str(),
                                                           1);
                                                    const std::string conf = scratch + "/alsa.conf";
                                                    std::ofstream{conf};
                                                    setenv("ALSA_CONFIG_PATH", conf.c_str(), 1);
                                                  },
                                                  "no audio output"}),
                         [](const auto& info) { return std::string(info.param.name); });

// The real engine playing into a sink of our own.
class AudibleSpeech : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const auto missing = PulseSink::MissingTools(); !missing.empty())
      GTEST_SKIP() << "not installed: " << missing;
    sink_ = std::make_unique<PulseSink>();
    ASSERT_EQ(sink_->failure(), "");
    engine_ = SpeechEngine::MakeDefault();
  }

  // Speaks the texts back to back and measures what is heard until the sink falls silent.
  double Hear(const std::vector<std::string>& texts, bool interrupt) {
    const size_t from = sink_->mark();
    for (const auto& text : texts) engine_->Speak(text, interrupt);
    EXPECT_TRUE(sink_->firstSound(from, 5s)) << "nothing heard of " << texts.front();
    sink_->waitForQuiet(400ms, 20s);
    return sink_->audibleSeconds(from);
  }

  std::unique_ptr<PulseSink> sink_;
  std::unique_ptr<SpeechEngine> engine_;
};

TEST_F(AudibleSpeech, QueuedWordsAreHeardInFullAndACutDropsThem) {
  double full = 0;
  for (const char* word : {"seven", "eight", "nine"}) full += Hear({word}, false);
  const double nine = Hear({"nine"}, false);
  ASSERT_GT(nine, 0.2);

  const double queued = Hear({"seven", "eight", "nine"}, false);
  const double cut = Hear({"seven", "eight", "nine"}, true);
  RecordProperty("heard", ::testing::PrintToString(std::vector{full, nine, queued, cut}));
  EXPECT_GT(queued, 0.9 * full);
  EXPECT_LT(cut, 0.6 * full);
  EXPECT_LT(cut, nine + 0.15);
}

TEST_F(AudibleSpeech, ACutSilencesTheWordsInProgress) {
  const std::string counting = "one two three four five six seven eight nine ten";
  const double whole = Hear({counting}, false);
  ASSERT_GT(whole, 2.0);

  const size_t from = sink_->mark();
  engine_->Speak(counting, false);
  ASSERT_TRUE(sink_->firstSound(from, 5s));
  std::this_thread::sleep_for(300ms);
  engine_->Speak("stop", true);
  sink_->waitForQuiet(400ms, 20s);
  const double heard = sink_->audibleSeconds(from);
  RecordProperty("heard", ::testing::PrintToString(std::vector{whole, heard}));
  EXPECT_LT(heard, 0.5 * whole);
}

}  // namespace
