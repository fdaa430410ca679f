// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The native objects behind platform objects, for tests that drive the real widgets.
class QObject;
class QWidget;
class Control;
class Window;

QObject* NativeObject(Control& control);
// Builds the window's widget when it has none yet.
QWidget* NativeWindow(Window& window);
