// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/Layout.h"
#include "help/Links.h"
#include "help/wHelp.h"

namespace {

const WindowLook kWindow = {.placement = 0,
                            .width = 700,
                            .height = 500,
                            .composite = true,
                            .hasBackColor = true,
                            .title = "Help",
                            .closeButton = true};

constexpr float kFontSize = 12;
constexpr uint32_t kRed = 0xFF0000, kBlue = 0x0000FF;

const Place kPane = {"EditField1", 201, 8, 493, 461, 0};

PropertySet PaneProperties() {
  PropertySet set = ControlProperties(kPane);
  set.insert(set.end(), {{"ReadOnly", true},
                         {"Multiline", true},
                         {"ScrollbarVertical", true},
                         {"ScrollbarHorizontal", false},
                         {"Styled", true},
                         {"Border", true},
                         {"HideSelection", true},
                         {"UseFocusRing", false},
                         {"AcceptTabs", false},
                         {"LimitText", 0},
                         {"Alignment", 0},
                         {"TextFont", String("Geneva")},
                         {"Bold", false},
                         {"Italic", false},
                         {"Underline", false},
                         {"TextColor", Color::FromRGB(0x000000)},
                         {"BackColor", Color::FromRGB(0xFFFFFF)},
                         {"Text", String()},
                         {"Format", String()},
                         {"Mask", String()},
                         {"DataSource", String()},
                         {"DataField", String()}});
  return set;
}

struct LinkRow {
  Place place;
  const char* caption;
  uint32_t color;
  int32_t textAlign;
  LinkHandlers<wHelp> handlers;
};

// Creation order, after the pane: the home-page link centred under the pane, then the topic
// links in a column on the left.
const LinkRow kLinks[] = {
    {{"StaticText1", 201, 473, 493, 20, 1},
     "-",
     kRed,
     1,
     {&wHelp::StaticText1_MouseDown, &wHelp::StaticText1_MouseUp, &wHelp::StaticText1_MouseEnter,
      &wHelp::StaticText1_MouseExit}},
    {{"StaticText2", 20, 32, 175, 20, 2},
     "General Information",
     kBlue,
     0,
     {&wHelp::StaticText2_MouseDown, &wHelp::StaticText2_MouseUp, &wHelp::StaticText2_MouseEnter,
      &wHelp::StaticText2_MouseExit}},
    {{"StaticText3", 20, 62, 175, 20, 3},
     "System Requirements",
     kBlue,
     0,
     {&wHelp::StaticText3_MouseDown, &wHelp::StaticText3_MouseUp, &wHelp::StaticText3_MouseEnter,
      &wHelp::StaticText3_MouseExit}},
    {{"StaticText4", 20, 92, 175, 20, 4},
     "What's new in this version?",
     kBlue,
     0,
     {&wHelp::StaticText4_MouseDown, &wHelp::StaticText4_MouseUp, &wHelp::StaticText4_MouseEnter,
      &wHelp::StaticText4_MouseExit}},
    {{"StaticText5", 20, 122, 175, 20, 5},
     "Frequently Asked Questions",
     kBlue,
     0,
     {&wHelp::StaticText5_MouseDown, &wHelp::StaticText5_MouseUp, &wHelp::StaticText5_MouseEnter,
      &wHelp::StaticText5_MouseExit}},
    {{"StaticText7", 20, 182, 175, 20, 7},
     "Support",
     kBlue,
     0,
     {&wHelp::StaticText7_MouseDown, &wHelp::StaticText7_MouseUp, &wHelp::StaticText7_MouseEnter,
      &wHelp::StaticText7_MouseExit}},
    {{"StaticText8", 20, 212, 175, 20, 8},
     "Use and Distribution",
     kBlue,
     0,
     {&wHelp::StaticText8_MouseDown, &wHelp::StaticText8_MouseUp, &wHelp::StaticText8_MouseEnter,
      &wHelp::StaticText8_MouseExit}},
    {{"StaticText9", 20, 242, 175, 20, 9},
     "Other Titles",
     kBlue,
     0,
     {&wHelp::StaticText9_MouseDown, &wHelp::StaticText9_MouseUp, &wHelp::StaticText9_MouseEnter,
      &wHelp::StaticText9_MouseExit}},
};

}  // namespace

void wHelp::Layout() { SetProperties(*this, FixedWindowProperties(kWindow)); }

void wHelp::CreateControls() { CreateControls0(); }

void wHelp::CreateControls0() {
  auto sized = [](RectControl& control) {
    control.SetTextSize(kFontSize);
    control.SetTextUnit(0);
  };
  TextArea& pane = Add<TextArea>(kPane.name);
  sized(pane);
  SetProperties(pane, PaneProperties());
  for (const LinkRow& row : kLinks) {
    StaticText& link = Add<StaticText>(row.place.name);
    sized(link);
    SetProperties(link, LabelProperties(row.place, {row.caption, row.color, row.textAlign,
                                                    /*underline=*/true, /*multiline=*/false}));
    InstallLinkHandlers(*this, link, row.handlers);
  }
}
