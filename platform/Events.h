// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <variant>

#include "platform/Types.h"

// A handler of each event signature.
using ActionEvent = std::function<void()>;                      // Action, GotFocus, MouseEnter...
using KeyDownEvent = std::function<bool(const String& key)>;    // true: the key is dropped
using MouseDownEvent = std::function<bool(int32_t x, int32_t y)>;  // true: the click is taken
using MouseUpEvent = std::function<void(int32_t x, int32_t y)>;

using EventHandler = std::variant<ActionEvent, KeyDownEvent, MouseDownEvent, MouseUpEvent>;
