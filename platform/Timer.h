// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Controls.h"

class QTimer;

// Fires its Action event on the event loop. Mode 0 off, 1 once, 2 repeatedly, every Period ms;
// it starts counting when it is given a mode other than 0.
class Timer : public Control {
 public:
  ~Timer() override;
  void Constructor() override;
  String ClassName() const override { return "Timer"; }
  int32_t Mode() const { return mode_; }
  void SetMode(int32_t mode);
  int32_t Period() const { return period_; }
  void SetPeriod(int32_t milliseconds);

 protected:
  using Control::Control;
  bool ApplyProperty(const String& name, const PropertyValue& value) override;
  bool RaisesEvent(const String& event, size_t signature) const override;

 private:
  QObject* Native() const override;
  void ReleaseNative(bool now) override;
  void restart();

  QTimer* timer_ = nullptr;
  int32_t mode_ = 0;
  int32_t period_ = 1000;
};
