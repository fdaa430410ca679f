// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "Cases.h"
#include "Harness.h"

// A key sequence in a small notation, tokens separated by blanks:
//   5  +  x  =  C1  ...   a click on the key of that caption;
//   '53+                  each character after the quote typed into the display;
//   <Backspace> <Return>  a named key typed into the display (see KeySequences.cpp).
void RunKeys(AppHarness& app, const String& keys);

// The tape as a user reads it, with "|" standing for each line end.
String TapeLines(const String& lines);

// A key button's word, which cuts off speech in progress; and a typed key's, which queues.
inline Spoken Cut(const String& text) { return {text, true}; }
inline Spoken Queued(const String& text) { return {text, false}; }

void PrintTo(const Spoken& spoken, std::ostream* out);

struct SequenceRow {
  const char* name;
  const char* keys;
  const char* tape;  // "|" for a line end
  const char* display;
  std::vector<Spoken> spoken;  // after the window's "ready"
};

// A fresh calculator whose keys are enabled, with "ready" already heard.
class Calculator : public ::testing::Test {
 protected:
  Calculator();
  AppHarness app;
};

class KeySequence : public Calculator, public ::testing::WithParamInterface<SequenceRow> {
 protected:
  void Check(const SequenceRow& row);
};

// Failure messages name the row by its keys, not by its bytes.
inline void PrintTo(const SequenceRow& row, std::ostream* out) { *out << row.keys; }
