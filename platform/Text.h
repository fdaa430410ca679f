// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Types.h"

// Text functions. None of them depends on the locale.

// Number of characters (code points), not bytes.
int32_t Len(const String& s);
// Code of the first character, 0 for the empty text.
int32_t Asc(const String& s);
// 1-based position of the first occurrence of `find` in `s`, counted in characters; 0 if absent.
int32_t InStr(const String& s, const String& find);
// The decimal number that `s` begins with; 0 when it begins with none ("", "-", ".").
// Reads back every text that Str makes.
double Val(const String& s);
// At most 15 significant digits. Plain digits from 0.0001 up to 15-digit whole numbers; beyond,
// where plain digits would only pad zeros, exponent form ("1e-05", "1e+15"). "Infinity",
// "-Infinity" and "NaN" for the values that are no numbers.
String Str(double d);
// The platform line end.
String EndOfLine();
