// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Speech.h"

#include <alsa/asoundlib.h>
#include <espeak-ng/espeak_ng.h>
#include <pulse/pulseaudio.h>

#include <algorithm>
#include <atomic>
#include <chrono>
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

// Callbacks from the PulseAudio thread wake whoever waits for it.
void Wake(void* loop) { pa_threaded_mainloop_signal(static_cast<pa_threaded_mainloop*>(loop), 0); }
void WakeOnContext(pa_context*, void* loop) { Wake(loop); }
void WakeOnStream(pa_stream*, void* loop) { Wake(loop); }
void WakeOnRoom(pa_stream*, size_t, void* loop) { Wake(loop); }
void WakeOnDone(pa_stream*, int, void* loop) { Wake(loop); }

class Locked {
 public:
  explicit Locked(pa_threaded_mainloop* loop) : loop_(loop) { pa_threaded_mainloop_lock(loop_); }
  ~Locked() { pa_threaded_mainloop_unlock(loop_); }
  Locked(const Locked&) = delete;
  Locked& operator=(const Locked&) = delete;

 private:
  pa_threaded_mainloop* loop_;
};

class PulseOut final : public AudioOutput {
 public:
  PulseOut(pa_threaded_mainloop* loop, pa_stream* stream) : loop_(loop), stream_(stream) {}
  ~PulseOut() override {
    Locked locked(loop_);
    pa_stream_disconnect(stream_);
    pa_stream_unref(stream_);
  }
  bool Write(const short* samples, size_t count) override {
    Locked locked(loop_);
    auto data = reinterpret_cast<const char*>(samples);
    for (size_t left = count * sizeof(short); left > 0;) {
      size_t room = 0;
      while (Alive() && (room = pa_stream_writable_size(stream_)) == 0)
        pa_threaded_mainloop_wait(loop_);
      if (!Alive() || room == size_t(-1)) return false;
      room = std::min(room, left);
      if (pa_stream_write(stream_, data, room, nullptr, 0, PA_SEEK_RELATIVE) < 0) return false;
      data += room;
      left -= room;
    }
    return true;
  }
  void Drop() override {
    Locked locked(loop_);
    Await(pa_stream_flush(stream_, WakeOnDone, loop_));
  }
  void Drain() override {
    Locked locked(loop_);
    Await(pa_stream_drain(stream_, WakeOnDone, loop_));
  }

 private:
  bool Alive() const {
    return PA_STREAM_IS_GOOD(pa_stream_get_state(stream_)) &&
           PA_CONTEXT_IS_GOOD(pa_context_get_state(pa_stream_get_context(stream_)));
  }
  void Await(pa_operation* operation) {
    if (!operation) return;
    while (Alive() && pa_operation_get_state(operation) == PA_OPERATION_RUNNING)
      pa_threaded_mainloop_wait(loop_);
    pa_operation_unref(operation);
  }

  pa_threaded_mainloop* loop_;
  pa_stream* stream_;
};

// One connection to the PulseAudio server, kept while the engine lives and made again when the
// server has gone: a stream opens on it in a millisecond or so, where a new connection takes
// several, and an idle connection costs the server nothing.
class PulseServer {
 public:
  PulseServer() : loop_(pa_threaded_mainloop_new()) { pa_threaded_mainloop_start(loop_); }
  ~PulseServer() {
    pa_threaded_mainloop_stop(loop_);
    Disconnect();
    pa_threaded_mainloop_free(loop_);
  }
  PulseServer(const PulseServer&) = delete;
  PulseServer& operator=(const PulseServer&) = delete;

  std::unique_ptr<AudioOutput> Open(int rate, String& why) {
    Locked locked(loop_);
    if (pa_stream* stream = Connect() ? NewStream(rate) : nullptr)
      return std::make_unique<PulseOut>(loop_, stream);
    why = context_ ? pa_strerror(pa_context_errno(context_)) : "no connection";
    return nullptr;
  }

 private:
  // The rest runs under the lock; a failure leaves its reason in the context.
  bool Connect() {
    if (context_ && pa_context_get_state(context_) == PA_CONTEXT_READY) return true;
    Disconnect();
    context_ = pa_context_new(pa_threaded_mainloop_get_api(loop_), "Quendle");
    if (!context_) return false;
    pa_context_set_state_callback(context_, WakeOnContext, loop_);
    if (pa_context_connect(context_, nullptr, PA_CONTEXT_NOFLAGS, nullptr) < 0) return false;
    pa_context_state_t state;
    while (PA_CONTEXT_IS_GOOD(state = pa_context_get_state(context_)) && state != PA_CONTEXT_READY)
      pa_threaded_mainloop_wait(loop_);
    return state == PA_CONTEXT_READY;
  }
  pa_stream* NewStream(int rate) {
    const pa_sample_spec spec{PA_SAMPLE_S16LE, uint32_t(rate), 1};
    const auto bytes = [&](int ms) { return uint32_t(rate / 1000 * ms) * uint32_t(sizeof(short)); };
    const pa_buffer_attr attr{uint32_t(-1), bytes(kAheadMs), bytes(kPieceMs), uint32_t(-1),
                              uint32_t(-1)};
    pa_stream* stream = pa_stream_new(context_, "speech", &spec, nullptr);
    if (!stream) return nullptr;
    pa_stream_set_state_callback(stream, WakeOnStream, loop_);
    pa_stream_set_write_callback(stream, WakeOnRoom, loop_);
    const auto flags = pa_stream_flags_t(PA_STREAM_INTERPOLATE_TIMING | PA_STREAM_ADJUST_LATENCY |
                                         PA_STREAM_AUTO_TIMING_UPDATE);
    if (pa_stream_connect_playback(stream, nullptr, &attr, flags, nullptr, nullptr) == 0) {
      while (pa_stream_get_state(stream) == PA_STREAM_CREATING) pa_threaded_mainloop_wait(loop_);
      if (pa_stream_get_state(stream) == PA_STREAM_READY) return stream;
    }
    pa_stream_disconnect(stream);
    pa_stream_unref(stream);
    return nullptr;
  }
  void Disconnect() {
    if (!context_) return;
    pa_context_disconnect(context_);
    pa_context_unref(context_);
    context_ = nullptr;
  }

