// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/Layout.h"

namespace {
constexpr int32_t kNoIndex = INT32_MIN;
}  // namespace

PropertySet ControlProperties(const Place& place) {
  return {{"Name", String(place.name)},
          {"Index", kNoIndex},
          {"Left", place.left},
          {"Top", place.top},
          {"Width", place.width},
          {"Height", place.height},
          {"LockLeft", true},
          {"LockTop", true},
          {"LockRight", false},
          {"LockBottom", false},
          {"TabPanelIndex", 0},
          {"TabIndex", place.tabIndex},
          {"TabStop", true},
          {"InitialParent", String()},
          {"Enabled", true},
          {"Visible", true},
          {"AutoDeactivate", true},
          {"HelpTag", String()}};
}

PropertySet LabelProperties(const Place& place, const LabelLook& look) {
  PropertySet set = ControlProperties(place);
  set.insert(set.end(), {{"TextFont", String("Geneva")},
                         {"Bold", false},
                         {"Italic", false},
                         {"Underline", look.underline},
                         {"Multiline", look.multiline},
                         {"Text", String(look.text)},
                         {"TextColor", Color::FromRGB(look.textColor)},
                         {"TextAlign", look.textAlign},
                         {"DataSource", String()},
                         {"DataField", String()}});
  return set;
}
