// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Properties.h"

// Pieces of the help window's and the about box's control property sets.

// What every control's set holds here: the standard set, enabled.
PropertySet ControlProperties(const Place& place);

// How a label looks.
struct LabelLook {
  const char* text;
  uint32_t textColor;  // 0xRRGGBB
  int32_t textAlign;
  bool underline;
  bool multiline;
};

// A label's whole set, in "Geneva", neither bold nor italic.
PropertySet LabelProperties(const Place& place, const LabelLook& look);