  pa_threaded_mainloop* loop_;
  pa_context* context_ = nullptr;
};

// ALSA reports every failed configuration lookup on stderr; one line of our own says it all.
void QuietAlsa(const char*, int, const char*, int, const char*, ...) {}

class AlsaOut final : public AudioOutput {
 public:
  static std::unique_ptr<AudioOutput> Open(int rate, String& why) {
    snd_lib_error_set_handler(QuietAlsa);
    snd_pcm_t* pcm = nullptr;
    int error = snd_pcm_open(&pcm, "default", SND_PCM_STREAM_PLAYBACK, 0);
    if (error == 0) {
      error = snd_pcm_set_params(pcm, SND_PCM_FORMAT_S16_LE, SND_PCM_ACCESS_RW_INTERLEAVED, 1,
                                 unsigned(rate), 1, kAheadMs * 1000);
      if (error == 0) return std::unique_ptr<AudioOutput>(new AlsaOut(pcm));
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

class SystemAudio final : public AudioDevice {
 public:
  std::unique_ptr<AudioOutput> Open(int rate, String& why) override {
    String pulse, alsa;
    if (auto out = pulse_.Open(rate, pulse)) return out;
    if (auto out = AlsaOut::Open(rate, alsa)) return out;
    why = "no audio output (PulseAudio: " + pulse + "; ALSA: " + alsa + ")";
    return nullptr;
  }

 private:
  PulseServer pulse_;
};

String EspeakMessage(espeak_ng_STATUS status) {
  char text[512] = "";
  espeak_ng_GetStatusCodeMessage(status, text, sizeof text);
  return "espeak-ng: " + String(text);
}

// espeak-ng keeps one state for the whole process, which a second initialisation deadlocks:
// it is initialised once, by the first engine that needs it, and used by one thread at a time.
// Never destroyed, as a worker left behind on a stuck output may still hold it at exit.
struct Synthesiser {
  std::mutex inUse;
  bool ready = false;
  int rate = 0;

  static Synthesiser& Get() {
    static auto* synthesiser = new Synthesiser;
    return *synthesiser;
  }

  // Under inUse.
  bool Start(String& why) {
    if (ready) return true;
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
    rate = espeak_ng_GetSampleRate();
    ready = true;
    return true;
  }
};

using Clock = std::chrono::steady_clock;
// A lost output is tried again by the next text at most this often.
constexpr auto kRetryEvery = std::chrono::seconds(1);
// How long ending waits for the worker; one stuck on its output is left to the process's end.
constexpr auto kEndWithin = std::chrono::milliseconds(200);

// What the engine and its worker share. The worker holds it too, so that a worker left behind
// on a stuck output finds everything in place when the output comes back.
struct Voice {
  Voice(std::unique_ptr<AudioDevice> d, std::chrono::milliseconds r)
      : device(std::move(d)), rest(r) {}

  std::unique_ptr<AudioDevice> device;
  const std::chrono::milliseconds rest;
  std::mutex mutex;
  std::condition_variable wake, ended;
  std::deque<String> queue;
  bool stopping = false;
  bool finished = false;
  bool unavailable = false;
  // Every cut starts a new generation; a text belongs to the one it was taken in.
  std::atomic<uint64_t> generation{0};
  // The rest belongs to the worker alone.
  uint64_t speaking = 0;
  int rate = 0;
  std::unique_ptr<AudioOutput> out;
  bool lost = false;
  Clock::time_point lastTry;
};

// espeak-ng synthesises into our callback on a thread of our own, which plays the samples
// itself: Speak never waits for it, and a cut both stops the synthesis and discards the audio
// the device still holds.
class EspeakEngine final : public SpeechEngine {
 public:
  EspeakEngine(std::unique_ptr<AudioDevice> device, std::chrono::milliseconds rest)
      : voice_(std::make_shared<Voice>(std::move(device), rest)),
        worker_([voice = voice_] { Run(*voice); }) {}

  ~EspeakEngine() override {
    std::unique_lock lock(voice_->mutex);
    voice_->stopping = true;
    voice_->queue.clear();
    ++voice_->generation;
    voice_->wake.notify_one();
    if (voice_->ended.wait_for(lock, kEndWithin, [this] { return voice_->finished; })) {
      lock.unlock();
      worker_.join();
    } else {
      worker_.detach();
    }
  }

  void Speak(const String& text, bool interrupt) override {
    {
      std::lock_guard lock(voice_->mutex);
      if (voice_->unavailable) return;
      if (interrupt) {
        voice_->queue.clear();
        ++voice_->generation;
      }
      voice_->queue.push_back(text);
    }
    voice_->wake.notify_one();
  }

 private:
  static void Run(Voice& v) {
    Synthesiser& synthesiser = Synthesiser::Get();
    String why;
    bool started;
    {
      std::lock_guard lock(synthesiser.inUse);
      started = synthesiser.Start(why);
      v.rate = synthesiser.rate;
    }
    if (!started) {
      GiveUp(v, why);
    } else {
      Open(v);
      Play(v, synthesiser);
    }
    if (v.out) v.out->Drop();
    v.out.reset();
    std::lock_guard lock(v.mutex);
    v.finished = true;
    v.ended.notify_all();
  }

  static void Play(Voice& v, Synthesiser& synthesiser) {
    uint64_t played = v.generation;
    for (;;) {
      String text;
      {
        std::unique_lock lock(v.mutex);
        const auto due = [&v] { return v.stopping || !v.queue.empty(); };
        if (v.out && !v.wake.wait_for(lock, v.rest, due)) {
          // Nothing more to say for a while: the server and the device may rest.
          lock.unlock();
          v.out.reset();
          continue;
        }
        v.wake.wait(lock, due);
        if (v.stopping) return;
        text = std::move(v.queue.front());
        v.queue.pop_front();
        v.speaking = v.generation;
      }
      if (!v.out) {
        // A lost output is tried again at most once a second; the texts in between are
        // dropped, not kept for later. One let go for a rest opens at once.
        if (v.lost && Clock::now() - v.lastTry < kRetryEvery) continue;
        if (!Open(v)) continue;
      } else if (v.speaking != played) {
        // A cut since the last text was written: its tail must not be heard either.
        v.out->Drop();
      }
      played = v.speaking;
      const String words = SpokenForm(text);
      {
        std::lock_guard lock(synthesiser.inUse);
        espeak_SetSynthCallback(&EspeakEngine::OnSamples);
        espeak_ng_Synthesize(words.c_str(), words.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8,
                             nullptr, &v);
        if (v.speaking != v.generation) espeak_ng_Cancel();
      }
      if (!v.out) {
        Lose(v, "the audio output failed");
      } else if (v.speaking == v.generation && Idle(v)) {
        v.out->Drain();
      }
    }
  }

  // Opens the output; says once that it is gone, and once that it is back.
  static bool Open(Voice& v) {
    v.lastTry = Clock::now();
    String why;
    v.out = v.device->Open(v.rate, why);
    if (!v.out) {
      Lose(v, why);
      return false;
    }
    if (v.lost) std::fprintf(stderr, "quendle: speech is available again\n");
    v.lost = false;
    return true;
  }

  static void Lose(Voice& v, const String& why) {
    v.lastTry = Clock::now();
    {
      std::lock_guard lock(v.mutex);
      v.queue.clear();
    }
    if (!v.lost) std::fprintf(stderr, "quendle: speech is unavailable: %s\n", why.c_str());
    v.lost = true;
  }

  // Speech is off for good: say so once, and take no more texts.
  static void GiveUp(Voice& v, const String& why) {
    {
      std::lock_guard lock(v.mutex);
      v.unavailable = true;
      v.queue.clear();
    }
    std::fprintf(stderr, "quendle: speech is unavailable: %s\n", why.c_str());
  }

  static bool Idle(Voice& v) {
    std::lock_guard lock(v.mutex);
    return v.queue.empty();
  }

  // Returning 1 tells espeak-ng to stop synthesising.
  static int OnSamples(short* samples, int count, espeak_EVENT* events) {
    auto& v = *static_cast<Voice*>(events->user_data);
    if (!v.out) return 1;  // the output failed earlier in this text
    const size_t piece = size_t(v.rate / 1000 * kPieceMs);
    for (int at = 0; at < count; at += int(piece)) {
      if (v.speaking != v.generation) {
        v.out->Drop();
        return 1;
      }
      if (!v.out->Write(samples + at, std::min(piece, size_t(count - at)))) {
        v.out.reset();
        return 1;
      }
    }
    return 0;
  }

  std::shared_ptr<Voice> voice_;
  std::thread worker_;  // last, so that it starts once the voice exists
};

}  // namespace

std::unique_ptr<AudioDevice> AudioDevice::MakeDefault() { return std::make_unique<SystemAudio>(); }

std::unique_ptr<SpeechEngine> SpeechEngine::MakeDefault(std::unique_ptr<AudioDevice> device,
                                                        std::chrono::milliseconds rest) {
  return std::make_unique<EspeakEngine>(std::move(device), rest);
}
