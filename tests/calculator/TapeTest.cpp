// SPDX-License-Identifier: GPL-3.0-or-later
#include <QAbstractScrollArea>
#include <QScrollBar>
#include <QTest>

#include "KeySequences.h"
#include "calculator/wMain.h"

namespace {

TEST_F(Calculator, TheEndOfALongTapeShowsAfterEquals) {
  String lines;
  for (int i = 0; i < 12000; ++i) lines += "1\n";
  app.window().Find<TextArea>("efHistory").SetText(lines);
  RunKeys(app, "5 + 3 =");
  auto* tape = qobject_cast<QAbstractScrollArea*>(app.widget("efHistory"));
  ASSERT_TRUE(tape);
  QScrollBar* bar = tape->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  EXPECT_EQ(app.tape(), lines + "5\n+ 3\n--\n8\n\n");
}

TEST_F(Calculator, TheTapeCannotBeEdited) {
  RunKeys(app, "5 + 3 =");
  String before = app.tape();
  QTest::keyClick(app.widget("efHistory"), 'z');
  QTest::keyClick(app.widget("efHistory"), Qt::Key_Backspace);
  EXPECT_EQ(app.tape(), before);
}

}  // namespace
