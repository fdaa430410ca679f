// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>

#include "Cases.h"
#include "NativeAccess.h"
#include "Recording.h"
#include "platform/Menus.h"
#include "platform/Service.h"
#include "platform/Timer.h"
#include "platform/Window.h"

namespace {

// A window with one control of each kind the calculator uses, a menu item with a shortcut, and
// a plain item in the menu bar itself.
class Probe : public Window {
 public:
  Probe() : Window("Probe.Probe") {}

  void Layout() override {
    auto bar = std::make_shared<::MenuBar>();
    auto menu = std::make_shared<MenuItem>();
    menu->SetName("ProbeMenu");
    menu->SetText("Probe");
    auto item = std::make_shared<MenuItem>();
    item->SetName("ProbeItem");
    item->SetText("Probe item");
    item->SetKeyboardShortcut("Cmd+K");
    item->SetAutoEnable(true);
    menu->Append(item);
    bar->Append(menu);
    auto leaf = std::make_shared<MenuItem>();
    leaf->SetName("ProbeLeaf");
    leaf->SetText("Leaf");
    bar->Append(leaf);
    SetMenuBar(bar);
    SetProperties(*this, {{"Width", 300}, {"Height", 200}, {"Title", String("Probe")}});
  }

  void CreateControls() override {
    add<TextField>("field",
                   {{"Left", 0}, {"Top", 0}, {"Width", 200}, {"Height", 30}, {"LimitText", 3}});
    add<TextArea>("area", {{"Left", 0},
                           {"Top", 40},
                           {"Width", 200},
                           {"Height", 60},
                           {"ReadOnly", true},
                           {"Multiline", true}});
    add<PushButton>("button", {{"Left", 210},
                               {"Top", 0},
                               {"Width", 80},
                               {"Height", 30},
                               {"Caption", String("OK")},
                               {"Enabled", false}});
    add<Timer>("timer", {{"Mode", 0}, {"Period", 20}});
  }

  void Event_Close() override { ++closes; }

  int closes = 0;

 private:
  template <class T>
  void add(const String& name, const PropertySet& set) {
    auto control = New<T>();
    control->Constructor();
    AddControl(name, control);
    SetProperties(*control, set);
  }
};

class Widgets : public ::testing::Test {
 protected:
  Widgets() {
    Service<DialogService>::Install(std::make_unique<RecordingDialogs>(messages));
    RunFrameworkInitialization([this] {
      app = std::make_shared<Application>();
      RuntimeRegisterAppObject(app);
      window = std::make_shared<Probe>();
      window->Constructor();
    });
    QWidget* top = NativeWindow(*window);
    top->activateWindow();
    (void)QTest::qWaitForWindowActive(top);
  }
  ~Widgets() override {
    window.reset();
    RuntimeExit(0);
  }

  template <class T>
  T* native(const String& name) {
    return qobject_cast<T*>(NativeObject(window->Find<Control>(name)));
  }
  TextField& field() { return window->Find<TextField>("field"); }
  TextArea& area() { return window->Find<TextArea>("area"); }

