// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFontInfo>
#include <QLabel>
#include <QTest>

#include "Harness.h"
#include "NativeAccess.h"
#include "Pointer.h"
#include "app/App.h"
#include "calculator/wMain.h"
#include "common/HomePage.h"
#include "common/mGlobals.h"
#include "help/wAbout.h"

namespace {

class AboutBox : public testing::Test {
 protected:
  // The About command, as the menu runs it.
  wAbout& openAbout() {
    FileAbout()->Action()->trigger();
    return live();
  }
  static wAbout& live() {
    auto about = std::dynamic_pointer_cast<wAbout>(GetImplicitWindow("wAbout.wAbout"));
    return Checked(about, "about box");
  }
  static size_t liveAboutBoxes() {
    size_t count = 0;
    for (const auto& window : LiveWindows()) count += window->ClassName() == "wAbout.wAbout";
    return count;
  }
  static QLabel* label(Window& window, const char* name) {
    return qobject_cast<QLabel*>(NativeObject(window.Find<Control>(name)));
  }
  static String text(Window& window, const char* name) {
    return label(window, name)->text().toStdString();
  }

  AppHarness app;
};

// Sees the texts as the controls have them when the framework raises Open.
class SpyAbout : public wAbout {
 public:
  void Event_Open() override {
    for (const char* name : {"StaticText1", "StaticText2", "StaticText3", "StaticText4"}) {
      before.push_back(Find<StaticText>(name).Text());
    }
    wAbout::Event_Open();
  }
  std::vector<String> before;
};

TEST_F(AboutBox, FillsInItsTextsWhenItOpens) {
  auto about = std::make_shared<SpyAbout>();
  about->Constructor();
  const String introduction =
      "Check for updates and other information related to Quendle online at ";
  EXPECT_EQ(about->before, (std::vector<String>{"Quendle v", kOwnershipNotice, introduction, "-"}));
  EXPECT_EQ(text(*about, "StaticText1"), "Quendle v1.7");
  EXPECT_EQ(text(*about, "StaticText2"), kOwnershipNotice);
  EXPECT_EQ(text(*about, "StaticText3"), introduction);
  EXPECT_EQ(text(*about, "StaticText4"), HomePageURL);
}

TEST_F(AboutBox, OnlyTheFirstLineTakesTheSharedFont) {
  mGlobals::sTheFont = "DejaVu Serif";
  wAbout& about = openAbout();
  EXPECT_EQ(about.Title(), "About");
  EXPECT_EQ(about.Find<StaticText>("StaticText1").TextFont(), "DejaVu Serif");
  EXPECT_EQ(QFontInfo(label(about, "StaticText1")->font()).family(), "DejaVu Serif");
  for (const char* name : {"StaticText1", "StaticText2", "StaticText3", "StaticText4"}) {
    SCOPED_TRACE(name);
    if (String(name) != "StaticText1") {
      EXPECT_EQ(about.Find<StaticText>(name).TextFont(), "Geneva");
    }
    EXPECT_EQ(label(about, name)->font().pixelSize(), 10);
    // Every text fits its label.
    QLabel* l = label(about, name);
    QRect needed = l->fontMetrics().boundingRect(QRect(0, 0, l->width(), 1000),
                                                 l->wordWrap() ? Qt::TextWordWrap : 0, l->text());
    EXPECT_LE(needed.width(), l->width());
    EXPECT_LE(needed.height(), l->height());
  }
}

struct PlaceRow {
  const char* name;
  QRect geometry;
  QColor color;
  bool underline, wordWrap;
};

TEST_F(AboutBox, ShowsARedBandAndTheLinkInRed) {
  wAbout& about = openAbout();
  const PlaceRow labels[] = {
      {"StaticText1", {39, 7, 376, 29}, Qt::black, false, false},
      {"StaticText2", {39, 54, 376, 30}, Qt::black, false, true},
      {"StaticText3", {39, 95, 376, 32}, Qt::black, false, true},
      {"StaticText4", {39, 118, 376, 20}, Qt::red, true, false},
  };
  for (const PlaceRow& row : labels) {
    SCOPED_TRACE(row.name);
    QLabel* l = label(about, row.name);
    EXPECT_EQ(l->geometry(), row.geometry);
    EXPECT_EQ(l->palette().color(QPalette::WindowText), row.color);
    EXPECT_EQ(l->font().underline(), row.underline);
    EXPECT_EQ(l->wordWrap(), row.wordWrap);
  }
  auto* band = qobject_cast<QWidget*>(NativeObject(about.Find<Rectangle>("Rectangle1")));
  EXPECT_EQ(band->geometry(), QRect(0, -10, 30, 176));
  QImage drawn = band->grab().toImage();
  EXPECT_EQ(drawn.pixelColor(0, 0), Qt::red) << "its border";
  EXPECT_EQ(drawn.pixelColor(15, 88), Qt::red) << "its fill";
  QWidget* client = band->parentWidget();
  EXPECT_EQ(client->size(), QSize(424, 151));
  EXPECT_EQ(client->palette().color(QPalette::Window), Qt::white);
  QWidget* top = NativeWindow(about);
  EXPECT_EQ(top->minimumSize(), top->maximumSize()) << "not resizable";
  EXPECT_TRUE(top->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(top->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(top->windowFlags() & Qt::WindowMaximizeButtonHint);
}

TEST_F(AboutBox, OpensCentredOverTheCalculator) {
  QWidget* calculator = NativeWindow(app.window());
  QWidget* about = NativeWindow(openAbout());
  // Within the rounding of halving odd sizes.
  EXPECT_LE(
      (about->frameGeometry().center() - calculator->frameGeometry().center()).manhattanLength(),
      4);
}

TEST_F(AboutBox, IsASingleBoxUntilClosed) {
  wAbout& first = openAbout();
  label(first, "StaticText1")->setText("marked");
  EXPECT_EQ(&openAbout(), &first);
  EXPECT_EQ(liveAboutBoxes(), 1u);
  EXPECT_EQ(text(first, "StaticText1"), "marked") << "Open does not run again";
  // The hidden Help menu item does the same.
  HelpAbout()->SetVisible(true);
  HelpAbout()->Action()->trigger();
  EXPECT_EQ(&live(), &first);

  std::shared_ptr<Window> closed = first.shared_from_this();
  NativeWindow(first)->close();
  EXPECT_EQ(liveAboutBoxes(), 0u);
  wAbout& second = openAbout();
  EXPECT_NE(&second, closed.get());
  EXPECT_EQ(text(second, "StaticText1"), "Quendle v1.7");
  EXPECT_EQ(text(second, "StaticText4"), HomePageURL);
}

TEST_F(AboutBox, TheAboutCommandBringsBackAMinimisedBox) {
  wAbout& about = openAbout();
  QWidget* top = NativeWindow(about);
  top->setWindowState(Qt::WindowMinimized);
  ASSERT_TRUE(top->isMinimized());
  EXPECT_EQ(&openAbout(), &about);
  EXPECT_FALSE(top->isMinimized());
  EXPECT_TRUE(top->isVisible());
}

TEST_F(AboutBox, TheLinkOpensTheHomePageOnRelease) {
  wAbout& about = openAbout();
  QLabel* link = label(about, "StaticText4");
  PointerEnters(link);
  EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
  QTest::mousePress(link, Qt::LeftButton);
  EXPECT_TRUE(app.urls->empty());
  QTest::mouseRelease(link, Qt::LeftButton);
  EXPECT_EQ(*app.urls, std::vector<String>{HomePageURL});
  PointerLeaves(link);
  EXPECT_EQ(link->cursor().shape(), Qt::ArrowCursor);
  // The other labels are no links.
  QTest::mouseClick(label(about, "StaticText3"), Qt::LeftButton);
  EXPECT_EQ(app.urls->size(), 1u);
}

}  // namespace
