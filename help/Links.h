// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string_view>

#include "platform/Controls.h"

// What the links of the help window and the about box share. A link is a label with four
// mouse handlers: a pointing finger while the pointer is over it, the standard pointer when it
// leaves, MouseDown taking the click so that MouseUp, where the link acts, is delivered.
void PointAtLink(StaticText& link);
void LeaveLink(StaticText& link);
// The home-page links' action.
void OpenHomePage();

// A link's four handlers, methods of its window.
template <class W>
struct LinkHandlers {
  bool (W::*mouseDown)(int32_t x, int32_t y);
  void (W::*mouseUp)(int32_t x, int32_t y);
  void (W::*mouseEnter)();
  void (W::*mouseExit)();
};

// The order in which a window binds the four events of each of its links.
using LinkEvents = std::array<const char*, 4>;
inline constexpr LinkEvents kHelpLinkEvents = {"MouseDown", "MouseUp", "MouseEnter", "MouseExit"};
inline constexpr LinkEvents kAboutLinkEvents = {"MouseUp", "MouseDown", "MouseEnter", "MouseExit"};

// Wires the handlers to the link's events, each bound to `window`, in the order of `events`.
template <class W, class Link>
void InstallLinkHandlers(W& window, Link& link, const LinkHandlers<W>& h,
                         const LinkEvents& events) {
  for (std::string_view event : events) {
    EventHandler handler;
    if (event == "MouseDown") {
      handler = MouseDownEvent(
          [&window, f = h.mouseDown](int32_t x, int32_t y) { return (window.*f)(x, y); });
    } else if (event == "MouseUp") {
      handler = MouseUpEvent([&window, f = h.mouseUp](int32_t x, int32_t y) { (window.*f)(x, y); });
    } else if (event == "MouseEnter") {
      handler = ActionEvent([&window, f = h.mouseEnter] { (window.*f)(); });
    } else {
      handler = ActionEvent([&window, f = h.mouseExit] { (window.*f)(); });
    }
    InstallInstanceEventHandler(link, String(event), std::move(handler));
  }
}
