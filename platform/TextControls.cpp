// SPDX-License-Identifier: GPL-3.0-or-later
// The text controls: typing reaches them only through KeyDown, their menus only read, the
// one-line field shows its whole text, and a very long line shows broken in several.
#include <QFontInfo>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleOption>
#include <QTextDocument>

#include "platform/Controls.h"
#include "platform/QtInternal.h"

namespace {

// The display takes text only through typed keys, which KeyDown sees: no paste, no drop.
// It shows the whole of its text: one too wide for the field at the font it was given is
// drawn smaller, at the largest pixel size at which it fits.
class FieldWidget : public QLineEdit {
 public:
  FieldWidget() : given_(font()) {
    setAcceptDrops(false);
    connect(this, &QLineEdit::textChanged, this, &FieldWidget::fit);
  }

 protected:
  void changeEvent(QEvent* event) override {
    const auto type = event->type();
    // A font that fit() sets is not the one the control gave.
    if (type == QEvent::FontChange && !fitting_) given_ = font();
    QLineEdit::changeEvent(event);
    if (type == QEvent::FontChange || type == QEvent::StyleChange) fit();
  }
  void resizeEvent(QResizeEvent* event) override {
    QLineEdit::resizeEvent(event);
    fit();
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() == Qt::MiddleButton) return event->accept();
    QLineEdit::mousePressEvent(event);
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::MiddleButton) return event->accept();  // X11 selection paste
    QLineEdit::mouseReleaseEvent(event);
  }

 private:
  // QLineEdit keeps this much room between its contents rectangle and its text on either side.
  static constexpr int kTextMargin = 2;

  // The width the text may take: QLineEdit lays out a text that fits by its alignment and
  // scrolls one that does not so that the caret shows, hiding its start.
  int room() {
    QStyleOptionFrame option;
    initStyleOption(&option);
    QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    return contents.marginsRemoved(textMargins()).width() - 2 * kTextMargin;
  }

  // What the text takes at `font`, with the caret after it.
  qreal needs(const QFont& font) const { return QFontMetricsF(font).horizontalAdvance(text()) + 1; }

  void fit() {
    if (fitting_) return;
    QFont shown = given_;
    const qreal room = this->room(), wide = needs(given_);
    if (wide > room && room > 0) {
      int size = given_.pixelSize() > 0 ? given_.pixelSize() : QFontInfo(given_).pixelSize();
      // The width grows about as the size does; the loop mends what hinting rounds.
      size = std::clamp(int(size * room / wide), 1, std::max(1, size - 1));
      shown.setPixelSize(size);
      while (size > 1 && needs(shown) > room) shown.setPixelSize(--size);
    }
    if (shown == font()) return;
    fitting_ = true;
    setFont(shown);
    fitting_ = false;
  }

  QFont given_;  // as the control set it
  bool fitting_ = false;
};

// A text control's context menu offers only what changes no text, whether the control is
// editable or not: the widgets' own menus paste, cut, delete, undo and redo.
template <class W>
void OfferReadingMenu(W* widget, QWidget* origin, bool (*hasSelection)(const W*)) {
  widget->setContextMenuPolicy(Qt::CustomContextMenu);
  QObject::connect(widget, &QWidget::customContextMenuRequested, widget, [=](QPoint at) {
    auto* menu = new QMenu(widget);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    auto shortcut = [](QKeySequence::StandardKey key) {
      return '\t' + QKeySequence(key).toString(QKeySequence::NativeText);
    };
    menu->addAction(QMenu::tr("&Copy") + shortcut(QKeySequence::Copy), widget, &W::copy)
        ->setEnabled(hasSelection(widget));
    menu->addSeparator();
    menu->addAction(QMenu::tr("Select All") + shortcut(QKeySequence::SelectAll), widget,
                    &W::selectAll);
    menu->popup(origin->mapToGlobal(at));
  });
}

