// SPDX-License-Identifier: GPL-3.0-or-later
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTest>
#include <QWindow>

#include "KeySequences.h"
#include "NativeAccess.h"
#include "calculator/wMain.h"
#include "common/mGlobals.h"

namespace {

constexpr const char* kClipboard = "77xy1.2.3.45678901234";

struct Stroke {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};

// What the display holds before the key: typed or clicked keys, then a caret or selection.
enum class Then { Nothing, CaretAtStart, SelectAll, Undo };

struct ModifiedKeyRow {
  const char* name;
  const char* before;  // RunKeys notation
  Then then;
  Stroke stroke;
  const char* display;
  std::vector<Spoken> spoken;  // after the state was reached
  bool clear;                  // bClear afterwards
};

class ModifiedKey : public Calculator, public ::testing::WithParamInterface<ModifiedKeyRow> {};

constexpr Qt::KeyboardModifiers kMeta = Qt::MetaModifier;
constexpr Qt::KeyboardModifiers kCtrl = Qt::ControlModifier;
constexpr Qt::KeyboardModifiers kAltGr = Qt::ControlModifier | Qt::AltModifier;

TEST_P(ModifiedKey, EntersOnlyWhatItsCharacterWould) {
  const ModifiedKeyRow& row = GetParam();
  RunKeys(app, row.before);
  auto* display = qobject_cast<QLineEdit*>(app.widget("efDisplay"));
  switch (row.then) {
    case Then::Nothing:
      break;
    case Then::CaretAtStart:
      display->setCursorPosition(0);
      break;
    case Then::SelectAll:
      display->selectAll();
      break;
    case Then::Undo:
      display->undo();  // so that there is something to redo
      break;
  }
  const String shown = app.display();
  QApplication::clipboard()->setText(kClipboard);
  app.spoken->clear();

  QTest::keyClick(display, row.stroke.key, row.stroke.modifiers);
  EXPECT_EQ(app.display(), row.display) << "showed " << shown;
  EXPECT_EQ(*app.spoken, row.spoken);
  EXPECT_EQ(mGlobals::bClear, row.clear);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), kClipboard) << "nothing was cut";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Keys, ModifiedKey,
    ::testing::Values(
        ModifiedKeyRow{"MetaDigitOnAFreshWindow", "", Then::Nothing, {Qt::Key_5, kMeta}, "5", {Queued("5")}, false},
        ModifiedKeyRow{"MetaLetterOnAFreshWindow", "", Then::Nothing, {Qt::Key_A, kMeta}, "", {}, true},
        ModifiedKeyRow{"AltGrPointOnAFreshWindow", "", Then::Nothing, {Qt::Key_Period, kAltGr}, ".", {Queued("point")}, false},
        ModifiedKeyRow{"AltDigitOnAFreshWindow", "", Then::Nothing, {Qt::Key_7, Qt::AltModifier}, "7", {Queued("7")}, false},
        ModifiedKeyRow{"MetaDigitOnAFullDisplay", "'12345678", Then::Nothing, {Qt::Key_5, kMeta}, "12345678", {}, false},
        ModifiedKeyRow{"MetaLetterOnAFullDisplay", "'12345678", Then::Nothing, {Qt::Key_A, kMeta}, "12345678", {}, false},
        ModifiedKeyRow{"AltGrPointOnAFullDisplay", "'12345678", Then::Nothing, {Qt::Key_Period, kAltGr}, "12345678", {}, false},
        ModifiedKeyRow{"AltGrPointAfterAPoint", "'1.", Then::Nothing, {Qt::Key_Period, kAltGr}, "1.", {Cut("decimal point is already included")}, false},
        ModifiedKeyRow{"MetaLetterAfterAPlus", "'5+", Then::Nothing, {Qt::Key_A, kMeta}, "", {}, false},
        ModifiedKeyRow{"MetaDigitOnAResult", "'5+3=", Then::Nothing, {Qt::Key_4, kMeta}, "4", {Queued("4")}, false},
        ModifiedKeyRow{"AltGrLetterOnAResult", "'5+3=", Then::Nothing, {Qt::Key_A, kAltGr}, "", {}, false},
        ModifiedKeyRow{"AltGrPointOnAResultWithAPoint", "5 / 2 =", Then::Nothing, {Qt::Key_Period, kAltGr}, ".", {Queued("point")}, false},
        ModifiedKeyRow{"CtrlDigitIsNoDigit", "", Then::Nothing, {Qt::Key_5, kCtrl}, "", {}, true},
        ModifiedKeyRow{"CtrlXCutsNothing", "'12", Then::SelectAll, {Qt::Key_X, kCtrl}, "12", {}, false},
        ModifiedKeyRow{"ShiftDeleteCutsNothing", "'12345678", Then::SelectAll, {Qt::Key_Delete, Qt::ShiftModifier}, "12345678", {}, false},
        ModifiedKeyRow{"CtrlZUndoesNothing", "'12", Then::Nothing, {Qt::Key_Z, kCtrl}, "12", {}, false},
        ModifiedKeyRow{"CtrlYRedoesNothing", "'12", Then::Undo, {Qt::Key_Y, kCtrl}, "", {}, false},
        ModifiedKeyRow{"CtrlShiftZRedoesNothing", "'12", Then::Undo, {Qt::Key_Z, kCtrl | Qt::ShiftModifier}, "", {}, false},
        ModifiedKeyRow{"CtrlKDeletesNothing", "'12", Then::CaretAtStart, {Qt::Key_K, kCtrl}, "12", {}, false},
        ModifiedKeyRow{"CtrlUDeletesNothing", "'12", Then::Nothing, {Qt::Key_U, kCtrl}, "12", {}, false},
        ModifiedKeyRow{"CtrlBackspaceDeletesNothing", "'12", Then::Nothing, {Qt::Key_Backspace, kCtrl}, "12", {}, false},
        ModifiedKeyRow{"CtrlDeleteDeletesNothing", "'12", Then::CaretAtStart, {Qt::Key_Delete, kCtrl}, "12", {}, false},
        ModifiedKeyRow{"CtrlVPastesNothing", "'12", Then::Nothing, {Qt::Key_V, kCtrl}, "12", {}, false},
        ModifiedKeyRow{"ShiftInsertPastesNothing", "'12", Then::Nothing, {Qt::Key_Insert, Qt::ShiftModifier}, "12", {}, false},
        ModifiedKeyRow{"SunPasteKeyPastesNothing", "'12", Then::Nothing, {Qt::Key_F18, Qt::NoModifier}, "12", {}, false},
        ModifiedKeyRow{"ShiftBackspaceIsBackspace", "'12", Then::Nothing, {Qt::Key_Backspace, Qt::ShiftModifier}, "1", {Queued("\b")}, false}),
    ByName);
