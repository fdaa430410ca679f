// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Types.h"

// The words the synthesiser is given for a text handed to Speak. The synthesiser reads
// "-Infinity" without its sign, "1e-07" without the exponent's sign and "NaN" as a name, so
// every number in the text is spelt out with its signs; all other words pass unchanged.
String SpokenForm(const String& text);