// Draws a control as the desktop's style does, but never its keyboard focus.
class NoFocusRingStyle : public QProxyStyle {
 public:
  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_FrameFocusRect) return;
    if (option && (option->state & State_HasFocus)) {
      if (auto* frame = qstyleoption_cast<const QStyleOptionFrame*>(option)) {
        QStyleOptionFrame unfocused(*frame);
        unfocused.state &= ~State_HasFocus;
        return QProxyStyle::drawPrimitive(element, &unfocused, painter, widget);
      }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }
};

}  // namespace

// TextControl.

bool TextControl::ReadOnly() const { return widget()->property("readOnly").toBool(); }
void TextControl::SetReadOnly(bool readOnly) { widget()->setProperty("readOnly", readOnly); }

void TextControl::SetColors() {
  QPalette palette = widget()->palette();
  palette.setColor(QPalette::Text, ToQColor(textColor_));
  palette.setColor(QPalette::Base, ToQColor(backColor_));
  if (hideSelection_) {
    // The selection of a control without the focus is drawn in the inactive colours.
    palette.setColor(QPalette::Inactive, QPalette::Highlight, ToQColor(backColor_));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText, ToQColor(textColor_));
  }
  widget()->setPalette(palette);
}

bool TextControl::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = TextControl;
  static const PropertyTable<T> table = {
      {"Text", [](T& c, const PropertyValue& v) { c.SetText(As<String>(v)); }},
      {"ReadOnly", [](T& c, const PropertyValue& v) { c.SetReadOnly(As<bool>(v)); }},
      {"LimitText", [](T& c, const PropertyValue& v) { c.limitText_ = As<int32_t>(v); }},
      {"Alignment", [](T& c, const PropertyValue& v) { c.SetAlignment(As<int32_t>(v)); }},
      {"AcceptTabs", [](T& c, const PropertyValue& v) { c.acceptTabs_ = As<bool>(v); }},
      {"UseFocusRing",
       [](T& c, const PropertyValue& v) {
         if (As<bool>(v)) return c.widget()->setStyle(nullptr);
         auto* style = new NoFocusRingStyle();
         style->setParent(c.widget());
         c.widget()->setStyle(style);
       }},
      {"TextColor",
       [](T& c, const PropertyValue& v) {
         c.textColor_ = As<Color>(v);
         c.SetColors();
       }},
      {"BackColor",
       [](T& c, const PropertyValue& v) {
         c.backColor_ = As<Color>(v);
         c.SetColors();
       }},
      {"Format", Inert<String, T>},  // no format or mask is used: typing goes through KeyDown
      {"Mask", Inert<String, T>},
  };
  return ApplyFrom(table, *this, name, value) || RectControl::ApplyProperty(name, value);
}

bool TextControl::RaisesEvent(const String& event, size_t signature) const {
  return Raises({{"KeyDown", kKeyDown}, {"GotFocus", kAction}, {"LostFocus", kAction}}, event,
                signature) ||
         Control::RaisesEvent(event, signature);
}

namespace {

Qt::Alignment TextAlignment(int32_t code) {
  switch (code) {
    case 0:
    case 1:
      return Qt::AlignLeft;
    case 2:
      return Qt::AlignHCenter;
    case 3:
      return Qt::AlignRight;
  }
  throw RuntimeException("no alignment " + std::to_string(code));
}

}  // namespace

// TextField.

QWidget* TextField::MakeWidget() {
  auto* field = new FieldWidget();
  OfferReadingMenu<QLineEdit>(field, field,
                              [](const QLineEdit* line) { return line->hasSelectedText(); });
  return field;
}

namespace {
QLineEdit* FieldOf(QWidget* widget) { return static_cast<QLineEdit*>(widget); }
}  // namespace

String TextField::Text() const { return FromQt(FieldOf(widget())->text()); }
void TextField::SetText(const String& text) { FieldOf(widget())->setText(ToQt(text)); }
void TextField::SetSelStart(int32_t position) {
  FieldOf(widget())->setCursorPosition(std::max(0, position));
}
void TextField::Copy() { FieldOf(widget())->copy(); }

void TextField::SetAlignment(int32_t code) {
  FieldOf(widget())->setAlignment(TextAlignment(code) | Qt::AlignVCenter);
}

