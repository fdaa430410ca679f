// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <condition_variable>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <thread>

#include "Cases.h"
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
class SilentSpeech : public ::testing::TestWithParam<Silent> {};

void SaysOnceWhy(const Silent& row) {
  const auto scratch =
      std::filesystem::temp_directory_path() / ("quendle-silent-" + std::to_string(getpid()));
  std::filesystem::create_directories(scratch);
  row.setUp(scratch);
  ::testing::internal::CaptureStderr();
  {
    auto engine = SpeechEngine::MakeDefault();
    for (const char* word : {"ready", "five", "six"}) engine->Speak(word, false);
    std::this_thread::sleep_for(200ms);  // lets the engine find out before more texts come
    for (const char* word : {"plus", "equals 11"}) engine->Speak(word, true);
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  std::filesystem::remove_all(scratch);
  EXPECT_EQ(said.find("quendle: speech is unavailable: "), 0u) << said;
  EXPECT_NE(said.find(row.reason), std::string::npos) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
  EXPECT_EQ(said.back(), '\n');
}

TEST_P(SilentSpeech, SaysOnceWhyAndRunsOn) {
  // espeak-ng starts once per process, so only a process of its own can still find the voice
  // data missing; it also keeps the case's environment to itself.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  EXPECT_EXIT(
      {
        SaysOnceWhy(GetParam());
        std::_Exit(::testing::Test::HasFailure() ? 1 : 0);
      },
      ::testing::ExitedWithCode(0), "");
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
                         ByName);

// A stand-in for the sound output: counts what is played into it, and can be told to have no
// output, to fail its writes, or to block a write until released.
enum class Audio { Works, Absent, WritesFail, WriteBlocks };

class StandInAudio {
 public:
  explicit StandInAudio(Audio mode) : state_(std::make_shared<State>()) { state_->mode = mode; }

  std::unique_ptr<AudioDevice> Device() const { return std::make_unique<Device_>(state_); }
  void Become(Audio mode) {
    std::lock_guard lock(state_->mutex);
    state_->mode = mode;
    state_->changed.notify_all();
  }
  struct Counts {
    int opens = 0, failedWrites = 0, blocked = 0, live = 0, drains = 0;
    size_t samples = 0;
  };
  Counts counts() const {
    std::lock_guard lock(state_->mutex);
    return state_->counts;
  }
  template <class Until>
  bool WaitFor(Until until, std::chrono::milliseconds limit) const {
    std::unique_lock lock(state_->mutex);
    return state_->changed.wait_for(lock, limit, [&] { return until(state_->counts); });
  }

 private:
  struct State {
    std::mutex mutex;
    std::condition_variable changed;
    Audio mode;
    Counts counts;
  };
  class Output_ : public AudioOutput {
   public:
    explicit Output_(std::shared_ptr<State> state) : state_(std::move(state)) {}
    ~Output_() override {
      Note([](Counts& c) { --c.live; });
    }
    bool Write(const short*, size_t count) override {
      std::unique_lock lock(state_->mutex);
      if (state_->mode == Audio::WriteBlocks) {
        ++state_->counts.blocked;
        state_->changed.notify_all();
        state_->changed.wait(lock, [this] { return state_->mode != Audio::WriteBlocks; });
      }
      if (state_->mode == Audio::WritesFail) {
        ++state_->counts.failedWrites;
        state_->changed.notify_all();
        return false;
      }
      state_->counts.samples += count;
      state_->changed.notify_all();
      return true;
    }
    void Drop() override {}
    void Drain() override {
      Note([](Counts& c) { ++c.drains; });
    }

   private:
    template <class Change>
    void Note(Change change) {
      std::lock_guard lock(state_->mutex);
      change(state_->counts);
      state_->changed.notify_all();
    }
    std::shared_ptr<State> state_;
  };
  class Device_ : public AudioDevice {
   public:
    explicit Device_(std::shared_ptr<State> state) : state_(std::move(state)) {}
    std::unique_ptr<AudioOutput> Open(int, String& why) override {
      std::lock_guard lock(state_->mutex);
      ++state_->counts.opens;
      state_->changed.notify_all();
      if (state_->mode == Audio::Absent) {
        why = "the stand-in has no output";
        return nullptr;
      }
      ++state_->counts.live;
      return std::make_unique<Output_>(state_);
    }

   private:
    std::shared_ptr<State> state_;
  };
  std::shared_ptr<State> state_;
};

size_t Lines(const std::string& text, const std::string& line) {
  size_t count = 0;
  for (size_t at = text.find(line); at != std::string::npos; at = text.find(line, at + 1)) ++count;
  return count;
}

TEST(StuckAudio, EndingTheEngineDoesNotWaitForAWriteThatNeverReturns) {
  StandInAudio audio(Audio::WriteBlocks);
  auto engine = SpeechEngine::MakeDefault(audio.Device());
  engine->Speak("five", false);
  ASSERT_TRUE(audio.WaitFor([](auto& c) { return c.blocked > 0; }, 20s));
  // Texts for a stuck output are taken at once all the same.
  engine->Speak("six", false);
  engine->Speak("seven", true);
  const auto start = std::chrono::steady_clock::now();
  engine.reset();
  EXPECT_LT(std::chrono::steady_clock::now() - start, 500ms);
  EXPECT_EQ(audio.counts().blocked, 1) << "nothing more was written";
  // Once the output moves again, the worker left behind lets go of it.
  audio.Become(Audio::Works);
  EXPECT_TRUE(audio.WaitFor([](auto& c) { return c.live == 0; }, 10s));
}

