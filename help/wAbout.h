// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Window.h"

class wAbout : public Window {
 public:
  wAbout();
  // The live about box, or a new one.
  static std::shared_ptr<wAbout> Instance();
};
