// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The native objects behind platform objects, for tests that drive the real widgets.
class QObject;
class QWidget;
class Control;
class Window;

QObject* NativeObject(Control& control);
QWidget* NativeWindow(Window& window);
