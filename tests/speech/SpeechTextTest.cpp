// SPDX-License-Identifier: GPL-3.0-or-later
#include <espeak-ng/espeak_ng.h>
#include <gtest/gtest.h>

#include <vector>

#include "Cases.h"
#include "platform/SpeechText.h"

namespace {

// What espeak-ng would say for a text, as its phonemes without the stress marks, which move
// with a word's neighbours; one blank ends every word.
String Phonemes(const String& text) {
  String out;
  const void* at = text.c_str();
  while (at) {
    const char* clause = espeak_TextToPhonemes(&at, espeakCHARS_UTF8, 0);
    for (; clause && *clause; ++clause)
      if (*clause != '\'' && *clause != ',') out += *clause;
    out += ' ';
  }
  return out;
}

size_t Occurrences(const String& haystack, const String& needle) {
  size_t n = 0;
  for (size_t at = haystack.find(needle); at != String::npos; at = haystack.find(needle, at + 1))
    ++n;
  return n;
}

class Synthesiser : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    espeak_ng_InitializePath(nullptr);
    ASSERT_EQ(espeak_ng_Initialize(nullptr), ENS_OK);
    ASSERT_EQ(espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, 0, nullptr), ENS_OK);
    ASSERT_EQ(espeak_ng_SetVoiceByName(ESPEAKNG_DEFAULT_VOICE), ENS_OK);
  }
  static void TearDownTestSuite() { espeak_ng_Terminate(); }
};

// A result as "=" speaks it, and the words that must be heard in it, in order.
struct Heard {
  const char* name;
  String text;
  std::vector<String> words;
  size_t minuses;
};
void PrintTo(const Heard& row, std::ostream* os) { *os << row.text; }

class ResultSpeech : public Synthesiser, public ::testing::WithParamInterface<Heard> {};

TEST_P(ResultSpeech, KeepsEverySign) {
  const Heard& row = GetParam();
  const String heard = Phonemes(SpokenForm(row.text));
  size_t from = 0;
  for (const String& word : row.words) {
    const String sound = Phonemes(word);
    const size_t at = heard.find(sound, from);
    ASSERT_NE(at, String::npos) << "\"" << word << "\" (" << sound << ") not in " << heard;
    from = at + sound.size();
  }
  EXPECT_EQ(Occurrences(heard, Phonemes("minus")), row.minuses) << heard;
}

INSTANTIATE_TEST_SUITE_P(
    Results, ResultSpeech,
    ::testing::Values(
        Heard{"NegativeWhole", "equals -2", {"equals", "minus", "two"}, 1},
        Heard{"Whole", "equals 8", {"equals", "eight"}, 0},
        Heard{"Fraction", "equals 0.3", {"zero", "point", "three"}, 0},
        Heard{"Infinity", "equals Infinity", {"equals", "infinity"}, 0},
        Heard{"NegativeInfinity", "equals -Infinity", {"equals", "minus", "infinity"}, 1},
        Heard{"NotANumber", "equals NaN", {"equals", "number"}, 0},
        Heard{"SmallExponent", "equals 1e-07", {"one", "times", "ten", "minus", "seven"}, 1},
        Heard{"LargeExponent",
              "equals 1.5e+20",
              {"one", "point", "five", "times", "ten", "twenty"},
              0},
        Heard{"BothSigns",
              "equals -3.2e-12",
              {"minus", "three", "point", "two", "times", "ten", "minus", "twelve"},
              2}),
    ByName);

struct Kept {
  const char* name;
  String text;
};
void PrintTo(const Kept& row, std::ostream* os) { *os << ::testing::PrintToString(row.text); }

class OtherSpeech : public ::testing::TestWithParam<Kept> {};

TEST_P(OtherSpeech, PassesUnchanged) { EXPECT_EQ(SpokenForm(GetParam().text), GetParam().text); }

INSTANTIATE_TEST_SUITE_P(Words, OtherSpeech,
                         ::testing::Values(Kept{"Digit", "5"}, Kept{"Word", "five"},
                                           Kept{"Operator", "divide by"},
                                           Kept{"Refusal", "decimal point already included"},
                                           Kept{"Shouted", "INFINITY"}, Kept{"Point", "."},
                                           Kept{"Sign", "-"}, Kept{"Backspace", "\b"},
                                           Kept{"Delete", "\x7f"}, Kept{"Empty", ""},
                                           Kept{"Blanks", "equals  8 "}),
                         ByName);

}  // namespace