// clang-format on

TEST_F(Calculator, CopyAndSelectAllStillWorkInTheDisplay) {
  RunKeys(app, "'12");
  QWidget* display = app.widget("efDisplay");
  QTest::keyClick(display, Qt::Key_A, Qt::ControlModifier);
  QTest::keyClick(display, Qt::Key_Insert, Qt::ControlModifier);
  EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "12");
  EXPECT_EQ(app.display(), "12");
}

TEST_F(Calculator, TextFromAnInputMethodIsRefused) {
  RunKeys(app, "'12");
  QInputMethodEvent composed;
  composed.setCommitString("77x");
  QApplication::sendEvent(app.widget("efDisplay"), &composed);
  EXPECT_EQ(app.display(), "12");
}

struct ComposedRow {
  const char* name;
  bool selectAll;  // else the caret stands after the tape's third character
  bool deadKey;    // a dead key comes first, as when a compose sequence made the text
  const char* commit;
  int replaceFrom, replaceLength;  // around the caret, as an input method may ask
};

class ComposedIntoTheTape : public Calculator, public ::testing::WithParamInterface<ComposedRow> {};

TEST_P(ComposedIntoTheTape, LeavesItAsItWas) {
  const ComposedRow& row = GetParam();
  RunKeys(app, "'12+34=56*7=");
  auto* tape = qobject_cast<QPlainTextEdit*>(app.widget("efHistory"));
  ASSERT_TRUE(tape);
  QTest::mouseClick(tape->viewport(), Qt::LeftButton);
  if (row.selectAll) {
    QTest::keyClick(tape, Qt::Key_A, Qt::ControlModifier);
  } else {
    QTextCursor caret = tape->textCursor();
    caret.setPosition(3);
    tape->setTextCursor(caret);
  }
  const String before = app.tape();
  app.spoken->clear();

  for (QEvent::Type type : {QEvent::KeyPress, QEvent::KeyRelease}) {
    QKeyEvent dead(type, Qt::Key_Dead_Circumflex, Qt::NoModifier);
    if (row.deadKey) QApplication::sendEvent(tape, &dead);
  }
  QInputMethodEvent composed;
  composed.setCommitString(row.commit, row.replaceFrom, row.replaceLength);
  QApplication::sendEvent(QApplication::focusWidget(), &composed);
  EXPECT_EQ(app.tape(), before);
  EXPECT_EQ(app.display(), "392");
  EXPECT_EQ(*app.spoken, std::vector<Spoken>{});
  app.press("C1");
  RunKeys(app, "'5+3=");
  EXPECT_EQ(app.tape(), before + TapeLines("5|+ 3|--|8||")) << "the tape still grows";
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Text, ComposedIntoTheTape,
    ::testing::Values(
        ComposedRow{"DeadKeyOverTheSelection", true, true, "\u00b2", 0, 0},
        ComposedRow{"DeadKeyAtTheCaret", false, true, "\u00ea", 0, 0},
        ComposedRow{"CommitOverTheSelection", true, false, "77x", 0, 0},
        ComposedRow{"CommitAtTheCaret", false, false, "77x", 0, 0},
        ComposedRow{"CommitReplacingBeforeTheCaret", false, false, "9", -3, 3},
        ComposedRow{"DeletionBeforeTheCaret", false, false, "", -2, 2}),
    ByName);
