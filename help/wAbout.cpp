// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/wAbout.h"

#include "common/HomePage.h"
#include "common/Version.h"
#include "common/mGlobals.h"
#include "help/Layout.h"
#include "help/Links.h"

const char* const kOwnershipNotice =
    "Copyright \u00A9 the Quendle developers. Free software under the GNU General Public "
    "License, version 3 or later.";

namespace {

constexpr const char* kClassName = "wAbout.wAbout";

const WindowLook kWindow = {.placement = 1,
                            .width = 424,
                            .height = 151,
                            .composite = false,
                            .hasBackColor = true,
                            .title = "About",
                            .closeButton = true};

constexpr float kFontSize = 10;
constexpr uint32_t kBlack = 0x000000, kRed = 0xFF0000;

struct LabelRow {
  Place place;
  LabelLook look;
};

// The labels, each with the place in the creation order that it follows: the band comes
// between the notice and the sentence that introduces the link.
const LabelRow kLabelsBeforeBand[] = {
    {{"StaticText1", 39, 7, 376, 29, 0}, {"Quendle v", kBlack, 0, false, false}},
    {{"StaticText2", 39, 54, 376, 30, 1}, {kOwnershipNotice, kBlack, 0, false, true}},
};
const Place kBand = {"Rectangle1", 0, -10, 30, 176, 2};
const LabelRow kLabelsAfterBand[] = {
    {{"StaticText3", 39, 95, 376, 32, 3},
     {"Check for updates and other information related to Quendle online at ", kBlack, 0, false,
      true}},
    {{"StaticText4", 39, 118, 376, 20, 4}, {"-", kRed, 0, true, false}},
};

}  // namespace

wAbout::wAbout() : Window(kClassName) {}

std::shared_ptr<wAbout> wAbout::Instance() { return ImplicitInstance<wAbout>(kClassName); }

void wAbout::Layout() { SetProperties(*this, FixedWindowProperties(kWindow)); }

void wAbout::CreateControls() { CreateControls0(); }

void wAbout::CreateControls0() {
  auto addLabel = [this](const LabelRow& row) {
    StaticText& label = Add<StaticText>(row.place.name);
    label.SetTextSize(kFontSize);
    SetProperties(label, LabelProperties(row.place, row.look));
  };
  for (const LabelRow& row : kLabelsBeforeBand) addLabel(row);

  Rectangle& band = Add<Rectangle>(kBand.name);
  PropertySet bandSet = ControlProperties(kBand);
  bandSet.insert(bandSet.end(), {{"FillColor", Color::FromRGB(kRed)},
                                 {"BorderWidth", 1},
                                 {"TopLeftColor", Color::FromRGB(kRed)},
                                 {"BottomRightColor", Color::FromRGB(kRed)}});
  SetProperties(band, bandSet);

  for (const LabelRow& row : kLabelsAfterBand) addLabel(row);
  InstallLinkHandlers(
      *this, Find<StaticText>("StaticText4"),
      LinkHandlers<wAbout>{&wAbout::StaticText4_MouseDown, &wAbout::StaticText4_MouseUp,
                           &wAbout::StaticText4_MouseEnter, &wAbout::StaticText4_MouseExit});
}

void wAbout::Event_Open() {
  // Only the first line takes the shared font.
  Find<StaticText>("StaticText1").SetTextFont(mGlobals::sTheFont);
  Find<StaticText>("StaticText1").SetText(kNameAndVersion);
  Find<StaticText>("StaticText2").SetText(kOwnershipNotice);
  Find<StaticText>("StaticText4").SetText(HomePageURL);
}

// The home-page link, as the help window's.
void wAbout::StaticText4_MouseUp(int32_t, int32_t) { OpenHomePage(); }
bool wAbout::StaticText4_MouseDown(int32_t, int32_t) { return true; }
void wAbout::StaticText4_MouseEnter() { PointAtLink(Find<StaticText>("StaticText4")); }
void wAbout::StaticText4_MouseExit() { LeaveLink(Find<StaticText>("StaticText4")); }
