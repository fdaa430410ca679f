// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/wHelp.h"

#include "common/HomePage.h"
#include "common/mGlobals.h"
#include "help/HelpTexts.h"
#include "help/Links.h"

const char* const kCutLine =
    "(The rest of this text is not shown: it is too long for the help window.)";

namespace {
constexpr const char* kClassName = "wHelp.wHelp";
constexpr const char* kTopicLinks[] = {"StaticText2", "StaticText3", "StaticText4", "StaticText5",
                                       "StaticText7", "StaticText8", "StaticText9"};

// Beyond this a text takes the pane most of a second to take in, and memory many times its
// size; a help text that long is damaged or foreign.
constexpr size_t kShownBytes = size_t(5) << 20;

// The part of a topic's text that the pane shows: all of it, or its first part up to a line
// end (or a character's end, in a text without one), followed by the line that says so.
String Shown(const String& text) {
  if (text.size() <= kShownBytes) return text;
  size_t cut = text.rfind('\n', kShownBytes - 1);
  if (cut == String::npos || cut < kShownBytes / 2) {
    cut = kShownBytes;
    while (cut > 0 && (uint8_t(text[cut]) & 0xC0) == 0x80) --cut;  // not inside a sequence
  } else {
    ++cut;
  }
  return text.substr(0, cut) + "\n\n" + kCutLine;
}
}  // namespace

wHelp::wHelp() : Window(kClassName) {}

std::shared_ptr<wHelp> wHelp::Instance() { return ImplicitInstance<wHelp>(kClassName); }

void wHelp::Event_Open() {
  mAppearanceUpdate();
  Find<TextArea>("EditField1").SetText(Shown(ReadMeFirstMac0()));
}

// The menus are as the application's own enabling leaves them.
void wHelp::Event_EnableMenuItems() {}

void wHelp::mAppearanceUpdate() {
  TextArea& pane = Find<TextArea>("EditField1");
  pane.SetTextFont(mGlobals::sTheFont);
  pane.SetTextSize(float(mGlobals::iTheFontSize + 2));
  StaticText& home = Find<StaticText>("StaticText1");
  home.SetTextFont(mGlobals::sTheFont);
  home.SetTextSize(float(mGlobals::iTheFontSize + 2));
  for (const char* name : kTopicLinks) {
    StaticText& link = Find<StaticText>(name);
    link.SetTextFont(mGlobals::sTheFont);
    link.SetTextSize(float(mGlobals::iTheFontSize));
  }
  Find<StaticText>("StaticText1").SetText(HomePageURL);
}

void wHelp::showTopic(const String& (*topic)()) {
  TextArea& pane = Find<TextArea>("EditField1");
  pane.SetText(Shown(topic()));
  pane.Refresh(true);
}

void wHelp::pointAt(const char* link) { PointAtLink(Find<StaticText>(link)); }
void wHelp::leave(const char* link) { LeaveLink(Find<StaticText>(link)); }

// The home-page link.
bool wHelp::StaticText1_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText1_MouseUp(int32_t, int32_t) { OpenHomePage(); }
void wHelp::StaticText1_MouseEnter() { pointAt("StaticText1"); }
void wHelp::StaticText1_MouseExit() { leave("StaticText1"); }

// The topic links.
void wHelp::StaticText2_MouseEnter() { pointAt("StaticText2"); }
void wHelp::StaticText2_MouseExit() { leave("StaticText2"); }
bool wHelp::StaticText2_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText2_MouseUp(int32_t, int32_t) { showTopic(ReadMeFirstMac1); }

void wHelp::StaticText3_MouseEnter() { pointAt("StaticText3"); }
void wHelp::StaticText3_MouseExit() { leave("StaticText3"); }
bool wHelp::StaticText3_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText3_MouseUp(int32_t, int32_t) { showTopic(ReadMeFirstMac2); }

void wHelp::StaticText4_MouseEnter() { pointAt("StaticText4"); }
void wHelp::StaticText4_MouseExit() { leave("StaticText4"); }
bool wHelp::StaticText4_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText4_MouseUp(int32_t, int32_t) { showTopic(ReadMeFirstMac3); }

void wHelp::StaticText5_MouseEnter() { pointAt("StaticText5"); }
void wHelp::StaticText5_MouseExit() { leave("StaticText5"); }
bool wHelp::StaticText5_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText5_MouseUp(int32_t, int32_t) { showTopic(ReadMeFirstMac4); }

void wHelp::StaticText7_MouseEnter() { pointAt("StaticText7"); }
bool wHelp::StaticText7_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText7_MouseUp(int32_t, int32_t) { showTopic(ReadMeFirst6); }
void wHelp::StaticText7_MouseExit() { leave("StaticText7"); }

void wHelp::StaticText8_MouseEnter() { pointAt("StaticText8"); }
void wHelp::StaticText8_MouseExit() { leave("StaticText8"); }
bool wHelp::StaticText8_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText8_MouseUp(int32_t, int32_t) { showTopic(ReadMeFirst7); }

void wHelp::StaticText9_MouseEnter() { pointAt("StaticText9"); }
void wHelp::StaticText9_MouseExit() { leave("StaticText9"); }
bool wHelp::StaticText9_MouseDown(int32_t, int32_t) { return true; }
void wHelp::StaticText9_MouseUp(int32_t, int32_t) { showTopic(ReadMeFirstMac8); }
