// SPDX-License-Identifier: GPL-3.0-or-later
#include <random>

#include "KeySequences.h"
#include "common/mGlobals.h"

namespace {

// Every kind of event a user can cause, chosen at random with a fixed seed.
// clang-format off
const char* const kEvents[] = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", ".", "+", "-", "x", "/", "=", "C1", "C2",
    "'0", "'4", "'9", "'.", "'+", "'-", "'*", "'/", "'=", "'a", "'x", "',",
    "<Return>", "<Enter>", "<Backspace>", "<Delete>", "<Left>", "<Right>", "<Home>", "<End>",
};
// clang-format on

void ExpectInvariants(const String& event) {
  SCOPED_TRACE("after " + event);
  EXPECT_EQ(mGlobals::dResult, 0);
  EXPECT_EQ(mGlobals::bOperationSelected, !mGlobals::sOperation.empty());
  if (mGlobals::bSetForSec) {
    EXPECT_TRUE(mGlobals::bOperationSelected);
  }
  EXPECT_TRUE(mGlobals::bSpeech);
  EXPECT_EQ(mGlobals::sTheFont, "Geneva");
  EXPECT_EQ(mGlobals::iTheFontSize, 12);
}

TEST_F(Calculator, RandomKeysKeepTheStateSound) {
  std::mt19937 random(20261210);
  std::uniform_int_distribution<size_t> pick(0, std::size(kEvents) - 1);
  String tape = app.tape();
  for (int i = 0; i < 20000 && !HasFailure(); ++i) {
    String event = kEvents[pick(random)];
    RunKeys(app, event);
    ExpectInvariants(event);
    String now = app.tape();
    if (event == "C2") {
      EXPECT_EQ(now, "");
    } else {
      EXPECT_EQ(now.compare(0, tape.size(), tape), 0) << "the tape only grows, after " << event;
    }
    tape = now;
  }
  EXPECT_TRUE(app.messages->empty()) << "no exception escaped a handler";
}

}  // namespace
