// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeySequences.h"

namespace {

// Keys that are refused: silent, or refused aloud.
class Refusal : public KeySequence {};

TEST_P(Refusal, LeavesWhatIsShown) { Check(GetParam()); }

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Refusals, Refusal,
    testing::Values(
        SequenceRow{"NinthDigitOnTheKeypad", "1 2 3 4 5 6 7 8 9", "", "12345678",
                    {Cut("one"), Cut("two"), Cut("three"), Cut("four"), Cut("five"), Cut("six"),
                     Cut("seven"), Cut("eight")}},
        SequenceRow{"NinthDigitTyped", "'123456789", "", "12345678",
                    {Queued("1"), Queued("2"), Queued("3"), Queued("4"), Queued("5"), Queued("6"),
                     Queued("7"), Queued("8")}},
        SequenceRow{"EditingKeysSwallowedAtEightWhilePlusActs",
                    "'12345678 <Backspace> <Delete> <Left> '+", "12345678|+ ", "12345678",
                    {Queued("1"), Queued("2"), Queued("3"), Queued("4"), Queued("5"), Queued("6"),
                     Queued("7"), Queued("8"), Cut("plus")}},
        SequenceRow{"BackspaceBelowTheLimitEdits", "'12 <Backspace>", "", "1",
                    {Queued("1"), Queued("2"), Queued("\b")}},
        SequenceRow{"SecondPointOnTheKeypad", ". .", "", ".",
                    {Cut("point"), Cut("decimal point already included")}},
        SequenceRow{"SecondPointTyped", "'..", "", ".",
                    {Queued("point"), Cut("decimal point is already included")}},
        SequenceRow{"PlusOnAnEmptyDisplay", "+ x /", "", "", {}},
        SequenceRow{"ATypedLetterIsSilent", "'5a,x", "", "5", {Queued("5")}},
        SequenceRow{"ATypedLetterClearsAShownResult", "5 = 'a", "5|+ 0|--|5||", "",
                    {Cut("five"), Cut("equals 5")}},
        SequenceRow{"ATypedLetterBeginsTheSecondOperand", "5 + 'a", "5|+ ", "",
                    {Cut("five"), Cut("plus")}},
        SequenceRow{"ReturnAndEnterDoNotEvaluate", "'5 <Return> <Enter>", "", "5",
                    {Queued("5"), Queued("\r"), Queued("\x03")}},
        SequenceRow{"ThePointKeyDoesNothingOnALongResult", "1 / 3 = .",
                    "1|/ 3|------------------|0.333333333333333||", "0.333333333333333",
                    {Cut("one"), Cut("divide by"), Cut("three"),
                     Cut("equals 0.333333333333333")}},
        SequenceRow{"ADigitReplacesALongResult", "1 / 3 = '4",
                    "1|/ 3|------------------|0.333333333333333||", "4",
                    {Cut("one"), Cut("divide by"), Cut("three"), Cut("equals 0.333333333333333"),
                     Queued("4")}}),
    ByName);
// clang-format on

}  // namespace
