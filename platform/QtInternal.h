// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Helpers that the Qt half of the platform shares between its own files, all defined here;
// never included above platform/.

#include <QColor>
#include <QString>
#include <functional>
#include <initializer_list>
#include <map>
#include <utility>

#include "platform/Events.h"
#include "platform/Exceptions.h"
#include "platform/Properties.h"

inline QString ToQt(const String& s) { return QString::fromUtf8(s.data(), qsizetype(s.size())); }
inline String FromQt(const QString& s) { return s.toStdString(); }
inline QColor ToQColor(const Color& c) { return QColor(c.red, c.green, c.blue); }

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
