// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SpeechText.h"

#include <regex>

namespace {

// A whole number text as the program writes it: optional sign, digits with an optional
// point, an optional exponent; or one of the non-finite values.
const std::regex& NumberPattern() {
  static const std::regex pattern(
      R"(([+-]?)(?:(Infinity|NaN)|((?:\d+\.?\d*|\.\d+))(?:[eE]([+-]?)0*(\d+))?))");
  return pattern;
}

String SpokenNumber(const std::smatch& m) {
  String out = m[1] == "-" ? "minus " : "";
  if (m[2] == "NaN") return out + "not a number";
  if (m[2] == "Infinity") return out + "infinity";
  out += m[3].str();
  if (m[5].matched) {
    out += " times ten to the ";
    if (m[4] == "-") out += "minus ";
    out += m[5].str();
  }
  return out;
}

}  // namespace

String SpokenForm(const String& text) {
  String out;
  size_t start = 0;
  while (start <= text.size()) {
    size_t end = text.find(' ', start);
    if (end == String::npos) end = text.size();
    const String word = text.substr(start, end - start);
    std::smatch m;
    out += std::regex_match(word, m, NumberPattern()) ? SpokenNumber(m) : word;
    if (end == text.size()) break;
    out += ' ';
    start = end + 1;
  }
  return out;
}
