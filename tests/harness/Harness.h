// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "Recording.h"

class wMain;
class QWidget;

// Starts the application the way Main does, with recording stand-ins for every outside
// effect (speech may be the real engine), and drives the calculator window with real input
// events.
class AppHarness {
 public:
  // What the program says: recorded in `spoken`, or said aloud by the real engine.
  enum class Speech { Recorded, Real };

  // `systemVersion`: what the "sysv" query answers; none makes it fail, as on Linux.
  explicit AppHarness(std::optional<int32_t> systemVersion = std::nullopt,
                      Speech speech = Speech::Recorded);
  ~AppHarness();

  wMain& window() const;
  // Fires the key-enabling timer at once.
  void enableKeys();
  // The key with this caption ("0".."9", ".", "+", "-", "x", "/", "=", "C1", "C2"), and a
  // mouse click on it.
  QWidget* key(const String& caption) const;
  void press(const String& caption);
  // Keys typed into the display: each character of `keys` is one key press.
  void type(const String& keys);
  // One key typed into the display by its Qt key code (Qt::Key_Backspace and the like).
  void typeKey(int qtKey);
  String display() const;
  String tape() const;

  QWidget* widget(const String& controlName) const;

  // What the program asked of the outside world, in order (`spoken` stays empty with the real
  // engine).
  std::shared_ptr<std::vector<Spoken>> spoken = std::make_shared<std::vector<Spoken>>();
  std::shared_ptr<std::vector<String>> messages = std::make_shared<std::vector<String>>();
  std::shared_ptr<std::vector<String>> urls = std::make_shared<std::vector<String>>();
  std::shared_ptr<std::vector<int32_t>> quits = std::make_shared<std::vector<int32_t>>();
};