// The output goes away (never opens, or its writes fail) and comes back: the texts of the
// next second are dropped, the first text after it plays, one line says each change.
struct Loss {
  const char* name;
  Audio failing;
  bool (*found)(const StandInAudio::Counts&);
};
class LostAudio : public ::testing::TestWithParam<Loss> {};

TEST_P(LostAudio, ComesBackForTheNextTextAfterASecond) {
  StandInAudio audio(GetParam().failing);
  ::testing::internal::CaptureStderr();
  auto engine = SpeechEngine::MakeDefault(audio.Device());
  engine->Speak("five", false);
  ASSERT_TRUE(audio.WaitFor(GetParam().found, 20s));
  audio.Become(Audio::Works);
  const int opens = audio.counts().opens;
  engine->Speak("six", false);
  std::this_thread::sleep_for(300ms);
  EXPECT_EQ(audio.counts().opens, opens) << "not tried again within the second";
  EXPECT_EQ(audio.counts().samples, 0u);
  std::this_thread::sleep_for(900ms);
  engine->Speak("seven", false);
  EXPECT_TRUE(audio.WaitFor([](auto& c) { return c.samples > 1000; }, 10s)) << "heard again";
  engine.reset();
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Lines(said, "quendle: speech is unavailable: "), 1u) << said;
  EXPECT_EQ(Lines(said, "quendle: speech is available again\n"), 1u) << said;
  EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 2) << said;
}

INSTANTIATE_TEST_SUITE_P(Outputs, LostAudio,
                         ::testing::Values(Loss{"NeverOpens", Audio::Absent,
                                                [](auto& c) { return c.opens > 0; }},
                                           Loss{"WritesFail", Audio::WritesFail,
                                                [](auto& c) { return c.failedWrites > 0; }}),
                         ByName);

TEST(NoAudio, StaysSilentWithOneLineAndTriesAboutOnceASecond) {
  StandInAudio audio(Audio::Absent);
  ::testing::internal::CaptureStderr();
  {
    auto engine = SpeechEngine::MakeDefault(audio.Device());
    for (int i = 0; i < 25; ++i) {
      engine->Speak(std::to_string(i), i % 2 == 0);
      std::this_thread::sleep_for(100ms);
    }
  }
  const std::string said = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(said, "quendle: speech is unavailable: the stand-in has no output\n");
  EXPECT_EQ(audio.counts().samples, 0u);
  EXPECT_GE(audio.counts().opens, 2) << "tried again";
  EXPECT_LE(audio.counts().opens, 4) << "not at every text";
}

TEST(RestingAudio, LetsGoOfTheOutputWhenIdleAndTheNextTextOpensItWithNothingLost) {
  StandInAudio audio(Audio::Works);
  auto engine = SpeechEngine::MakeDefault(audio.Device(), 500ms);
  const auto hear = [&](const char* word, bool interrupt) {
    const auto before = audio.counts();
    engine->Speak(word, interrupt);
    EXPECT_TRUE(audio.WaitFor([&](auto& c) { return c.drains > before.drains; }, 20s)) << word;
    return audio.counts().samples - before.samples;
  };
  // The same word comes out a few samples longer or shorter from one saying to the next; a
  // lost piece of sound would be a hundredth of a second, over 200 samples.
  constexpr double kSameWord = 100;
  const double seven = double(hear("seven", false));
  ASSERT_GT(seven, 1000);
  EXPECT_NEAR(double(hear("seven", false)), seven, kSameWord);
  EXPECT_EQ(audio.counts().opens, 1) << "held while words keep coming";

  for (bool interrupt : {false, true}) {
    ASSERT_TRUE(audio.WaitFor([](auto& c) { return c.live == 0; }, 10s)) << "let go";
    const int opens = audio.counts().opens;
    EXPECT_NEAR(double(hear("seven", interrupt)), seven, kSameWord)
        << "the first word after a rest";
    EXPECT_EQ(audio.counts().opens, opens + 1);
    EXPECT_EQ(audio.counts().live, 1);
  }
}

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

TEST_F(AudibleSpeech, TheOutputRestsWhenIdleAndTheFirstWordAfterItIsHeardInFull) {
  engine_.reset();
  engine_ = SpeechEngine::MakeDefault(AudioDevice::MakeDefault(), 1s);
  const auto streams = [this](int count) { return sink_->waitForStreams("Quendle", count, 5s); };
  Hear({"seven"}, false);
  const double inRun = Hear({"seven"}, false);
  EXPECT_TRUE(streams(1)) << "held between words";
  ASSERT_TRUE(streams(0)) << "no stream left running after the rest";
  const double afterRest = Hear({"seven"}, false);
  RecordProperty("heard", ::testing::PrintToString(std::vector{inRun, afterRest}));
  EXPECT_GT(inRun, 0.2);
  EXPECT_NEAR(afterRest, inRun, 0.03);
  EXPECT_TRUE(streams(0));
}

TEST_F(AudibleSpeech, ASoundServerRestartedDuringARestGoesUnnoticed) {
  engine_.reset();
  ::testing::internal::CaptureStderr();
  engine_ = SpeechEngine::MakeDefault(AudioDevice::MakeDefault(), 300ms);
  Hear({"seven"}, false);
  ASSERT_TRUE(sink_->waitForStreams("Quendle", 0, 5s));
  sink_->restart();
  ASSERT_EQ(sink_->failure(), "");
  // Heard on a stream of its own, not through ALSA's route to the same server.
  const size_t from = sink_->mark();
  engine_->Speak("seven", false);
  EXPECT_TRUE(sink_->waitForStreams("Quendle", 1, 2s));
  EXPECT_TRUE(sink_->firstSound(from, 5s)) << "the first word after the restart";
  engine_.reset();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

}  // namespace
