// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Window.h"

class wHelp : public Window {
 public:
  wHelp();
  // The live help window, or a new one.
  static std::shared_ptr<wHelp> Instance();
};
