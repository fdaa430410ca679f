// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractTextDocumentLayout>
#include <QAccessible>
#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>
#include <algorithm>

#include "Harness.h"
#include "HelpFolder.h"
#include "NativeAccess.h"
#include "Pointer.h"
#include "app/App.h"
#include "common/HomePage.h"
#include "common/mGlobals.h"
#include "help/wHelp.h"

namespace {

// Counts the paint events a widget gets.
class PaintCounter : public QObject {
 public:
  explicit PaintCounter(QWidget* widget) { widget->installEventFilter(this); }
  int count = 0;

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
};

class HelpWindow : public testing::Test {
 protected:
  HelpWindow() {
    folder.write(kStartPage.file, "the start page");
    for (const Topic& topic : kTopics) folder.write(topic.file, String("topic ") + topic.caption);
  }

  // The Help command, as the menu runs it.
  wHelp& openHelp() {
    HelpHelp()->Action()->trigger();
    return live();
  }
  static wHelp& live() {
    auto help = std::dynamic_pointer_cast<wHelp>(GetImplicitWindow("wHelp.wHelp"));
    return Checked(help, "help window");
  }
  static size_t liveHelpWindows() {
    size_t count = 0;
    for (const auto& window : LiveWindows()) count += window->ClassName() == "wHelp.wHelp";
    return count;
  }
  static QWidget* widget(const char* name) {
    return qobject_cast<QWidget*>(NativeObject(live().Find<Control>(name)));
  }
  static String pane() {
    return widget("EditField1")->property("plainText").toString().toStdString();
  }
  static void click(const char* link) { QTest::mouseClick(widget(link), Qt::LeftButton); }

  HelpFolder folder;
  AppHarness app;
};

struct LinkRow {
  const char* name;
  QRect geometry;
  const char* text;  // after Open
  QColor color;
  Qt::Alignment alignment;
  int pixelSize;
};

TEST_F(HelpWindow, OpensOnTheStartPageInTheSharedFont) {
  wHelp& help = openHelp();
  EXPECT_EQ(help.Title(), "Help");
  EXPECT_EQ(pane(), "the start page");
  const LinkRow links[] = {
      {"StaticText1", {201, 473, 493, 20}, HomePageURL.c_str(), Qt::red, Qt::AlignHCenter, 14},
      {"StaticText2", {20, 32, 175, 20}, "General Information", Qt::blue, Qt::AlignLeft, 12},
      {"StaticText3", {20, 62, 175, 20}, "System Requirements", Qt::blue, Qt::AlignLeft, 12},
      {"StaticText4",
       {20, 92, 175, 20},
       "What's new in this version?",
       Qt::blue,
       Qt::AlignLeft,
       12},
      {"StaticText5",
       {20, 122, 175, 20},
       "Frequently Asked Questions",
       Qt::blue,
       Qt::AlignLeft,
       12},
      {"StaticText7", {20, 182, 175, 20}, "Support", Qt::blue, Qt::AlignLeft, 12},
      {"StaticText8", {20, 212, 175, 20}, "Use and Distribution", Qt::blue, Qt::AlignLeft, 12},
      {"StaticText9", {20, 242, 175, 20}, "Other Titles", Qt::blue, Qt::AlignLeft, 12},
  };
  ASSERT_EQ(help.Controls().size(), std::size(links) + 1);
  EXPECT_EQ(help.Controls()[0]->Name(), "EditField1");
  for (size_t i = 0; i < std::size(links); ++i) {
    const LinkRow& row = links[i];
    SCOPED_TRACE(row.name);
    EXPECT_EQ(help.Controls()[i + 1]->Name(), row.name) << "creation order";
    auto* label = qobject_cast<QLabel*>(widget(row.name));
    ASSERT_TRUE(label);
    EXPECT_EQ(label->geometry(), row.geometry);
    EXPECT_EQ(label->text().toStdString(), row.text);
    EXPECT_EQ(label->palette().color(QPalette::WindowText), row.color);
    EXPECT_EQ(label->alignment() & Qt::AlignHorizontal_Mask, row.alignment);
    EXPECT_EQ(label->font().pixelSize(), row.pixelSize);
    EXPECT_TRUE(label->font().underline());
    EXPECT_EQ(help.Find<StaticText>(row.name).TextFont(), "Geneva");
    // The caption fits its link.
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), row.geometry.width());
  }
  auto* area = qobject_cast<QPlainTextEdit*>(widget("EditField1"));
  ASSERT_TRUE(area);
  EXPECT_EQ(area->geometry(), QRect(201, 8, 493, 461));
  EXPECT_EQ(area->font().pixelSize(), 14);
  EXPECT_EQ(QFontInfo(area->font()).family(), "DejaVu Sans") << "Geneva draws as DejaVu Sans";
  EXPECT_TRUE(area->isReadOnly());
  EXPECT_EQ(area->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
  EXPECT_EQ(area->lineWrapMode(), QPlainTextEdit::WidgetWidth);
  EXPECT_TRUE(app.messages->empty());
}

