// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Speech.h"

#include <alsa/asoundlib.h>
#include <espeak-ng/espeak_ng.h>
#include <pulse/error.h>
#include <pulse/simple.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include "platform/Service.h"
#include "platform/SpeechText.h"

void Speak(const String& text, bool interrupt) {
  Service<SpeechEngine>::Get().Speak(text, interrupt);
}

namespace {

// The synthesiser hands over audio in pieces this long, and the server holds this much ahead
// of the loudspeaker: a cut then silences the sound within a few hundredths of a second.
constexpr int kPieceMs = 10;
constexpr int kAheadMs = 60;

// A mono 16-bit output. Write blocks until the device has room; Drop discards what has not
// been heard yet; Drain waits until all of it has been.
class AudioOut {
 public:
  virtual ~AudioOut() = default;
  virtual bool Write(const short* samples, size_t count) = 0;
  virtual void Drop() = 0;
  virtual void Drain() = 0;
};

class PulseOut final : public AudioOut {
 public:
  static std::unique_ptr<AudioOut> Open(int rate, String& why) {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, uint32_t(rate), 1};
    const auto bytes = [&](int ms) { return uint32_t(rate / 1000 * ms * sizeof(short)); };
    pa_buffer_attr attr{uint32_t(-1), bytes(kAheadMs), bytes(kPieceMs), uint32_t(-1), uint32_t(-1)};
    int error = 0;
    pa_simple* stream = pa_simple_new(nullptr, "Quendle", PA_STREAM_PLAYBACK, nullptr, "speech",
                                      &spec, nullptr, &attr, &error);
    if (!stream) {
      why = pa_strerror(error);
      return nullptr;
    }
    return std::unique_ptr<AudioOut>(new PulseOut(stream));
  }
  ~PulseOut() override { pa_simple_free(stream_); }
  bool Write(const short* samples, size_t count) override {
    return pa_simple_write(stream_, samples, count * sizeof(short), nullptr) == 0;
  }
  void Drop() override { pa_simple_flush(stream_, nullptr); }
  void Drain() override { pa_simple_drain(stream_, nullptr); }

 private:
  explicit PulseOut(pa_simple* stream) : stream_(stream) {}
  pa_simple* stream_;
};

// ALSA reports every failed configuration lookup on stderr; one line of our own says it all.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

class AlsaOut final : public AudioOut {
 public:
  static std::unique_ptr<AudioOut> Open(int rate, String& why) {
    snd_lib_error_set_handler(QuietAlsa);
    snd_pcm_t* pcm = nullptr;
    int error = snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0);
    if (error == 0) {
      error = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                 unsigned(rate), 1, kAheadMs * 1000);
      if (error == 0) return std::unique_ptr<AudioOut>(new AlsaOut(pcm));
      snd_pcm_close(pcm);
    }
    why = snd_strerror(error);
    return nullptr;
  }
  ~AlsaOut() override { snd_pcm_close(pcm_); }
  bool Write(const short* samples, size_t count) override {
    while (count > 0) {
      snd_pcm_sframes_t written = snd_pcm_writei(pcm_, samples, count);
      if (written < 0) written = snd_pcm_recover(pcm_, int(written), 1);
      if (written < 0) return false;
      samples += written;
      count -= size_t(written);
    }
    return true;
  }
  void Drop() override {
    snd_pcm_drop(pcm_);
    snd_pcm_prepare(pcm_);
  }
  void Drain() override {
    snd_pcm_drain(pcm_);
    snd_pcm_prepare(pcm_);
  }

 private:
  explicit AlsaOut(snd_pcm_t* pcm) : pcm_(pcm) {}
  snd_pcm_t* pcm_;
};

std::unique_ptr<AudioOut> OpenAudio(int rate, String& why) {
  String pulse, alsa;
  if (auto out = PulseOut::Open(rate, pulse)) return out;
  if (auto out = AlsaOut::Open(rate, alsa)) return out;
  why = "no audio output (PulseAudio: " + pulse + "; ALSA: " + alsa + ")";
  return nullptr;
}

String EspeakMessage(espeak_ng_STATUS status) {
  char text[512] = "";
  espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
  return "espeak-ng: " + String(text);
}

