// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QFontInfo>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "Harness.h"
#include "NativeAccess.h"
#include "calculator/wMain.h"
#include "common/mGlobals.h"

namespace {

struct ControlRow {
  const char* name;
  const char* className;
  int pixelSize;
  QRect geometry;
  const char* caption;
};

const ControlRow kControls[] = {
    {"efDisplay", "TextField", 48, {3, 2, 365, 85}, ""},
    {"PushButton1", "PushButton", 72, {3, 375, 87, 87}, "0"},
    {"PushButton2", "PushButton", 72, {3, 281, 87, 87}, "1"},
    {"PushButton3", "PushButton", 72, {96, 281, 87, 87}, "2"},
    {"PushButton4", "PushButton", 72, {189, 281, 87, 87}, "3"},
    {"PushButton5", "PushButton", 72, {3, 187, 87, 87}, "4"},
    {"PushButton6", "PushButton", 72, {96, 187, 87, 87}, "5"},
    {"PushButton7", "PushButton", 72, {189, 187, 87, 87}, "6"},
    {"PushButton8", "PushButton", 72, {3, 93, 87, 87}, "7"},
    {"PushButton9", "PushButton", 72, {96, 93, 87, 87}, "8"},
    {"PushButton10", "PushButton", 72, {189, 93, 87, 87}, "9"},
    {"PushButton11", "PushButton", 72, {189, 375, 87, 87}, "="},
    {"PushButton12", "PushButton", 72, {281, 93, 87, 87}, "/"},
    {"PushButton13", "PushButton", 72, {281, 187, 87, 87}, "x"},
    {"PushButton14", "PushButton", 72, {281, 281, 87, 87}, "-"},
    {"PushButton15", "PushButton", 72, {281, 375, 87, 87}, "+"},
    {"PushButton16", "PushButton", 72, {96, 375, 87, 87}, "."},
    {"PushButton17", "PushButton", 36, {4, 469, 180, 47}, "C1"},
    {"efHistory", "TextArea", 24, {375, 3, 145, 520}, ""},
    {"PushButton18", "PushButton", 36, {188, 469, 180, 47}, "C2"},
};

TEST(CalculatorWindow, OpensTitledReadyAndFresh) {
  AppHarness app;
  EXPECT_EQ(app.window().Title(), "Quendle v1.7");
  EXPECT_EQ(NativeWindow(app.window())->windowTitle().toStdString(), "Quendle v1.7");
  ASSERT_FALSE(app.spoken->empty());
  EXPECT_EQ(app.spoken->front(), (Spoken{"ready", false}));
  EXPECT_TRUE(mGlobals::bClear);
  EXPECT_TRUE(mGlobals::bInitialClick);
  EXPECT_FALSE(mGlobals::bOperationSelected);
  EXPECT_FALSE(mGlobals::bComputationComplete);
  EXPECT_FALSE(mGlobals::bSetForSec);
  EXPECT_EQ(mGlobals::dPri, 0);
  EXPECT_EQ(mGlobals::dSec, 0);
  EXPECT_EQ(mGlobals::dResult, 0);
  EXPECT_EQ(mGlobals::sOperation, "");
  EXPECT_EQ(app.display(), "");
  EXPECT_EQ(app.tape(), "");
  EXPECT_EQ(QApplication::focusWidget(), app.widget("efDisplay"));
}

TEST(CalculatorWindow, BuildsItsControlsInOrderWithTheirPlacesAndFonts) {
  AppHarness app;
  const auto& controls = app.window().Controls();
  ASSERT_EQ(controls.size(), std::size(kControls) + 1);
  for (size_t i = 0; i < std::size(kControls); ++i) {
    const ControlRow& row = kControls[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(controls[i]->Name(), row.name);
    EXPECT_EQ(controls[i]->ClassName(), row.className);
    QWidget* widget = app.widget(row.name);
    EXPECT_EQ(widget->geometry(), row.geometry);
    EXPECT_EQ(widget->font().pixelSize(), row.pixelSize);
    EXPECT_EQ(app.window().Find<RectControl>(row.name).TextFont(), "Geneva");
    EXPECT_EQ(QFontInfo(widget->font()).family(), "DejaVu Sans") << "Geneva draws as DejaVu Sans";
    if (auto* button = qobject_cast<QPushButton*>(widget)) {
      EXPECT_EQ(button->text().toStdString(), row.caption);
      EXPECT_FALSE(button->isEnabled()) << "keys wait for the timer";
      // The caption fits its key.
      EXPECT_LE(button->fontMetrics().horizontalAdvance(button->text()), row.geometry.width());
    }
  }
  EXPECT_EQ(controls.back()->Name(), "Timer1");
  EXPECT_EQ(controls.back()->ClassName(), "wMain.Timer1");
}

TEST(CalculatorWindow, KeepsItsSizeWithMinimiseOnly) {
  AppHarness app;
  QWidget* top = NativeWindow(app.window());
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(top->minimumSize(), top->maximumSize()) << "not resizable";
  EXPECT_EQ(app.widget("efDisplay")->parentWidget()->size(), QSize(525, 530));
  Qt::WindowFlags flags = top->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowCloseButtonHint);
}

TEST(CalculatorWindow, KeysWorkOnlyOnceTheTimerHasFired) {
  AppHarness app;
  auto* timer = qobject_cast<QTimer*>(NativeObject(app.window().Find<Timer>("Timer1")));
  ASSERT_TRUE(timer);
  EXPECT_TRUE(timer->isActive());
  EXPECT_TRUE(timer->isSingleShot());
  EXPECT_EQ(timer->interval(), 1000);

  app.press("5");
  EXPECT_EQ(app.display(), "");
  EXPECT_EQ(app.spoken->size(), 1u) << "only ready";
  app.type("7");
  EXPECT_EQ(app.display(), "7") << "typing works before the keys do";

  QWidget* five = app.widget("PushButton6");
  EXPECT_TRUE(QTest::qWaitFor([&] { return five->isEnabled(); }, 3000));
  for (int key = 1; key <= 18; ++key) {
    EXPECT_TRUE(app.widget("PushButton" + std::to_string(key))->isEnabled()) << key;
  }
  app.press("5");
  EXPECT_EQ(app.display(), "75");
  EXPECT_EQ(app.spoken->back(), (Spoken{"five", true}));
}

TEST(CalculatorWindow, OpeningChangesFontNamesButNotSizes) {
  AppHarness app;
  for (const ControlRow& row : kControls) {
    auto& control = app.window().Find<RectControl>(row.name);
    EXPECT_EQ(control.TextSize(), row.pixelSize) << row.name;
    EXPECT_EQ(control.TextFont(), mGlobals::sTheFont) << row.name;
  }
}

TEST(CalculatorWindow, ClosingItQuitsTheApplication) {
  AppHarness app;
  app.enableKeys();
  NativeWindow(app.window())->close();
  EXPECT_EQ(*app.quits, std::vector<int32_t>{0});
  EXPECT_TRUE(app.messages->empty()) << "the focus leaving the closing window raises nothing";
}

TEST(CalculatorWindow, AKeyThatTakesTheFocusHandsItBack) {
  AppHarness app;
  app.enableKeys();
  app.widget("PushButton3")->setFocus();
  EXPECT_EQ(QApplication::focusWidget(), app.widget("efDisplay"));
  app.widget("efHistory")->setFocus();
  EXPECT_EQ(QApplication::focusWidget(), app.widget("efHistory"));
  QTest::keyClick(app.widget("efHistory"), '7');
  EXPECT_EQ(QApplication::focusWidget(), app.widget("efDisplay"));
  EXPECT_EQ(app.display(), "") << "the first key typed into the tape is lost";
}

}  // namespace

namespace {

TEST(CalculatorWindow, CopyTakesTheSelectionOfTheFocusedText) {
  AppHarness app;
  app.type("123");
  auto* display = qobject_cast<QLineEdit*>(app.widget("efDisplay"));
  display->setSelection(1, 2);
  QTest::keyClick(display, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "23");
  EXPECT_EQ(app.display(), "123") << "the shortcut is not typed";

  app.enableKeys();
  app.type("+4=");
  auto* tape = qobject_cast<QPlainTextEdit*>(app.widget("efHistory"));
  tape->setFocus();
  tape->selectAll();
  QTest::keyClick(tape, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "123\n+ 4\n----\n127\n\n");
}

}  // namespace
