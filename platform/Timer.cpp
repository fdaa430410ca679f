// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Timer.h"

#include <QTimer>

#include "platform/QtInternal.h"

namespace {
constexpr int32_t kOff = 0, kOnce = 1, kRepeat = 2;
}

Timer::~Timer() { ReleaseNative(true); }

void Timer::Constructor() {
  if (timer_) return;
  // No parent: the timer lives as long as its control, not as long as some widget.
  timer_ = new QTimer;
  QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
    if (mode_ == kOnce) mode_ = kOff;
    RaiseAction("Action");
  });
  restart();
}

void Timer::SetMode(int32_t mode) {
  if (mode < kOff || mode > kRepeat) throw RuntimeException("Timer mode must be 0, 1 or 2");
  mode_ = mode;
  restart();
}

void Timer::SetPeriod(int32_t milliseconds) {
  period_ = std::max(0, milliseconds);
  restart();
}

void Timer::restart() {
  if (!timer_) return;
  timer_->stop();
  if (mode_ == kOff) return;
  timer_->setSingleShot(mode_ == kOnce);
  timer_->setInterval(period_);
  timer_->start();
}

bool Timer::ApplyProperty(const String& name, const PropertyValue& value) {
  static const PropertyTable<Timer> table = {
      {"Mode", [](Timer& t, const PropertyValue& v) { t.SetMode(As<int32_t>(v)); }},
      {"Period", [](Timer& t, const PropertyValue& v) { t.SetPeriod(As<int32_t>(v)); }},
  };
  return ApplyFrom(table, *this, name, value) || Control::ApplyProperty(name, value);
}

bool Timer::RaisesEvent(const String& event, size_t signature) const {
  return event == "Action" && signature == SignatureOf<ActionEvent>;
}

QObject* Timer::Native() const { return timer_; }

void Timer::ReleaseNative(bool now) {
  if (!timer_) return;
  timer_->stop();
  if (now) {
    delete timer_;
  } else {
    timer_->deleteLater();
  }
  timer_ = nullptr;
}
