// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QApplication>
#include <QEnterEvent>
#include <QWidget>

// The pointer entering and leaving a widget, as the toolkit reports it; offscreen, moving the
// mouse raises neither.
inline void PointerEnters(QWidget* widget) {
  QPointF at(1, 1);
  QEnterEvent event(at, at, widget->mapToGlobal(at));
  QApplication::sendEvent(widget, &event);
}

inline void PointerLeaves(QWidget* widget) {
  QEvent event(QEvent::Leave);
  QApplication::sendEvent(widget, &event);
}
