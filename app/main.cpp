// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Startup.h"
#include "platform/Application.h"

int main() {
  int32_t code = Main();
  ReleaseModuleReferences();
  return RuntimeExit(code);
}
