// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Text.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace {

struct Character {
  char32_t code;
  size_t length;  // in bytes
};

// An invalid byte (stray continuation, overlong form, surrogate, beyond U+10FFFF, cut-off
// sequence) counts as one character of its own, so no byte of a text is ever lost.
Character Decode(const String& s, size_t at) {
  constexpr Character kInvalid{0xFFFD, 1};
  const auto lead = static_cast<unsigned char>(s[at]);
  if (lead < 0x80) return {lead, 1};
  size_t length;
  char32_t code, least;
  if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, least = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, least = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, least = 0x10000;
  } else {
    return kInvalid;
  }
  if (at + length > s.size()) return kInvalid;
  for (size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(s[at + i]);
    if ((next & 0xC0) != 0x80) return kInvalid;
    code = (code << 6) | (next & 0x3F);
  }
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return kInvalid;
  return {code, length};
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Where the run of digits starting at `at` ends.
size_t SkipDigits(const String& s, size_t at) {
  while (at < s.size() && IsDigit(s[at])) ++at;
  return at;
}

bool HasAt(const String& s, size_t at, std::string_view word) {
  return s.compare(at, word.size(), word) == 0;
}

}  // namespace

int32_t Len(const String& s) {
  int32_t count = 0;
  for (size_t at = 0; at < s.size(); at += Decode(s, at).length) ++count;
  return count;
}

int32_t Asc(const String& s) { return s.empty() ? 0 : static_cast<int32_t>(Decode(s, 0).code); }

// Like BASIC: an empty `find` is found at the start of any text but the empty one.
int32_t InStr(const String& s, const String& find) {
  if (find.empty()) return s.empty() ? 0 : 1;
  int32_t index = 1;
  size_t at = 0;  // start of character number `index`
  for (size_t hit = s.find(find); hit != String::npos; hit = s.find(find, at)) {
    while (at < hit) {
      at += Decode(s, at).length;
      ++index;
    }
    // A hit inside a character (possible only around invalid bytes) is no match.
    if (at == hit) return index;
  }
  return 0;
}

double Val(const String& s) {
  size_t at = s.find_first_not_of(" \t");
  if (at == String::npos) return 0;
  bool negative = false;
  if (s[at] == '+' || s[at] == '-') negative = s[at++] == '-';
  const double sign = negative ? -1.0 : 1.0;
  if (HasAt(s, at, "Infinity")) return sign * std::numeric_limits<double>::infinity();
  if (HasAt(s, at, "NaN")) return std::numeric_limits<double>::quiet_NaN();

  // Check the grammar here, so from_chars sees only the number: left to itself it would also
  // take "inf", "nan" and their kin.
  const size_t begin = at;
  const size_t integerEnd = SkipDigits(s, at);
  size_t end = integerEnd;
  if (end < s.size() && s[end] == '.') end = SkipDigits(s, end + 1);
  const size_t digits = end - begin - (end > integerEnd ? 1 : 0);
  if (digits == 0) return 0;
  long exponent = 0;
  if (end < s.size() && (s[end] == 'e' || s[end] == 'E')) {
    size_t e = end + 1;
    const bool negativeExponent = e < s.size() && s[e] == '-';
    if (e < s.size() && (s[e] == '+' || s[e] == '-')) ++e;
    const size_t exponentEnd = SkipDigits(s, e);
    if (exponentEnd > e) {
      // Saturated: it only has to tell overflow from underflow below.
      for (size_t i = e; i < exponentEnd; ++i) {
        exponent = std::min(exponent * 10 + (s[i] - '0'), 99999L);
      }
      if (negativeExponent) exponent = -exponent;
      end = exponentEnd;
    }
  }

  double value = 0;
  if (std::from_chars(s.data() + begin, s.data() + end, value).ec ==
      std::errc::result_out_of_range) {
    // Beyond the doubles: decide by the decimal order of the leading nonzero digit.
    const size_t firstNonZero = s.find_first_not_of("0.", begin);
    long order = static_cast<long>(integerEnd) - static_cast<long>(firstNonZero);
    if (firstNonZero > integerEnd) ++order;  // the point lies before the digit
    value = order + exponent > 0 ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return sign * value;
}

String Str(double d) {
  if (std::isnan(d)) return "NaN";
  if (std::isinf(d)) return d < 0 ? "-Infinity" : "Infinity";
  if (d == 0) return "0";  // negative zero too
  // Rounded to 15 digits, the largest doubles would print as a number beyond the largest double,
  // which reads back as infinity; print them as the largest 15-digit number that reads back.
  constexpr double kLargest = 1.79769313486231e308;
  d = std::clamp(d, -kLargest, kLargest);
  char text[32];
  const auto end = std::to_chars(text, text + sizeof text, d, std::chars_format::general, 15).ptr;
  const String rounded(text, end);
  // A whole number is exact; a fraction is rounded to 15 digits, which may make it whole, and
  // then it is written as that whole number, so the text reads back to what it shows.
  double whole = d;
  if (std::trunc(d) != d) std::from_chars(text, end, whole);
  if (std::trunc(whole) != whole || std::fabs(whole) >= 1e20) return rounded;
  // Plain digits, unless the exponent form is shorter and still exact: 1e+17, but not 1e+15
  // for 1000000000000001. Below 1e20 the digits are never longer than 15 digits with an
  // exponent.
  double readBack = 0;
  std::from_chars(text, end, readBack);
  const auto digitsEnd =
      std::to_chars(text, text + sizeof text, whole, std::chars_format::fixed, 0).ptr;
  String digits(text, digitsEnd);
  return readBack == whole && rounded.size() < digits.size() ? rounded : digits;
}

String EndOfLine() { return "\n"; }
