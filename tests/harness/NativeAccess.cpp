// SPDX-License-Identifier: GPL-3.0-or-later
#include "NativeAccess.h"

#include <QWidget>

#include "platform/Controls.h"
#include "platform/Window.h"

QObject* NativeObject(Control& control) { return control.Native(); }

QWidget* NativeWindow(Window& window) { return window.ClientArea()->window(); }
