// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractScrollArea>
#include <QImage>
#include <QPlainTextEdit>
#include <QScrollBar>

#include "KeySequences.h"

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

}  // namespace
