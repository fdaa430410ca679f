// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractScrollArea>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStyle>

#include "KeySequences.h"
#include "calculator/wMain.h"
#include "platform/Text.h"

namespace {

// The pixels of a band `width` wide along the widget's edges.
std::vector<QRgb> Edges(QWidget* widget, int width) {
  QImage image = widget->grab().toImage();
  std::vector<QRgb> band;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      bool edge =
          x < width || y < width || x >= image.width() - width || y >= image.height() - width;
      if (edge) band.push_back(image.pixel(x, y));
    }
  }
  return band;
}

int PixelsOf(QWidget* widget, QColor color) {
  QImage image = widget->grab().toImage();
  int count = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) count += image.pixelColor(x, y) == color;
  }
  return count;
}

TEST_F(Calculator, TheDisplayDrawsNoFocusFrame) {
  QWidget* display = app.widget("efDisplay");
  ASSERT_TRUE(display->hasFocus());
  const auto focused = Edges(display, 4);
  app.widget("efHistory")->setFocus();
  ASSERT_FALSE(display->hasFocus());
  EXPECT_TRUE(focused == Edges(display, 4)) << "the frame is the same with and without focus";
}

TEST_F(Calculator, TheTapeShowsItsSelectionOnlyWithTheFocus) {
  RunKeys(app, "'5+3=");
  auto* tape = qobject_cast<QPlainTextEdit*>(app.widget("efHistory"));
  tape->selectAll();
  const QColor highlight = tape->palette().color(QPalette::Active, QPalette::Highlight);
  tape->setFocus();
  EXPECT_GT(PixelsOf(tape, highlight), 0);
  app.widget("efDisplay")->setFocus();
  EXPECT_EQ(PixelsOf(tape, highlight), 0);
  EXPECT_TRUE(tape->textCursor().hasSelection()) << "hidden, not dropped";
}

TEST_F(Calculator, TheTapeHasItsScrollBarFromTheStart) {
  auto* tape = qobject_cast<QAbstractScrollArea*>(app.widget("efHistory"));
  EXPECT_EQ(app.tape(), "");
  EXPECT_TRUE(tape->verticalScrollBar()->isVisible());
  EXPECT_FALSE(tape->horizontalScrollBar()->isVisible());
}

// The display draws its text whole: the dark columns of its picture span the text's full width
// at the font it is drawn in, and stop short of both edges. A text scrolled or cut at either
// side leaves fewer.
void ExpectShownWhole(QLineEdit* display) {
  const QImage image = display->grab().toImage();
  int left = image.width(), right = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (qGray(image.pixel(x, y)) >= 128) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  const int whole = display->fontMetrics().tightBoundingRect(display->text()).width();
  EXPECT_GE(right - left + 1, whole - 2) << "drawn " << left << " to " << right;
  const int frame = display->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
  EXPECT_GT(left, frame);
  EXPECT_LT(right, image.width() - 1 - frame);
  EXPECT_LE(display->font().pixelSize(), 48) << "never larger than the layout's size";
}

TEST_F(Calculator, TheDisplayShowsTheWholeOfTheLongestResults) {
  auto* display = qobject_cast<QLineEdit*>(app.widget("efDisplay"));
  for (const char* text :
       {"-0.666666666666667", "-1.23456789012346e+20", "-Infinity", "-1.79769313486231e+308",
        "-4.94065645841247e-324", "-12345678901234567168"}) {
    SCOPED_TRACE(text);
    app.window().Find<TextField>("efDisplay").SetText(text);
    ExpectShownWhole(display);
  }
}

TEST_F(Calculator, TheDisplayShowsTheWholeOfResultsReachedByKeys) {
  struct Row {
    const char* keys;
    const char* display;
  };
  const Row rows[] = {
      {"1 / 3 =", "0.333333333333333"},
      {"1 2 3 4 5 6 7 8 x 8 7 6 5 4 3 2 1 =", "1082152022374638"},
      {"- 2 / 3 =", "-0.666666666666667"},
      {"- 1 2 3 4 5 6 7 x 9 9 9 9 9 9 9 9 = x 9 9 9 9 9 9 9 9 =", "-1.23456697530866e+22"},
      {"- 5 / 0 =", "-Infinity"},
  };
  auto* display = qobject_cast<QLineEdit*>(app.widget("efDisplay"));
  for (const Row& row : rows) {
    SCOPED_TRACE(row.keys);
    RunKeys(app, "C2 " + String(row.keys));
    ASSERT_EQ(app.display(), row.display);
    ExpectShownWhole(display);
  }
}

TEST_F(Calculator, TypedEntryKeepsTheLayoutsSize) {
  auto* display = qobject_cast<QLineEdit*>(app.widget("efDisplay"));
  for (const char* keys : {"'88888888", "'-8888888", "1 / 3 = '88888888", "'.8888888"}) {
    SCOPED_TRACE(keys);
    RunKeys(app, "C2 " + String(keys));
    ASSERT_EQ(Len(app.display()), 8);
    EXPECT_EQ(display->font().pixelSize(), 48);
    ExpectShownWhole(display);
  }
  RunKeys(app, "1 / 3 =");
  EXPECT_EQ(app.window().Find<TextField>("efDisplay").TextSize(), 48)
      << "the control's own size stays what the layout set";
  EXPECT_EQ(display->cursorPosition(), display->text().size()) << "the caret stays at the end";
}

}  // namespace
