// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

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

// Wires the handlers to the link's events, each bound to `window`.
template <class W>
void InstallLinkHandlers(W& window, StaticText& link, const LinkHandlers<W>& h) {
  InstallInstanceEventHandler(
      link, "MouseUp",
      MouseUpEvent([&window, f = h.mouseUp](int32_t x, int32_t y) { (window.*f)(x, y); }));
  InstallInstanceEventHandler(link, "MouseDown",
                              MouseDownEvent([&window, f = h.mouseDown](int32_t x, int32_t y) {
                                return (window.*f)(x, y);
                              }));
  InstallInstanceEventHandler(link, "MouseEnter",
                              ActionEvent([&window, f = h.mouseEnter] { (window.*f)(); }));
  InstallInstanceEventHandler(link, "MouseExit",
                              ActionEvent([&window, f = h.mouseExit] { (window.*f)(); }));
}
