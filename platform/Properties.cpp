// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Properties.h"

#include "platform/Exceptions.h"

void SetProperties(PropertyTarget& target, const PropertySet& set) {
  for (const Property& p : set) {
    bool known;
    try {
      known = target.ApplyProperty(p.name, p.value);
    } catch (const RuntimeException& e) {
      throw RuntimeException("property " + p.name + " of " + target.ClassName() + ": " + e.what());
    }
    if (!known) throw RuntimeException("unknown property " + p.name + " of " + target.ClassName());
  }
}

PropertySet StandardProperties(const Place& place) {
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
          {"Visible", true},
          {"AutoDeactivate", true},
          {"HelpTag", String()}};
}

PropertySet FixedWindowProperties(const WindowLook& look) {
  return {{"Placement", look.placement},
          {"Width", look.width},
          {"Height", look.height},
          {"MinWidth", look.width},
          {"MinHeight", look.height},
          {"MaxWidth", look.width},
          {"MaxHeight", look.height},
          {"Frame", 0},
          {"Composite", look.composite},
          {"HasBackColor", look.hasBackColor},
          {"BackColor", Color::FromRGB(0xFFFFFF)},
          {"Title", String(look.title)},
          {"Visible", true},
          {"FullScreen", false},
          {"MenuBarVisible", true},
          {"CloseButton", look.closeButton},
          {"Resizeable", false},
          {"LiveResize", false},
          {"MaximizeButton", false},
          {"MinimizeButton", true},
          {"MacProcID", 0}};
}
