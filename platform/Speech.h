// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>

#include "platform/Types.h"

// Hands the text to the synthesiser and returns at once. interrupt true cuts off what is being
// said and drops what waits; false queues the text behind it.
void Speak(const String& text, bool interrupt);

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;
  virtual void Speak(const String& text, bool interrupt) = 0;
  // espeak-ng through the system's audio; silent, with one line on standard error, when
  // there is no audio output or no voice data.
  static std::unique_ptr<SpeechEngine> MakeDefault();
};
