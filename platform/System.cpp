// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/System.h"

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <cstdio>
#include <map>

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

// The desktop's opener, run as a child of ours and reaped when it ends; what it says goes
// nowhere, and an address it could not open gets one line of ours. An address whose opener
// still runs is not handed out again, so a stuck opener never piles up.
class DesktopBrowser : public BrowserService {
 public:
  ~DesktopBrowser() override {
    for (auto& [url, opener] : openers_) {
      opener->disconnect();
      opener->kill();
      opener->waitForFinished();
      delete opener;
    }
  }

  void ShowURL(const String& url) override {
    if (openers_.count(url)) return;
    auto* opener = new QProcess(QCoreApplication::instance());
    openers_[url] = opener;
    opener->setStandardInputFile(QProcess::nullDevice());
    opener->setStandardOutputFile(QProcess::nullDevice());
    opener->setStandardErrorFile(QProcess::nullDevice());
    QObject::connect(opener, &QProcess::finished, opener,
                     [this, url](int code, QProcess::ExitStatus status) {
                       if (status == QProcess::NormalExit && code != 0) Unopened(url);
                       forget(url);
                     });
    QObject::connect(opener, &QProcess::errorOccurred, opener,
                     [this, url](QProcess::ProcessError error) {
                       if (error != QProcess::FailedToStart) return;
                       Unopened(url);
                       forget(url);
                     });
    opener->start("xdg-open", {ToQt(url)});
  }

 private:
  static void Unopened(const String& url) {
    std::fprintf(stderr, "quendle: no web browser could open %s\n", url.c_str());
  }
  void forget(const String& url) {
    auto it = openers_.find(url);
    if (it == openers_.end()) return;
    it->second->deleteLater();  // it is still sending the signal
    openers_.erase(it);
  }

  std::map<String, QProcess*> openers_;  // by address, from start to end
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
