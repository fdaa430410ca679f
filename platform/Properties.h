// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <variant>
#include <vector>

#include "platform/Types.h"

using PropertyValue = std::variant<int32_t, bool, String, Color>;

struct Property {
  String name;
  PropertyValue value;
};

// Applied in order; every name must be known to the target's class.
using PropertySet = std::vector<Property>;

// A window or a control. Each class knows its properties by name, its base's included.
class PropertyTarget {
 public:
  virtual ~PropertyTarget() = default;
  virtual String ClassName() const = 0;

 protected:
  friend void SetProperties(PropertyTarget& target, const PropertySet& set);
  // False when the name is not a property of this class or of its bases.
  // Throws RuntimeException when the value has the wrong type.
  virtual bool ApplyProperty(const String& name, const PropertyValue& value) = 0;
};

// Unknown names and wrongly typed values raise RuntimeException naming them.
void SetProperties(PropertyTarget& target, const PropertySet& set);

// The Index of a control that is not one of a control array.
constexpr int32_t kNoIndex = INT32_MIN;

// Where a control sits and its place in the tab order.
struct Place {
  const char* name;
  int32_t left, top, width, height;
  int32_t tabIndex;
};

// What every control's set begins with: its name and place, locked to the top left, a visible
// tab stop in no control array.
PropertySet StandardProperties(const Place& place);

// What sets one fixed-size window apart from another.
struct WindowLook {
  int32_t placement;
  int32_t width, height;
  bool composite;
  bool hasBackColor;
  const char* title;
  bool closeButton;
};

// A window's whole set: no resizing, its size its minimum and maximum; a white back colour,
// shown only with hasBackColor; visible, with a minimise button and no maximise button.
PropertySet FixedWindowProperties(const WindowLook& look);
