// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/Application.h"
#include "platform/Speech.h"
#include "platform/System.h"

// Stand-ins for the outside effects, for tests. Each keeps what it was asked in a log that
// the test shares.

struct Spoken {
  String text;
  bool interrupt;
  bool operator==(const Spoken&) const = default;
};

class RecordingSpeech : public SpeechEngine {
 public:
  explicit RecordingSpeech(std::shared_ptr<std::vector<Spoken>> log) : log_(std::move(log)) {}
  void Speak(const String& text, bool interrupt) override { log_->push_back({text, interrupt}); }

 private:
  std::shared_ptr<std::vector<Spoken>> log_;
};

class RecordingDialogs : public DialogService {
 public:
  explicit RecordingDialogs(std::shared_ptr<std::vector<String>> log) : log_(std::move(log)) {}
  void MsgBox(const String& text) override { log_->push_back(text); }

 private:
  std::shared_ptr<std::vector<String>> log_;
};

class RecordingBrowser : public BrowserService {
 public:
  explicit RecordingBrowser(std::shared_ptr<std::vector<String>> log) : log_(std::move(log)) {}
  void ShowURL(const String& url) override { log_->push_back(url); }

 private:
  std::shared_ptr<std::vector<String>> log_;
};

// Answers every query with the given version, or fails it when there is none.
class FixedSystemQuery : public SystemQueryService {
 public:
  explicit FixedSystemQuery(std::optional<int32_t> version) : version_(version) {}
  bool Gestalt(const String& selector, int32_t& result) override {
    if (selector != "sysv" || !version_) return false;
    result = *version_;
    return true;
  }

 private:
  std::optional<int32_t> version_;
};

class RecordingQuit : public QuitService {
 public:
  explicit RecordingQuit(std::shared_ptr<std::vector<int32_t>> log) : log_(std::move(log)) {}
  void Quit(int32_t code) override { log_->push_back(code); }

 private:
  std::shared_ptr<std::vector<int32_t>> log_;
};

// Says the executable lies at the given path (none, when empty).
class FixedExecutable : public ExecutableService {
 public:
  explicit FixedExecutable(std::filesystem::path path) : path_(std::move(path)) {}
  std::filesystem::path ExecutablePath() override { return path_; }

 private:
  std::filesystem::path path_;
};
