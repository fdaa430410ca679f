// SPDX-License-Identifier: GPL-3.0-or-later
#include "KeySequences.h"

#include <QTest>
#include <map>
#include <sstream>

namespace {

// clang-format off
const std::map<String, Qt::Key> kNamedKeys = {
    {"Backspace", Qt::Key_Backspace}, {"Delete", Qt::Key_Delete}, {"Return", Qt::Key_Return},
    {"Enter", Qt::Key_Enter},         {"Left", Qt::Key_Left},     {"Right", Qt::Key_Right},
    {"Up", Qt::Key_Up},               {"Down", Qt::Key_Down},     {"Home", Qt::Key_Home},
    {"End", Qt::Key_End},             {"Tab", Qt::Key_Tab},       {"Escape", Qt::Key_Escape},
};
// clang-format on

}  // namespace

void RunKeys(AppHarness& app, const String& keys) {
  std::istringstream tokens(keys);
  for (String token; tokens >> token;) {
    if (token.front() == '\'') {
      app.type(token.substr(1));
    } else if (token.size() > 2 && token.front() == '<' && token.back() == '>') {
      auto named = kNamedKeys.find(token.substr(1, token.size() - 2));
      if (named == kNamedKeys.end()) throw std::invalid_argument("no typed key " + token);
      app.typeKey(named->second);
    } else {
      app.press(token);
    }
  }
}

String TapeLines(const String& lines) {
  String text = lines;
  for (char& c : text) {
    if (c == '|') c = '\n';
  }
  return text;
}

void PrintTo(const Spoken& spoken, std::ostream* out) {
  *out << (spoken.interrupt ? "Cut(" : "Queued(") << ::testing::PrintToString(spoken.text) << ")";
}

Calculator::Calculator() {
  app.enableKeys();
  app.spoken->clear();
}

void KeySequence::Check(const SequenceRow& row) {
  RunKeys(app, row.keys);
  EXPECT_EQ(app.tape(), TapeLines(row.tape));
  EXPECT_EQ(app.display(), row.display);
  EXPECT_EQ(*app.spoken, row.spoken);
  EXPECT_TRUE(app.messages->empty()) << "nothing escapes a handler";
}
