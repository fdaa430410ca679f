// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <functional>
#include <type_traits>
#include <variant>

#include "platform/Types.h"

// A handler of each event signature.
using ActionEvent = std::function<void()>;                    // Action, GotFocus, MouseEnter...
using KeyDownEvent = std::function<bool(const String& key)>;  // true: the key is dropped
using MouseDownEvent = std::function<bool(int32_t x, int32_t y)>;  // true: the click is taken
using MouseUpEvent = std::function<void(int32_t x, int32_t y)>;

using EventHandler = std::variant<ActionEvent, KeyDownEvent, MouseDownEvent, MouseUpEvent>;

namespace events_detail {
template <class H, class Variant>
struct IndexIn;
template <class H, class... Handlers>
struct IndexIn<H, std::variant<Handlers...>> {
  static constexpr size_t value = [] {
    constexpr bool same[] = {std::is_same_v<H, Handlers>...};
    size_t i = 0;
    while (i < sizeof...(Handlers) && !same[i]) ++i;
    return i;
  }();
  static_assert(value < sizeof...(Handlers), "not a handler signature");
};
}  // namespace events_detail

// The signature of a handler type: its index in EventHandler, as EventHandler::index() gives.
template <class H>
inline constexpr size_t SignatureOf = events_detail::IndexIn<H, EventHandler>::value;
