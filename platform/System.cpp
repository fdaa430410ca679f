// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/System.h"

#include <QApplication>
#include <QDesktopServices>
#include <QMessageBox>
#include <QProcess>
#include <QUrl>

#include "platform/QtInternal.h"
#include "platform/Service.h"

namespace {

class MessageBoxes : public DialogService {
 public:
  void MsgBox(const String& text) override {
    QMessageBox box(QMessageBox::NoIcon, "Quendle", ToQt(text), QMessageBox::Ok,
                    QApplication::activeWindow());
    box.exec();
  }
};

class DesktopBrowser : public BrowserService {
 public:
  // Where the toolkit finds no opener of its own (no desktop integration, as offscreen), the
  // freedesktop opener is asked directly.
  void ShowURL(const String& url) override {
    if (!QDesktopServices::openUrl(QUrl(ToQt(url)))) {
      QProcess::startDetached("xdg-open", {ToQt(url)});
    }
  }
};

// Linux has no packed system version to answer with.
class NoSystemVersion : public SystemQueryService {
 public:
  bool Gestalt(const String&, int32_t&) override { return false; }
};

class ProcessExecutable : public ExecutableService {
 public:
  std::filesystem::path ExecutablePath() override {
    std::error_code error;
    auto path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
  }
};

}  // namespace

std::unique_ptr<DialogService> DialogService::MakeDefault() {
  return std::make_unique<MessageBoxes>();
}
std::unique_ptr<BrowserService> BrowserService::MakeDefault() {
  return std::make_unique<DesktopBrowser>();
}
std::unique_ptr<SystemQueryService> SystemQueryService::MakeDefault() {
  return std::make_unique<NoSystemVersion>();
}
std::unique_ptr<ExecutableService> ExecutableService::MakeDefault() {
  return std::make_unique<ProcessExecutable>();
}

void MsgBox(const String& text) { Service<DialogService>::Get().MsgBox(text); }
void ShowURL(const String& url) { Service<BrowserService>::Get().ShowURL(url); }

bool SystemClass::Gestalt(const String& selector, int32_t& result) {
  return Service<SystemQueryService>::Get().Gestalt(selector, result);
}

const SystemCursors& SystemClass::Cursors() const {
  static const SystemCursors cursors{
      std::make_shared<MouseCursor>(MouseCursor{MouseCursor::Shape::FingerPointer}),
      std::make_shared<MouseCursor>(MouseCursor{MouseCursor::Shape::Standard})};
  return cursors;
}

SystemClass* System() {
  static SystemClass system;
  return &system;
}