TEST_F(HelpWindow, KeepsItsSizeWithCloseAndMinimise) {
  openHelp();
  QWidget* top = NativeWindow(live());
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(top->minimumSize(), top->maximumSize()) << "not resizable";
  EXPECT_EQ(widget("EditField1")->parentWidget()->size(), QSize(700, 500));
  EXPECT_EQ(widget("EditField1")->parentWidget()->palette().color(QPalette::Window), Qt::white);
  Qt::WindowFlags flags = top->windowFlags();
  EXPECT_TRUE(flags & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(flags & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(flags & Qt::WindowMaximizeButtonHint);
}

TEST_F(HelpWindow, AppliesTheSettingsAsTheyStandWhenItOpens) {
  mGlobals::sTheFont = "DejaVu Serif";
  mGlobals::iTheFontSize = 16;
  openHelp();
  EXPECT_EQ(live().Find<TextArea>("EditField1").TextSize(), 18);
  EXPECT_EQ(live().Find<StaticText>("StaticText1").TextSize(), 18);
  for (const Topic& topic : kTopics) {
    EXPECT_EQ(live().Find<StaticText>(topic.link).TextSize(), 16) << topic.link;
    EXPECT_EQ(live().Find<StaticText>(topic.link).TextFont(), "DejaVu Serif") << topic.link;
  }
  EXPECT_EQ(QFontInfo(widget("EditField1")->font()).family(), "DejaVu Serif");
}

TEST_F(HelpWindow, EachLinkShowsItsTopicAgainAndAgain) {
  ASSERT_TRUE(QTest::qWaitForWindowExposed(NativeWindow(openHelp())));
  PaintCounter paints(widget("EditField1"));
  for (const Topic& topic : kTopics) {
    SCOPED_TRACE(topic.caption);
    click(topic.link);
    EXPECT_EQ(pane(), String("topic ") + topic.caption);
    int before = paints.count;
    click(topic.link);
    EXPECT_EQ(pane(), String("topic ") + topic.caption) << "the same text again";
    EXPECT_GT(paints.count, before) << "and the pane redrawn";
  }
  EXPECT_TRUE(app.urls->empty());
}

TEST_F(HelpWindow, AClickLoadsOnlyItsOwnTopic) {
  openHelp();
  click("StaticText7");
  for (const Topic& topic : kTopics) folder.write(topic.file, "rewritten");
  click("StaticText7");
  EXPECT_EQ(pane(), "topic Support") << "read once";
  click("StaticText2");
  EXPECT_EQ(pane(), "rewritten") << "not read before its own click";
}

TEST_F(HelpWindow, ALinkActsOnReleaseNotOnPress) {
  openHelp();
  QWidget* support = widget("StaticText7");
  QTest::mousePress(support, Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(pane(), "the start page");
  // Anywhere: the place of the release does not matter.
  QTest::mouseRelease(support, Qt::LeftButton, {}, QPoint(170, 18));
  EXPECT_EQ(pane(), "topic Support");

  QWidget* home = widget("StaticText1");
  QTest::mousePress(home, Qt::LeftButton);
  EXPECT_TRUE(app.urls->empty());
  QTest::mouseRelease(home, Qt::LeftButton);
  EXPECT_EQ(*app.urls, std::vector<String>{HomePageURL});
  EXPECT_EQ(pane(), "topic Support") << "the home page leaves the pane alone";
}

TEST_F(HelpWindow, ThePointerIsAFingerOverEachLink) {
  openHelp();
  QWidget* area = widget("EditField1");
  Qt::CursorShape paneCursor = area->cursor().shape();
  for (const char* link : {"StaticText1", "StaticText2", "StaticText3", "StaticText4",
                           "StaticText5", "StaticText7", "StaticText8", "StaticText9"}) {
    SCOPED_TRACE(link);
    QWidget* label = widget(link);
    EXPECT_FALSE(label->testAttribute(Qt::WA_SetCursor));
    PointerEnters(label);
    EXPECT_EQ(label->cursor().shape(), Qt::PointingHandCursor);
    PointerLeaves(label);
    EXPECT_EQ(label->cursor().shape(), Qt::ArrowCursor);
  }
  EXPECT_EQ(area->cursor().shape(), paneCursor) << "the pane's own cursor";
}

TEST_F(HelpWindow, ThePaneCannotBeEdited) {
  openHelp();
  QTest::keyClicks(widget("EditField1"), "typed");
  QTest::keyClick(widget("EditField1"), Qt::Key_Backspace);
  EXPECT_EQ(pane(), "the start page");
}

TEST_F(HelpWindow, HelpWhileOpenShowsTheSameWindowAsItWas) {
  wHelp* first = &openHelp();
  click("StaticText9");
  mGlobals::iTheFontSize = 30;  // not applied again
  wHelp* second = &openHelp();
  EXPECT_EQ(first, second);
  EXPECT_EQ(liveHelpWindows(), 1u);
  EXPECT_EQ(pane(), "topic Other Titles");
  EXPECT_EQ(live().Find<TextArea>("EditField1").TextSize(), 14);
  EXPECT_EQ(LiveWindows().front().get(), first) << "in front";
}

TEST_F(HelpWindow, CtrlHOpensIt) {
  QTest::keyClick(app.widget("efDisplay"), Qt::Key_H, Qt::ControlModifier);
  EXPECT_EQ(liveHelpWindows(), 1u);
  EXPECT_EQ(app.display(), "") << "the shortcut types nothing";
}

TEST_F(HelpWindow, CtrlHBringsBackAMinimisedHelpWindow) {
  openHelp();
  click("StaticText9");
  QWidget* top = NativeWindow(live());
  top->setWindowState(Qt::WindowMinimized);
  ASSERT_TRUE(top->isMinimized());
  QTest::keyClick(app.widget("efDisplay"), Qt::Key_H, Qt::ControlModifier);
  EXPECT_FALSE(top->isMinimized());
  EXPECT_TRUE(top->isVisible());
  EXPECT_EQ(liveHelpWindows(), 1u);
  EXPECT_EQ(pane(), "topic Other Titles") << "as it was";
}

TEST_F(HelpWindow, ClosedAndAskedForAgainItOpensAnewOnTheStartPage) {
  openHelp();
  click("StaticText5");
  std::shared_ptr<Window> closed = live().shared_from_this();
  NativeWindow(live())->close();
  EXPECT_EQ(liveHelpWindows(), 0u);
  for (const Topic& topic : kTopics) folder.remove(topic.file);
  folder.remove(kStartPage.file);
  wHelp& again = openHelp();
  EXPECT_NE(&again, closed.get());
  EXPECT_EQ(pane(), "the start page") << "from the cache";
  click("StaticText5");
  EXPECT_EQ(pane(), "topic Frequently Asked Questions");
}

TEST_F(HelpWindow, AMissingTopicEmptiesThePaneUntilAnotherIsChosen) {
  folder.remove("ReadMeFirst6.txt");
  openHelp();
  click("StaticText7");
  EXPECT_EQ(pane(), "");
  click("StaticText8");
  EXPECT_EQ(pane(), "topic Use and Distribution");
  EXPECT_TRUE(app.messages->empty());
}

TEST_F(HelpWindow, ABadFileShowsWithoutComplaint) {
  String bytes = "caf\xE9 \xFF\n" + String(4 << 20, 'y');
  folder.write("ReadMeFirstMac4.txt", bytes);
  openHelp();
  click("StaticText5");
  EXPECT_GT(pane().size(), size_t(4 << 20));
  EXPECT_EQ(ReadMeFirstMac4(), bytes) << "the cache keeps the bytes";
  EXPECT_TRUE(app.messages->empty());
}

TEST_F(HelpWindow, ChoosingATopicLaysOutOnlyItsText) {
  folder.write("ReadMeFirstMac1.txt", String(20000, 'x'));
  openHelp();
  click("StaticText2");
  auto* area = qobject_cast<QPlainTextEdit*>(widget("EditField1"));
  // What the pane holds whenever its text is laid out while the next topic is chosen.
  std::vector<int> laidOut;
  QAbstractTextDocumentLayout* layout = area->document()->documentLayout();
  auto record = [&] { laidOut.push_back(area->document()->characterCount()); };
  QObject::connect(layout, &QAbstractTextDocumentLayout::update, area, record);
  QObject::connect(layout, &QAbstractTextDocumentLayout::updateBlock, area, record);
  click("StaticText7");
  QApplication::processEvents();
  EXPECT_EQ(pane(), "topic Support");
  ASSERT_FALSE(laidOut.empty());
  for (int characters : laidOut) {
    EXPECT_LE(characters, int(String("topic Support").size()) + 1) << "the old text laid out";
  }
}

// The toolkit's messages while it lives, kept instead of written.
class QtMessages {
 public:
  QtMessages() { previous_ = qInstallMessageHandler(Keep); }
  ~QtMessages() { qInstallMessageHandler(previous_); }
  static std::vector<String>& kept() {
    static std::vector<String> messages;
    return messages;
  }

 private:
  static void Keep(QtMsgType, const QMessageLogContext&, const QString& message) {
    kept().push_back(message.toStdString());
  }
  QtMessageHandler previous_;
};

// A screen reader told that a topic's text went reads back the range it was told of, after
// the next topic stands in the pane.
TEST_F(HelpWindow, AToolReadingTheRangeASwitchRemovedGetsTheNewTextUncomplained) {
  openHelp();
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget("EditField1"));
  ASSERT_TRUE(accessible);
  QAccessibleTextInterface* text = accessible->textInterface();
  ASSERT_TRUE(text);

  for (const Topic& topic : kTopics) {
    SCOPED_TRACE(topic.caption);
    const int before = text->characterCount();
    click(topic.link);
    const String shown = String("topic ") + topic.caption;
    EXPECT_EQ(text->text(0, before + 1).toStdString(), shown.substr(0, size_t(before) + 1));
    int start = -1, end = -1;
    EXPECT_EQ(text->textAtOffset(before, QAccessible::LineBoundary, &start, &end).toStdString(),
              shown);
    text->attributes(before, &start, &end);
    text->characterRect(before);
    text->setSelection(0, 0, before);
    text->setCursorPosition(before);
    EXPECT_EQ(text->cursorPosition(), std::min(before, int(shown.size())));
  }
  EXPECT_EQ(QtMessages::kept(), std::vector<String>{});
}

TEST_F(HelpWindow, ATextTooLongToShowShowsItsFirstPartAndSaysSo) {
  String lines;
  while (lines.size() < (6u << 20)) lines += "a line of an oversized help text\n";
  String euros;
  while (euros.size() < (6u << 20)) euros += "\xE2\x82\xAC";  // without a line end
  struct {
    const char* link;
    const char* file;
    const String& text;
  } rows[] = {{"StaticText4", "ReadMeFirstMac3.txt", lines},
              {"StaticText5", "ReadMeFirstMac4.txt", euros}};
  const String cutLine = String("\n\n") + kCutLine;
  openHelp();
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    folder.write(row.file, row.text);
    click(row.link);
    String shown = pane();
    ASSERT_GT(shown.size(), cutLine.size());
    EXPECT_LT(shown.size(), row.text.size());
    EXPECT_GT(shown.size(), size_t(4 << 20));
    ASSERT_EQ(shown.substr(shown.size() - cutLine.size()), cutLine);
    // Line ends aside, which the pane may add to a long line.
    auto withoutLineEnds = [](String text) {
      text.erase(std::remove(text.begin(), text.end(), '\n'), text.end());
      return text;
    };
    String part = withoutLineEnds(shown.substr(0, shown.size() - cutLine.size()));
    EXPECT_TRUE(withoutLineEnds(row.text).compare(0, part.size(), part) == 0)
        << "the text's own beginning";
    if (&row.text == &lines) {
      EXPECT_EQ(shown[shown.size() - cutLine.size() - 1], '\n') << "cut at a line end";
    }
    EXPECT_EQ(shown.find("\xEF\xBF\xBD"), String::npos) << "no character cut in two";
  }
  EXPECT_EQ(ReadMeFirstMac4(), euros) << "the cache keeps the whole text";
  EXPECT_TRUE(app.messages->empty());
}

TEST(HelpWindowWithoutResources, OpensEmptyAndStaysQuiet) {
  HelpFolder folder(/*withResources=*/false);
  AppHarness app;
  HelpHelp()->Action()->trigger();
  auto help = std::dynamic_pointer_cast<wHelp>(GetImplicitWindow("wHelp.wHelp"));
  ASSERT_TRUE(help);
  auto* pane = qobject_cast<QPlainTextEdit*>(NativeObject(help->Find<Control>("EditField1")));
  EXPECT_EQ(pane->toPlainText(), "");
  QTest::mouseClick(qobject_cast<QWidget*>(NativeObject(help->Find<Control>("StaticText2"))),
                    Qt::LeftButton);
  EXPECT_EQ(pane->toPlainText(), "");
  EXPECT_TRUE(app.messages->empty());
}

}  // namespace