  std::shared_ptr<std::vector<String>> messages = std::make_shared<std::vector<String>>();
  std::shared_ptr<Application> app;
  std::shared_ptr<Probe> window;
};

TEST_F(Widgets, PropertyNamesAndTypesAreChecked) {
  EXPECT_THROW(SetProperties(field(), {{"Bogus", 1}}), RuntimeException);
  EXPECT_THROW(SetProperties(field(), {{"Left", String("ten")}}), RuntimeException);
  EXPECT_THROW(SetProperties(*window, {{"Frame", 7}}), RuntimeException);
  EXPECT_NO_THROW(SetProperties(field(), {{"DataSource", String()}, {"Left", 5}}));
  EXPECT_EQ(field().Left(), 5);
}

TEST_F(Widgets, HandlersMustMatchTheEventsSignature) {
  EXPECT_THROW(InstallInstanceEventHandler(field(), "KeyDown", ActionEvent([] {})),
               RuntimeException);
  EXPECT_THROW(InstallInstanceEventHandler(field(), "Nonesuch", ActionEvent([] {})),
               RuntimeException);
  EXPECT_THROW(InstallInstanceEventHandler(window->Find<Control>("timer"), "KeyDown",
                                           KeyDownEvent([](const String&) { return false; })),
               RuntimeException);
}

// What KeyDown is handed for each key, and whether the widget then sees it.
struct KeyRow {
  const char* name;
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
  const char* seen;  // null: KeyDown is not raised
};

class KeyDownKeys : public Widgets, public ::testing::WithParamInterface<KeyRow> {};

TEST_P(KeyDownKeys, ReachTheHandlerAsText) {
  std::vector<String> keys;
  InstallInstanceEventHandler(field(), "KeyDown", KeyDownEvent([&](const String& key) {
                                keys.push_back(key);
                                return false;
                              }));
  QTest::keyClick(native<QLineEdit>("field"), GetParam().key, GetParam().modifiers);
  std::vector<String> expected;
  if (GetParam().seen) expected.push_back(GetParam().seen);
  EXPECT_EQ(keys, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyDownKeys,
    ::testing::Values(KeyRow{"Digit", Qt::Key_5, Qt::NoModifier, "5"},
                      KeyRow{"Star", Qt::Key_Asterisk, Qt::ShiftModifier, "*"},
                      KeyRow{"Backspace", Qt::Key_Backspace, Qt::NoModifier, "\x08"},
                      KeyRow{"Return", Qt::Key_Return, Qt::NoModifier, "\x0d"},
                      KeyRow{"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, "\x03"},
                      KeyRow{"Escape", Qt::Key_Escape, Qt::NoModifier, "\x1b"},
                      KeyRow{"Left", Qt::Key_Left, Qt::NoModifier, "\x1c"},
                      KeyRow{"Down", Qt::Key_Down, Qt::NoModifier, "\x1f"},
                      KeyRow{"Delete", Qt::Key_Delete, Qt::NoModifier, "\x7f"},
                      KeyRow{"Home", Qt::Key_Home, Qt::NoModifier, "\x01"},
                      KeyRow{"CtrlA", Qt::Key_A, Qt::ControlModifier, nullptr},
                      KeyRow{"ShiftAlone", Qt::Key_Shift, Qt::ShiftModifier, nullptr},
                      KeyRow{"F5", Qt::Key_F5, Qt::NoModifier, nullptr}),
    ByName);

TEST_F(Widgets, ADroppedKeyNeverReachesTheWidget) {
  InstallInstanceEventHandler(field(), "KeyDown",
                              KeyDownEvent([](const String& key) { return key == "x"; }));
  QTest::keyClicks(native<QLineEdit>("field"), "axb");
  EXPECT_EQ(field().Text(), "ab");
  QTest::keyClick(native<QLineEdit>("field"), Qt::Key_Backspace);
  EXPECT_EQ(field().Text(), "a") << "an editing key let through edits";
}

TEST_F(Widgets, AKeyDownHandlerThatFailsDropsTheKey) {
  InstallInstanceEventHandler(field(), "KeyDown", KeyDownEvent([](const String&) -> bool {
                                throw NilObjectException("nothing there");
                              }));
  QTest::keyClick(native<QLineEdit>("field"), Qt::Key_7);
  EXPECT_EQ(field().Text(), "");
  ASSERT_EQ(messages->size(), 1u);
  EXPECT_NE(messages->front().find("NilObjectException"), String::npos);
}

TEST_F(Widgets, TheLimitCapsTypingButNotTheProgram) {
  QTest::keyClicks(native<QLineEdit>("field"), "12345");
  EXPECT_EQ(field().Text(), "123");
  native<QLineEdit>("field")->selectAll();
  QTest::keyClick(native<QLineEdit>("field"), Qt::Key_9);
  EXPECT_EQ(field().Text(), "9") << "typing over a selection replaces it";
  field().SetText("0.333333333333333");
  EXPECT_EQ(field().Text(), "0.333333333333333");
  QTest::keyClick(native<QLineEdit>("field"), Qt::Key_Backspace);
  EXPECT_EQ(field().Text(), "0.33333333333333") << "editing keys still act past the limit";
}

TEST_F(Widgets, AMenuShortcutIsAMenuCommandNotAKey) {
  int chosen = 0;
  std::vector<String> keys;
  app->AddMenuHandler("ProbeItem", [&] { return ++chosen, true; });
  InstallInstanceEventHandler(field(), "KeyDown", KeyDownEvent([&](const String& key) {
                                keys.push_back(key);
                                return false;
                              }));
  field().SetFocus();
  QTest::keyClick(native<QLineEdit>("field"), Qt::Key_K, Qt::ControlModifier);
  EXPECT_EQ(chosen, 1);
  EXPECT_TRUE(keys.empty());
  EXPECT_EQ(field().Text(), "");
}

// A shown item that gains a child becomes a menu in the place its plain action held.
struct GrowRow {
  const char* name;
  const char* item;
  const char* holder;  // the menu that holds the item; null: the menu bar
};

class GrowingMenus : public Widgets, public ::testing::WithParamInterface<GrowRow> {
 protected:
  QList<QAction*> holderActions() {
    if (!GetParam().holder) return NativeWindow(*window)->findChild<QMenuBar*>()->actions();
    return window->MenuBar()->Lookup(GetParam().holder)->Action()->menu()->actions();
  }
};

TEST_P(GrowingMenus, AnItemGainingAChildShowsAsAMenuInItsPlace) {
  auto item = window->MenuBar()->Lookup(GetParam().item);
  const qsizetype count = holderActions().size();
  const qsizetype place = holderActions().indexOf(item->Action());
  ASSERT_NE(place, -1) << "shown before it grows";

  auto child = std::make_shared<MenuItem>();
  child->SetName("ProbeChild");
  child->SetText("Child");
  child->SetAutoEnable(true);
  item->Append(child);

  EXPECT_EQ(holderActions().size(), count);
  EXPECT_EQ(holderActions().indexOf(item->Action()), place);
  QMenu* menu = item->Action()->menu();
  ASSERT_NE(menu, nullptr);
  EXPECT_EQ(menu->title().toStdString(), item->Text());
  EXPECT_EQ(menu->actions(), QList<QAction*>{child->Action()});

  int chosen = 0;
  app->AddMenuHandler("ProbeChild", [&] { return ++chosen, true; });
  child->Action()->trigger();
  EXPECT_EQ(chosen, 1);
}

INSTANTIATE_TEST_SUITE_P(Where, GrowingMenus,
                         ::testing::Values(GrowRow{"InAMenu", "ProbeItem", "ProbeMenu"},
                                           GrowRow{"InTheBar", "ProbeLeaf", nullptr}),
                         ByName);

TEST_F(Widgets, PushActsEvenWhileTheButtonIsDisabledButAClickDoesNot) {
  int actions = 0;
  InstallInstanceEventHandler(window->Find<Control>("button"), "Action",
                              ActionEvent([&] { ++actions; }));
  QTest::mouseClick(native<QPushButton>("button"), Qt::LeftButton);
  EXPECT_EQ(actions, 0);
  window->Find<PushButton>("button").Push();
  EXPECT_EQ(actions, 1);
  window->Find<PushButton>("button").SetEnabled(true);
  QTest::mouseClick(native<QPushButton>("button"), Qt::LeftButton);
  EXPECT_EQ(actions, 2);
}

TEST_F(Widgets, TheTextAreaGrowsAndShowsItsEnd) {
  String text;
  for (int i = 0; i < 500; ++i) {
    text += std::to_string(i) + "\n";
    area().SetText(text);
  }
  EXPECT_EQ(area().Text(), text);
  EXPECT_EQ(native<QPlainTextEdit>("area")->toPlainText().toStdString(), text);
  area().SetScrollPosition(9999);
  QScrollBar* bar = native<QPlainTextEdit>("area")->verticalScrollBar();
  EXPECT_GT(bar->maximum(), 0);
  EXPECT_EQ(bar->value(), bar->maximum());
  area().SetText("fresh");
  EXPECT_EQ(area().Text(), "fresh") << "a text that does not extend the old one replaces it";
  QTest::keyClicks(native<QPlainTextEdit>("area"), "zz");
  EXPECT_EQ(area().Text(), "fresh") << "read-only";
}

// A text set after one that it begins with, and what the area then shows.
struct ExtendRow {
  const char* name;
  String old, text;
  const char* shown;  // the pane's text, line ends as '\n'
};

TEST_F(Widgets, ATextShowsAsOnAFreshAreaWhateverCameBefore) {
  const String run(6000, 'x');
  const ExtendRow rows[] = {
      {"a line added", "5\n+ ", "5\n+ 3\n", "5\n+ 3\n"},
      {"a split character", "abc\xE2", "abc\xE2\x82\xAC euro", "abc\u20AC euro"},
      {"a whole character", "abc\xE2\x82\xAC", "abc\xE2\x82\xAC euro", "abc\u20AC euro"},
      {"a split CR LF", "line\r", "line\r\nnext", "line\nnext"},
      {"from empty", "", "first\n", "first\n"},
      {"a run across the cut", run, run + run, nullptr},
      {"a long line at a space", run + " ", run + " next", nullptr},
  };
  auto fresh = std::make_shared<Probe>();
  fresh->Constructor();
  auto* freshArea = qobject_cast<QPlainTextEdit*>(NativeObject(fresh->Find<Control>("area")));
  auto* pane = native<QPlainTextEdit>("area");
  for (const ExtendRow& row : rows) {
    SCOPED_TRACE(row.name);
    area().SetText("unrelated");
    area().SetText(row.old);
    area().SetText(row.text);
    fresh->Find<TextArea>("area").SetText(row.text);
    EXPECT_EQ(area().Text(), row.text);
    if (row.shown) {
      EXPECT_EQ(pane->toPlainText().toStdString(), row.shown);
    }
    EXPECT_EQ(pane->toPlainText(), freshArea->toPlainText());
    EXPECT_EQ(pane->document()->blockCount(), freshArea->document()->blockCount());
    fresh->Close();
    fresh = std::make_shared<Probe>();
    fresh->Constructor();
    freshArea = qobject_cast<QPlainTextEdit*>(NativeObject(fresh->Find<Control>("area")));
  }
}

// Qt lays a line out whole, and a run without a space in time that grows with its square.
TEST_F(Widgets, AHugeLineShowsInLinesQtLaysOutQuickly) {
  const String unbroken(100000, 'x');
  String prose;
  while (prose.size() < 100000) prose += "word ";
  for (const String& text : {unbroken, prose, "a\n" + unbroken + "\nb"}) {
    area().SetText(text);
    EXPECT_EQ(area().Text(), text) << "the program reads back what it set";
    QString shown = native<QPlainTextEdit>("area")->toPlainText();
    EXPECT_EQ(QString(shown).remove('\n'), QString::fromStdString(text).remove('\n'))
        << "only line breaks added";
    for (QTextBlock block = native<QPlainTextEdit>("area")->document()->begin(); block.isValid();
         block = block.next()) {
      ASSERT_LE(block.length(), 10000);
      if (text == prose && block.next().isValid()) {
        EXPECT_TRUE(block.text().endsWith(' ')) << "a line of words breaks between words";
      }
    }
  }
}

TEST_F(Widgets, TimerModes) {
  auto& timer = window->Find<Timer>("timer");
  int fired = 0;
  InstallInstanceEventHandler(timer, "Action", ActionEvent([&] { ++fired; }));
  QTest::qWait(60);
  EXPECT_EQ(fired, 0) << "mode 0 is off";
  timer.SetMode(1);
  QTest::qWait(120);
  EXPECT_EQ(fired, 1);
  EXPECT_EQ(timer.Mode(), 0) << "a one-shot timer turns itself off";
  timer.SetMode(2);
  QTRY_VERIFY_WITH_TIMEOUT(fired >= 4, 2000);
  timer.SetMode(0);
  int stopped = fired;
  QTest::qWait(60);
  EXPECT_EQ(fired, stopped);
  EXPECT_THROW(timer.SetMode(3), RuntimeException);
}

TEST_F(Widgets, AClosedWindowLeavesTheRegistryAndItsControlsGoNil) {
  EXPECT_EQ(GetImplicitWindow("Probe.Probe"), window);
  window->Close();
  EXPECT_EQ(window->closes, 1);
  EXPECT_EQ(GetImplicitWindow("Probe.Probe"), nullptr);
  EXPECT_THROW(field().SetText("1"), NilObjectException);
  window->Close();
  EXPECT_EQ(window->closes, 1) << "closing twice closes once";
}

}  // namespace