// espeak-ng synthesises into our callback on a thread of our own, which plays the samples
// itself: the library is used from that one thread only, Speak never waits for it, and a cut
// both stops the synthesis and discards the audio the device still holds.
class EspeakEngine final : public SpeechEngine {
 public:
  EspeakEngine() : worker_([this] { Run(); }) {}

  ~EspeakEngine() override {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
      queue_.clear();
      ++generation_;
    }
    wake_.notify_one();
    worker_.join();
  }

  void Speak(const String& text, bool interrupt) override {
    {
      std::lock_guard lock(mutex_);
      if (unavailable_) return;
      if (interrupt) {
        queue_.clear();
        ++generation_;
      }
      queue_.push_back(text);
    }
    wake_.notify_one();
  }

 private:
  void Run() {
    String why;
    if (!OpenSynthesiser(why)) return GiveUp(why);
    uint64_t played = generation_;
    for (;;) {
      String text;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_) break;
        text = std::move(queue_.front());
        queue_.pop_front();
        speaking_ = generation_;
      }
      if (!out_ && !(out_ = OpenAudio(rate_, why))) {
        GiveUp(why);
        break;
      }
      // A cut since the last text was written: its tail must not be heard either.
      if (speaking_ != played) out_->Drop();
      played = speaking_;
      const String words = SpokenForm(text);
      espeak_ng_Synthesize(words.c_str(), words.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                           nullptr, this);
      if (speaking_ != generation_) {
        espeak_ng_Cancel();
      } else if (out_ && Idle()) {
        out_->Drain();
      }
    }
    Close();
  }

  bool OpenSynthesiser(String& why) {
    espeak_ng_InitializePath(nullptr);
    espeak_ng_ERROR_CONTEXT context = nullptr;
    espeak_ng_STATUS status = espeak_ng_Initialize(&context);
    espeak_ng_ClearErrorContext(&context);
    if (status == ENS_OK)
      status = espeak_ng_InitializeOutput(ENOUTPUT_MODE_SYNCHRONOUS, kPieceMs, nullptr);
    if (status == ENS_OK) status = espeak_ng_SetVoiceByName(ESPEAKNG_DEFAULT_VOICE);
    if (status != ENS_OK) {
      why = EspeakMessage(status);
      espeak_ng_Terminate();
      return false;
    }
    rate_ = espeak_ng_GetSampleRate();
    espeak_SetSynthCallback(&EspeakEngine::OnSamples);
    String audio;
    out_ = OpenAudio(rate_, audio);
    if (!out_) {
      why = audio;
      Close();
      return false;
    }
    return true;
  }

  void Close() {
    if (out_) out_->Drop();
    out_.reset();
    espeak_ng_Terminate();
  }

  // Speech is off for good: say so once, and take no more texts.
  void GiveUp(const String& why) {
    {
      std::lock_guard lock(mutex_);
      unavailable_ = true;
      queue_.clear();
    }
    std::fprintf(stderr, "quendle: speech is unavailable: %s\n", why.c_str());
  }

  bool Idle() {
    std::lock_guard lock(mutex_);
    return queue_.empty();
  }

  // Returning 1 tells espeak-ng to stop synthesising.
  static int OnSamples(short* samples, int count, espeak_EVENT* events) {
    auto* self = static_cast<EspeakEngine*>(events->user_data);
    if (!self->out_) return 1;  // the output failed earlier in this text
    const size_t piece = size_t(self->rate_ / 1000 * kPieceMs);
    for (int at = 0; at < count; at += int(piece)) {
      if (self->speaking_ != self->generation_) {
        self->out_->Drop();
        return 1;
      }
      if (!self->out_->Write(samples + at, std::min(piece, size_t(count - at)))) {
        self->out_.reset();
        return 1;
      }
    }
    return 0;
  }

  std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<String> queue_;
  bool stopping_ = false;
  bool unavailable_ = false;
  // Every cut starts a new generation; a text belongs to the one it was taken in.
  std::atomic<uint64_t> generation_{0};
  uint64_t speaking_ = 0;
  int rate_ = 0;
  std::unique_ptr<AudioOut> out_;
  std::thread worker_;  // last, so that it starts once the members above exist
};

}  // namespace

std::unique_ptr<SpeechEngine> SpeechEngine::MakeDefault() {
  return std::make_unique<EspeakEngine>();
}
