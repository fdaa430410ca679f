// SPDX-License-Identifier: GPL-3.0-or-later
#include "help/Links.h"

#include "common/HomePage.h"
#include "platform/Exceptions.h"
#include "platform/System.h"

namespace {

const SystemCursors& Cursors() {
  SystemClass* system = System();
  if (!system) throw NilObjectException("System");
  return system->Cursors();
}

}  // namespace

void PointAtLink(StaticText& link) { link.SetMouseCursor(Cursors().FingerPointer); }

void LeaveLink(StaticText& link) { link.SetMouseCursor(Cursors().StandardPointer); }

void OpenHomePage() { ShowURL(HomePageURL); }
