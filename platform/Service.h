// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

// One installed implementation per outside effect (speech, dialogs, browser, system query,
// quitting). The program calls through Get() and never knows whether the real implementation
// or a test's recording one is installed.
template <class Interface>
class Service {
 public:
  static Interface& Get() {
    if (!installed()) installed() = Interface::MakeDefault();
    return *installed();
  }
  // Returns the previous implementation, so a caller can restore it.
  static std::unique_ptr<Interface> Install(std::unique_ptr<Interface> impl) {
    std::swap(installed(), impl);
    return impl;
  }

 private:
  static std::unique_ptr<Interface>& installed() {
    static std::unique_ptr<Interface> impl;
    return impl;
  }
};