// clang-format on

// Every action of the control's context menu, triggered by a right click; twice over, so
// that Copy finds the selection that Select All made.
void TriggerEveryContextAction(AppHarness& app, const String& control) {
  QWidget* widget = app.widget(control);
  auto* area = qobject_cast<QAbstractScrollArea*>(widget);
  QWidget* target = area ? area->viewport() : widget;
  for (int pass = 0; pass < 2; ++pass) {
    for (int index = 0;; ++index) {
      // What a right click or the menu key sends.
      QContextMenuEvent request(QContextMenuEvent::Mouse, target->rect().center(),
                                target->mapToGlobal(target->rect().center()));
      QApplication::sendEvent(target, &request);
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      ASSERT_TRUE(menu) << control << " offers a menu";
      QList<QAction*> actions;
      for (QAction* action : menu->actions()) {
        if (!action->isSeparator()) actions.push_back(action);
      }
      if (index == actions.size()) {
        menu->close();
        break;
      }
      SCOPED_TRACE(actions[index]->text().toStdString());
      const String display = app.display(), tape = app.tape();
      actions[index]->trigger();
      menu->close();
      EXPECT_EQ(app.display(), display);
      EXPECT_EQ(app.tape(), tape);
    }
  }
}

TEST_F(Calculator, TheContextMenusChangeNoText) {
  RunKeys(app, "'12+3= '45");
  for (const char* control : {"efDisplay", "efHistory"}) {
    SCOPED_TRACE(control);
    QApplication::clipboard()->setText(kClipboard);
    TriggerEveryContextAction(app, control);
    const String text = String(control) == "efDisplay" ? app.display() : app.tape();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), text) << "Copy copies";
  }
  EXPECT_EQ(app.display(), "45");
  EXPECT_EQ(app.tape(), TapeLines("12|+ 3|---|15||"));
}

// Keys typed on the keyboard go to whatever has the focus, as a user's do.
void TypeOnTheKeyboard(AppHarness& app, const char* keys) {
  for (const char* key = keys; *key; ++key) {
    QTest::keyClick(NativeWindow(app.window())->windowHandle(), *key);
  }
}

TEST_F(Calculator, ALoneAltLeavesTheKeyboardWithTheDisplay) {
  for (int time = 0; time < 2; ++time) {
    QTest::keyPress(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyRelease(QApplication::focusWidget(), Qt::Key_Alt, Qt::AltModifier);
    EXPECT_EQ(QApplication::focusWidget(), app.widget("efDisplay"));
    TypeOnTheKeyboard(app, "1");
  }
  EXPECT_EQ(app.display(), "11");
  EXPECT_EQ(*app.spoken, (std::vector<Spoken>{Queued("1"), Queued("1")}));
}

TEST_F(Calculator, LeavingAMenuGivesTheKeyboardBackToTheDisplay) {
  auto* bar = qobject_cast<QMainWindow*>(NativeWindow(app.window()))->menuBar();
  ASSERT_TRUE(bar);
  QAction* fileMenu = bar->actions().value(0);
  ASSERT_TRUE(fileMenu);
  QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(fileMenu).center());
  auto* file = qobject_cast<QMenu*>(QApplication::activePopupWidget());
  ASSERT_TRUE(file);
  QTest::keyClick(file, Qt::Key_Escape);
  EXPECT_FALSE(QApplication::activePopupWidget());
  EXPECT_EQ(QApplication::focusWidget(), app.widget("efDisplay")) << "after Escape";
  TypeOnTheKeyboard(app, "123");
  EXPECT_EQ(app.display(), "123");
  EXPECT_EQ(*app.spoken, (std::vector<Spoken>{Queued("1"), Queued("2"), Queued("3")}));
}

}  // namespace
