// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What the Qt half of the platform shares between its own files; never included above
// platform/.

#include <QColor>
#include <QString>
#include <functional>
#include <initializer_list>
#include <map>
#include <utility>

#include "platform/Events.h"
#include "platform/Exceptions.h"
#include "platform/Properties.h"

class QKeyEvent;
class QMenuBar;
class QObject;
class QWidget;
class MenuBar;
class RectControl;
class Window;

inline QString ToQt(const String& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline String FromQt(const QString& s) { return s.toStdString(); }
inline QColor ToQColor(const Color& c) { return QColor(c.red, c.green, c.blue); }

// Runs framework-raised code; an exception goes to UnhandledException and never into Qt.
void Guarded(const std::function<void()>& code);

// A property value of the type the property wants; another type is refused.
template <class T>
const T& As(const PropertyValue& value) {
  if (auto* v = std::get_if<T>(&value)) return *v;
  static constexpr const char* kTypes[] = {"Int32", "Boolean", "String", "Color"};
  throw RuntimeException(String("wants a value of type ") + kTypes[PropertyValue(T{}).index()]);
}

// The properties of one class, by name.
template <class Target>
using PropertyTable = std::map<String, std::function<void(Target&, const PropertyValue&)>>;

template <class Target>
bool ApplyFrom(const PropertyTable<Target>& table, Target& target, const String& name,
               const PropertyValue& value) {
  auto it = table.find(name);
  if (it == table.end()) return false;
  it->second(target, value);
  return true;
}

// A property that means nothing here: its type is still checked.
template <class T, class Target>
void Inert(Target&, const PropertyValue& value) {
  As<T>(value);
}

// Menus.
QMenuBar* BuildMenuBar(MenuBar& bar, QWidget* parent);
// The key is one of a menu item's shortcuts, so it belongs to the menus, not to a control.
bool IsMenuShortcut(const QKeyEvent& event);
// Before QApplication goes: every menu item lets go of its Qt objects.
void ReleaseMenuNatives();

// Controls and windows.
inline constexpr size_t kAction = SignatureOf<ActionEvent>, kKeyDown = SignatureOf<KeyDownEvent>,
                        kMouseDown = SignatureOf<MouseDownEvent>,
                        kMouseUp = SignatureOf<MouseUpEvent>;

// Whether `event` with a handler of `signature` is one of a class's (event, signature) pairs.
inline bool Raises(std::initializer_list<std::pair<const char*, size_t>> events,
                   const String& event, size_t signature) {
  for (auto [name, index] : events) {
    if (event == name) return signature == index;
  }
  return false;
}

// Turns the native events of a control's widget into the control's events. The glue goes
// with the widget; once detached, events that still arrive go nowhere.
QObject* AttachEvents(RectControl& control, QWidget* widget);
void DetachEvents(QObject* glue);
RectControl* ControlOfWidget(const QWidget* widget);
// Closes every live window and deletes their widgets now.
void DropAllWindows();
// Lays the controls' rules over the widgets' accessibility interfaces; once per QApplication.
void InstallAccessibleRules();
