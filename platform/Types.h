// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

// Texts are UTF-8 throughout the program.
using String = std::string;

struct Color {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;

  // 0xRRGGBB, the way layouts write colours.
  static constexpr Color FromRGB(uint32_t rgb) {
    return {uint8_t(rgb >> 16), uint8_t(rgb >> 8), uint8_t(rgb)};
  }
  bool operator==(const Color&) const = default;
};
