// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <chrono>
#include <memory>

#include "platform/Types.h"

// Hands the text to the synthesiser and returns at once. interrupt true cuts off what is being
// said and drops what waits; false queues the text behind it.
void Speak(const String& text, bool interrupt);

// A mono 16-bit sound output. Write blocks until the device has room and is false once the
// output has failed; Drop discards what has not been heard yet; Drain waits until all of it
// has been.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;
  virtual bool Write(const short* samples, size_t count) = 0;
  virtual void Drop() = 0;
  virtual void Drain() = 0;
};

// Where speech is played: PulseAudio, or ALSA where no server runs.
class AudioDevice {
 public:
  virtual ~AudioDevice() = default;
  // None, with the reason in `why`, when there is no output to play into.
  virtual std::unique_ptr<AudioOutput> Open(int rate, String& why) = 0;
  static std::unique_ptr<AudioDevice> MakeDefault();
};

class SpeechEngine {
 public:
  virtual ~SpeechEngine() = default;
  virtual void Speak(const String& text, bool interrupt) = 0;
  // espeak-ng playing into `device`. Without voice data it is silent for good, with one line
  // on standard error. An output that cannot be opened or fails is said once on standard
  // error; later texts try it again, at most once a second, and one line says when it is back;
  // the texts in between are dropped. The output is let go once nothing has been said for
  // `rest`, so that the sound server and the device can rest, and opened again by the next
  // text. Ending never waits long for an output that is stuck.
  static std::unique_ptr<SpeechEngine> MakeDefault(
      std::unique_ptr<AudioDevice> device = AudioDevice::MakeDefault(),
      std::chrono::milliseconds rest = std::chrono::seconds(2));
};
