// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Properties.h"

// Pieces of the help window's and the about box's control property sets.

// Where a control sits and its place in the tab order.
struct Place {
  const char* name;
  int32_t left, top, width, height;
  int32_t tabIndex;
};

// What every control's set holds: its name and place, locked to the top left.
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
