// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <memory>

#include "platform/Types.h"

// Modal message box with one text and an OK button.
void MsgBox(const String& text);
// Opens the address in the desktop's default browser; reports nothing back.
void ShowURL(const String& url);

struct MouseCursor {
  enum class Shape { Standard, FingerPointer };
  Shape shape;
};

struct SystemCursors {
  std::shared_ptr<MouseCursor> FingerPointer;
  std::shared_ptr<MouseCursor> StandardPointer;
};

class SystemClass {
 public:
  // True on success, with the answer written to `result`. "sysv" has no answer where the
  // system has no such version number.
  bool Gestalt(const String& selector, int32_t& result);
  const SystemCursors& Cursors() const;
};

SystemClass* System();

// Seams for the outside effects above.
class DialogService {
 public:
  virtual ~DialogService() = default;
  virtual void MsgBox(const String& text) = 0;
  static std::unique_ptr<DialogService> MakeDefault();
};

class BrowserService {
 public:
  virtual ~BrowserService() = default;
  virtual void ShowURL(const String& url) = 0;
  static std::unique_ptr<BrowserService> MakeDefault();
};

class SystemQueryService {
 public:
  virtual ~SystemQueryService() = default;
  virtual bool Gestalt(const String& selector, int32_t& result) = 0;
  static std::unique_ptr<SystemQueryService> MakeDefault();
};

// Where the running executable lies, as a seam, so tests can point the program at a folder
// of their own.
class ExecutableService {
 public:
  virtual ~ExecutableService() = default;
  // Empty when the system cannot tell.
  virtual std::filesystem::path ExecutablePath() = 0;
  static std::unique_ptr<ExecutableService> MakeDefault();
};
