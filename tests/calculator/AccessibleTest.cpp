// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive tools (screen readers, on-screen keyboards, dictation, test robots) do through
// the accessibility interface, as the desktop's accessibility bus hands it to the program.
#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <map>

#include "KeySequences.h"

namespace {

QAccessibleInterface* Accessible(QWidget* widget) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
  if (!accessible) throw NilObjectException("no accessible interface");
  return accessible;
}

// The bus's editing calls, each made as the bus makes it when the interface offers editing.
enum class Edit { SetContents, Insert, Delete, Paste, Cut, SetValue };

void Apply(QAccessibleInterface* accessible, Edit edit, const QString& text) {
  QAccessibleEditableTextInterface* editable = accessible->editableTextInterface();
  const int count = accessible->textInterface()->characterCount();
  switch (edit) {
    case Edit::SetValue:
      return accessible->setText(QAccessible::Value, text);
    case Edit::SetContents:
      if (editable) editable->replaceText(0, count, text);
      return;
    case Edit::Insert:
      if (editable) editable->insertText(1, text);
      return;
    case Edit::Delete:
      if (editable) editable->deleteText(0, count);
      return;
    case Edit::Paste:
      QApplication::clipboard()->setText(text);
      if (editable) editable->insertText(count, QApplication::clipboard()->text());
      return;
    case Edit::Cut:
      if (editable) editable->deleteText(0, 1);
      return;
  }
}

struct EditRow {
  const char* name;
  const char* control;
  Edit edit;
  const char* text;
};

class AccessibleEdit : public Calculator, public ::testing::WithParamInterface<EditRow> {};

TEST_P(AccessibleEdit, ChangesNoTextAndEqualsWritesOnlyTheKeys) {
  const EditRow& row = GetParam();
  RunKeys(app, "'12+34=56*7");
  const String tape = app.tape();
  app.spoken->clear();

  Apply(Accessible(app.widget(row.control)), row.edit, row.text);
  EXPECT_EQ(app.display(), "7");
  EXPECT_EQ(app.tape(), tape);
  EXPECT_EQ(*app.spoken, std::vector<Spoken>{});
  app.press("=");
  EXPECT_EQ(app.display(), "392");
  EXPECT_EQ(app.tape(), TapeLines("12|+ 34|---|46||56|x 7|----|392||"));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Bus, AccessibleEdit,
    ::testing::Values(
        EditRow{"DisplaySetContents", "efDisplay", Edit::SetContents, "xy1.2.3.4567890123"},
        EditRow{"DisplayInsert", "efDisplay", Edit::Insert, "e308"},
        EditRow{"DisplayDelete", "efDisplay", Edit::Delete, ""},
        EditRow{"DisplayPaste", "efDisplay", Edit::Paste, "-.-.-"},
        EditRow{"DisplayCut", "efDisplay", Edit::Cut, ""},
        EditRow{"DisplaySetValue", "efDisplay", Edit::SetValue, "1e308"},
        EditRow{"TapeSetContents", "efHistory", Edit::SetContents, ""},
        EditRow{"TapeInsert", "efHistory", Edit::Insert, "99\n"},
        EditRow{"TapeDelete", "efHistory", Edit::Delete, ""},
        EditRow{"TapePaste", "efHistory", Edit::Paste, "1\n+ 1\n--\n3\n\n"},
        EditRow{"TapeCut", "efHistory", Edit::Cut, ""},
        EditRow{"TapeSetValue", "efHistory", Edit::SetValue, "wiped"}),
    ByName);
// clang-format on

TEST_F(Calculator, AssistiveToolsStillReadAndMoveTheCaretAndSelection) {
  RunKeys(app, "'12+34= '567");
  for (const char* control : {"efDisplay", "efHistory"}) {
    SCOPED_TRACE(control);
    QWidget* widget = app.widget(control);
    QAccessibleTextInterface* text = Accessible(widget)->textInterface();
    ASSERT_TRUE(text);
    const String shown = control == String("efDisplay") ? app.display() : app.tape();
    EXPECT_EQ(text->text(0, text->characterCount()).toStdString(), shown);

    text->setCursorPosition(1);
    EXPECT_EQ(text->cursorPosition(), 1);
    text->setSelection(0, 0, 2);
    int start = -1, end = -1;
    text->selection(0, &start, &end);
    EXPECT_EQ(std::pair(start, end), std::pair(0, 2));
    auto* field = qobject_cast<QLineEdit*>(widget);
    auto* area = qobject_cast<QPlainTextEdit*>(widget);
    const QString selected = field ? field->selectedText() : area->textCursor().selectedText();
    EXPECT_EQ(selected.toStdString(), shown.substr(0, 2));
  }
  EXPECT_EQ(app.display(), "567");
}

struct PressRow {
  const char* name;
  const char* keys;  // each character one key's caption
  int gapMs;
};

class AccessiblePress : public Calculator, public ::testing::WithParamInterface<PressRow> {};

TEST_P(AccessiblePress, IsOneClickAtOnce) {
  const PressRow& row = GetParam();
  static const std::map<char, const char*> kWords = {{'1', "one"}, {'2', "two"}, {'3', "three"}};
  std::vector<Spoken> words;
  for (const char* key = row.keys; *key; ++key) {
    QAccessibleActionInterface* actions = Accessible(app.key(String(1, *key)))->actionInterface();
    ASSERT_TRUE(actions);
    actions->doAction(QAccessibleActionInterface::pressAction());
    words.push_back(Cut(kWords.at(*key)));
    EXPECT_EQ(*app.spoken, words) << "at once";
    QTest::qWait(row.gapMs);
  }
  QTest::qWait(150);
  EXPECT_EQ(app.display(), row.keys);
  EXPECT_EQ(*app.spoken, words);
}

INSTANTIATE_TEST_SUITE_P(Bus, AccessiblePress,
                         ::testing::Values(PressRow{"OneKeyEvery10ms", "11111111", 10},
                                           PressRow{"TwoKeysEvery20ms", "12121212", 20},
                                           PressRow{"ThreeKeysEvery50ms", "12312312", 50}),
                         ByName);

}  // namespace
