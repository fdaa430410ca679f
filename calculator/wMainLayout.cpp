// SPDX-License-Identifier: GPL-3.0-or-later
#include "calculator/wMain.h"
#include "common/MenuBar1.h"

namespace {

const WindowLook kWindow = {.placement = 2,
                            .width = 525,
                            .height = 530,
                            .composite = false,
                            .hasBackColor = false,
                            .title = "Quendle",
                            .closeButton = false};

enum class Kind { Display, Key, Tape, Timer };

using Action = void (wMain::*)();
using KeyDown = bool (wMain::*)(const String&);

struct ControlRow {
  const char* name;
  Kind kind;
  float fontSize;
  int32_t left, top, width, height;
  const char* caption;
  int32_t tabIndex;
  // Bound in this order: LostFocus, KeyDown, GotFocus, Action.
  Action lostFocus;
  KeyDown keyDown;
  Action gotFocus;
  Action action;
};

// Creation order, which is also the tab order.
const ControlRow kControls[] = {
    {"efDisplay", Kind::Display, 48, 3, 2, 365, 85, "", 0, &wMain::efDisplay_LostFocus,
     &wMain::efDisplay_KeyDown, nullptr, nullptr},
    {"PushButton1", Kind::Key, 72, 3, 375, 87, 87, "0", 1, nullptr, nullptr,
     &wMain::PushButton1_GotFocus, &wMain::PushButton1_Action},
    {"PushButton2", Kind::Key, 72, 3, 281, 87, 87, "1", 2, nullptr, nullptr,
     &wMain::PushButton2_GotFocus, &wMain::PushButton2_Action},
    {"PushButton3", Kind::Key, 72, 96, 281, 87, 87, "2", 3, nullptr, nullptr,
     &wMain::PushButton3_GotFocus, &wMain::PushButton3_Action},
    {"PushButton4", Kind::Key, 72, 189, 281, 87, 87, "3", 4, nullptr, nullptr,
     &wMain::PushButton4_GotFocus, &wMain::PushButton4_Action},
    {"PushButton5", Kind::Key, 72, 3, 187, 87, 87, "4", 5, nullptr, nullptr,
     &wMain::PushButton5_GotFocus, &wMain::PushButton5_Action},
    {"PushButton6", Kind::Key, 72, 96, 187, 87, 87, "5", 6, nullptr, nullptr,
     &wMain::PushButton6_GotFocus, &wMain::PushButton6_Action},
    {"PushButton7", Kind::Key, 72, 189, 187, 87, 87, "6", 7, nullptr, nullptr,
     &wMain::PushButton7_GotFocus, &wMain::PushButton7_Action},
    {"PushButton8", Kind::Key, 72, 3, 93, 87, 87, "7", 8, nullptr, nullptr,
     &wMain::PushButton8_GotFocus, &wMain::PushButton8_Action},
    {"PushButton9", Kind::Key, 72, 96, 93, 87, 87, "8", 9, nullptr, nullptr,
     &wMain::PushButton9_GotFocus, &wMain::PushButton9_Action},
    {"PushButton10", Kind::Key, 72, 189, 93, 87, 87, "9", 10, nullptr, nullptr,
     &wMain::PushButton10_GotFocus, &wMain::PushButton10_Action},
    {"PushButton11", Kind::Key, 72, 189, 375, 87, 87, "=", 11, nullptr, nullptr,
     &wMain::PushButton11_GotFocus, &wMain::PushButton11_Action},
    {"PushButton12", Kind::Key, 72, 281, 93, 87, 87, "/", 12, nullptr, nullptr,
     &wMain::PushButton12_GotFocus, &wMain::PushButton12_Action},
    {"PushButton13", Kind::Key, 72, 281, 187, 87, 87, "x", 13, nullptr, nullptr,
     &wMain::PushButton13_GotFocus, &wMain::PushButton13_Action},
    {"PushButton14", Kind::Key, 72, 281, 281, 87, 87, "-", 14, nullptr, nullptr,
     &wMain::PushButton14_GotFocus, &wMain::PushButton14_Action},
    {"PushButton15", Kind::Key, 72, 281, 375, 87, 87, "+", 15, nullptr, nullptr,
     &wMain::PushButton15_GotFocus, &wMain::PushButton15_Action},
    {"PushButton16", Kind::Key, 72, 96, 375, 87, 87, ".", 16, nullptr, nullptr,
     &wMain::PushButton16_GotFocus, &wMain::PushButton16_Action},
    {"PushButton17", Kind::Key, 36, 4, 469, 180, 47, "C1", 17, nullptr, nullptr,
     &wMain::PushButton17_GotFocus, &wMain::PushButton17_Action},
    {"efHistory", Kind::Tape, 24, 375, 3, 145, 520, "", 18, nullptr, &wMain::efHistory_KeyDown,
     nullptr, nullptr},
    {"PushButton18", Kind::Key, 36, 188, 469, 180, 47, "C2", 19, nullptr, nullptr,
     &wMain::PushButton18_GotFocus, &wMain::PushButton18_Action},
    {"Timer1", Kind::Timer, 0, 0, 0, 0, 0, "", 0, nullptr, nullptr, nullptr, &wMain::Timer1_Action},
};

void Append(PropertySet& set, const PropertySet& more) {
  set.insert(set.end(), more.begin(), more.end());
}

PropertySet CommonProperties(const ControlRow& row) {
  PropertySet set =
      StandardProperties({row.name, row.left, row.top, row.width, row.height, row.tabIndex});
  Append(
      set,
      {{"TextFont", String("Geneva")}, {"Bold", false}, {"Italic", false}, {"Underline", false}});
  return set;
}

PropertySet TextProperties(bool readOnly, int32_t limitText) {
  return {{"Enabled", true},
          {"ReadOnly", readOnly},
          {"LimitText", limitText},
          {"Alignment", 3},
          {"AcceptTabs", true},
          {"Border", true},
          {"UseFocusRing", false},
          {"Text", String()},
          {"TextColor", Color::FromRGB(0x000000)},
          {"BackColor", Color::FromRGB(0xFFFFFF)},
          {"Format", String()},
          {"Mask", String()},
          {"DataSource", String()},
          {"DataField", String()}};
}

PropertySet PropertiesOf(const ControlRow& row) {
  if (row.kind == Kind::Timer) return {{"Mode", 1}, {"Period", 1000}};
  PropertySet set = CommonProperties(row);
  switch (row.kind) {
    case Kind::Key:
      // Every key starts disabled; the timer enables them.
      Append(set, {{"Enabled", false},
                   {"Default", false},
                   {"Cancel", false},
                   {"Caption", String(row.caption)}});
      break;
    case Kind::Display:
      Append(set, TextProperties(false, wMain::kEntryLimit));
      Append(set, {{"Password", false}, {"CueText", String()}});
      break;
    case Kind::Tape:
      Append(set, TextProperties(true, 0));
      Append(set, {{"Multiline", true},
                   {"ScrollbarVertical", true},
                   {"ScrollbarHorizontal", false},
                   {"Styled", true},
                   {"HideSelection", true}});
      break;
    case Kind::Timer:
      break;
  }
  return set;
}

Control& AddControlOf(wMain& window, const ControlRow& row) {
  switch (row.kind) {
    case Kind::Display:
      return window.Add<TextField>(row.name);
    case Kind::Key:
      return window.Add<PushButton>(row.name);
    case Kind::Tape:
      return window.Add<TextArea>(row.name);
    case Kind::Timer:
      return window.Add<wMain::Timer1>(row.name);
  }
  throw NilObjectException(row.name);
}

}  // namespace

void wMain::Layout() {
  SetMenuBar(MenuBar1::Instance());
  SetProperties(*this, FixedWindowProperties(kWindow));
}

void wMain::CreateControls() { CreateControls0(); }

void wMain::CreateControls0() {
  for (const ControlRow& row : kControls) {
    Control& control = AddControlOf(*this, row);
    if (row.kind != Kind::Timer) {
      auto& text = Find<RectControl>(row.name);
      text.SetTextSize(row.fontSize);
      text.SetTextUnit(0);
    }
    SetProperties(control, PropertiesOf(row));
    auto bind = [&](const char* event, Action handler) {
      if (handler)
        InstallInstanceEventHandler(control, event,
                                    ActionEvent([this, handler] { (this->*handler)(); }));
    };
    bind("LostFocus", row.lostFocus);
    if (row.keyDown) {
      InstallInstanceEventHandler(control, "KeyDown",
                                  KeyDownEvent([this, handler = row.keyDown](const String& key) {
                                    return (this->*handler)(key);
                                  }));
    }
    bind("GotFocus", row.gotFocus);
    bind("Action", row.action);
  }
}