bool TextField::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = TextField;
  static const PropertyTable<T> table = {
      {"Border", [](T& c, const PropertyValue& v) { FieldOf(c.widget())->setFrame(As<bool>(v)); }},
      {"Password",
       [](T& c, const PropertyValue& v) {
         FieldOf(c.widget())->setEchoMode(As<bool>(v) ? QLineEdit::Password : QLineEdit::Normal);
       }},
      {"CueText",
       [](T& c, const PropertyValue& v) {
         FieldOf(c.widget())->setPlaceholderText(ToQt(As<String>(v)));
       }},
  };
  return ApplyFrom(table, *this, name, value) || TextControl::ApplyProperty(name, value);
}

// TextArea.

namespace {
QPlainTextEdit* AreaOf(QWidget* widget) { return static_cast<QPlainTextEdit*>(widget); }

// Qt lays out a line of the pane whole, and wraps a run without a space in time that grows
// with the square of its length: a few megabytes on one line would hold the window for
// seconds or minutes. A line grown past kLongLine characters is broken before its next word,
// or at twice that length when none comes.
constexpr qsizetype kLongLine = 4096;

bool EndsLine(QChar c) { return c == u'\n' || c == u'\r' || c == QChar::ParagraphSeparator; }

// `text` as the pane shows it, continuing after `before` a line of `line` characters; `line`
// becomes the length of the line it ends with. Only what comes before a character decides a
// break there, so a text broken in pieces breaks as it does whole.
QString Broken(const QString& text, QChar before, ptrdiff_t& line) {
  QString broken;
  qsizetype from = 0;  // what is not yet copied to `broken`
  for (qsizetype i = 0; i < text.size(); before = text[i++]) {
    QChar c = text[i];
    if (EndsLine(c)) {
      line = 0;
      continue;
    }
    bool nextWord = line > kLongLine && before.isSpace() && !c.isSpace();
    if (nextWord || (line >= 2 * kLongLine && !c.isLowSurrogate())) {
      broken += QStringView(text).mid(from, i - from);
      broken += u'\n';
      from = i;
      line = 0;
    }
    ++line;
  }
  if (broken.isEmpty()) return text;
  broken += QStringView(text).mid(from);
  return broken;
}

// Appending gives the same pane as setting the whole text only where the cut splits no UTF-8
// sequence and no CR LF pair: after an ASCII character other than CR.
bool AppendsTo(const String& old, const String& text) {
  if (text.size() < old.size() || text.compare(0, old.size(), old) != 0) return false;
  if (old.empty()) return true;
  auto last = uint8_t(old.back());
  return last < 0x80 && last != '\r';
}
}  // namespace

QWidget* TextArea::MakeWidget() {
  auto* area = new QPlainTextEdit();
  OfferReadingMenu<QPlainTextEdit>(area, area->viewport(), [](const QPlainTextEdit* plain) {
    return plain->textCursor().hasSelection();
  });
  // Text only ever grows at its end here; an undo history of a long tape would only cost.
  area->document()->setUndoRedoEnabled(false);
  QObject::connect(area, &QPlainTextEdit::textChanged, area, [this] {
    if (!writing_) textStale_ = true;
  });
  return area;
}

String TextArea::Text() const {
  if (textStale_) {
    text_ = FromQt(AreaOf(widget())->toPlainText());
    textStale_ = false;
  }
  return text_;
}

void TextArea::SetText(const String& text) {
  QPlainTextEdit* area = AreaOf(widget());
  bool typedInto = textStale_;  // then the pane holds lines that were never broken
  Text();
  writing_ = true;
  if (!typedInto && AppendsTo(text_, text)) {
    if (text.size() > text_.size()) {
      QTextCursor end(area->document());
      end.movePosition(QTextCursor::End);
      QChar before = text_.empty() ? QChar() : QChar(text_.back());
      end.insertText(Broken(ToQt(text.substr(text_.size())), before, lineLength_));
    }
  } else {
    lineLength_ = 0;
    area->setPlainText(Broken(ToQt(text), QChar(), lineLength_));
  }
  writing_ = false;
  text_ = text;
}

