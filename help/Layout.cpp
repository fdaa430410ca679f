// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/Layout.h"

PropertySet ControlProperties(const Place& place) {
  PropertySet set = StandardProperties(place);
  set.push_back({"Enabled", true});
  return set;
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