void TextArea::SetScrollPosition(int32_t line) {
  QScrollBar* bar = AreaOf(widget())->verticalScrollBar();
  bar->setValue(std::clamp(line, bar->minimum(), bar->maximum()));
}

void TextArea::Copy() { AreaOf(widget())->copy(); }

void TextArea::SetAlignment(int32_t code) {
  QTextDocument* document = AreaOf(widget())->document();
  QTextOption option = document->defaultTextOption();
  option.setAlignment(TextAlignment(code));
  document->setDefaultTextOption(option);
}

bool TextArea::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = TextArea;
  auto bar = [](T& c, const PropertyValue& v) {
    AreaOf(c.widget())
        ->setVerticalScrollBarPolicy(As<bool>(v) ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
  };
  static const PropertyTable<T> table = {
      {"Border",
       [](T& c, const PropertyValue& v) {
         AreaOf(c.widget())->setFrameShape(As<bool>(v) ? QFrame::StyledPanel : QFrame::NoFrame);
       }},
      {"Multiline", Inert<bool, T>},  // an area is always several lines here
      {"ScrollbarVertical", bar},
      // No horizontal bar: lines wrap at the area's width instead.
      {"ScrollbarHorizontal",
       [](T& c, const PropertyValue& v) {
         bool horizontal = As<bool>(v);
         QPlainTextEdit* area = AreaOf(c.widget());
         area->setLineWrapMode(horizontal ? QPlainTextEdit::NoWrap : QPlainTextEdit::WidgetWidth);
         area->setHorizontalScrollBarPolicy(horizontal ? Qt::ScrollBarAsNeeded
                                                       : Qt::ScrollBarAlwaysOff);
       }},
      {"Styled", Inert<bool, T>},  // the text is always plain
      {"HideSelection",
       [](T& c, const PropertyValue& v) {
         c.hideSelection_ = As<bool>(v);
         c.SetColors();
       }},
  };
  return ApplyFrom(table, *this, name, value) || TextControl::ApplyProperty(name, value);
}

// StaticText.

namespace {
QLabel* LabelOf(QWidget* widget) { return static_cast<QLabel*>(widget); }
}  // namespace

QWidget* StaticText::MakeWidget() {
  auto* label = new QLabel();
  label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  label->setTextFormat(Qt::PlainText);
  return label;
}

String StaticText::Text() const { return FromQt(LabelOf(widget())->text()); }
void StaticText::SetText(const String& text) { LabelOf(widget())->setText(ToQt(text)); }

bool StaticText::ApplyProperty(const String& name, const PropertyValue& value) {
  using T = StaticText;
  static const PropertyTable<T> table = {
      {"Text", [](T& c, const PropertyValue& v) { c.SetText(As<String>(v)); }},
      {"TextColor",
       [](T& c, const PropertyValue& v) {
         QPalette palette = c.widget()->palette();
         palette.setColor(QPalette::WindowText, ToQColor(As<Color>(v)));
         c.widget()->setPalette(palette);
       }},
      {"TextAlign",
       [](T& c, const PropertyValue& v) {
         static const Qt::Alignment kAligns[] = {Qt::AlignLeft, Qt::AlignHCenter, Qt::AlignRight};
         int32_t code = As<int32_t>(v);
         if (code < 0 || code > 2) throw RuntimeException("no alignment " + std::to_string(code));
         LabelOf(c.widget())->setAlignment(kAligns[code] | Qt::AlignTop);
       }},
      {"Multiline",
       [](T& c, const PropertyValue& v) { LabelOf(c.widget())->setWordWrap(As<bool>(v)); }},
  };
  return ApplyFrom(table, *this, name, value) || RectControl::ApplyProperty(name, value);
}

bool StaticText::RaisesEvent(const String& event, size_t signature) const {
  return Raises({{"MouseDown", kMouseDown},
                 {"MouseUp", kMouseUp},
                 {"MouseEnter", kAction},
                 {"MouseExit", kAction}},
                event, signature) ||
         Control::RaisesEvent(event, signature);
}
