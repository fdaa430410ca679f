// SPDX-License-Identifier: GPL-3.0-or-later
#include "Harness.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QVariant>

#include "NativeAccess.h"
#include "app/Startup.h"
#include "calculator/wMain.h"
#include "common/mGlobals.h"
#include "help/HelpTexts.h"
#include "platform/Service.h"

namespace {

// The program's module state as at process start.
void ResetModuleState() {
  ForgetHelpTexts();
  mGlobals::Reset();
}

}  // namespace

AppHarness::AppHarness(std::optional<int32_t> systemVersion, Speech speech) {
  // The real engine starts at the first word, as in the program.
  Service<SpeechEngine>::Install(
      speech == Speech::Recorded ? std::make_unique<RecordingSpeech>(spoken) : nullptr);
  Service<DialogService>::Install(std::make_unique<RecordingDialogs>(messages));
  Service<BrowserService>::Install(std::make_unique<RecordingBrowser>(urls));
  Service<SystemQueryService>::Install(std::make_unique<FixedSystemQuery>(systemVersion));
  Service<QuitService>::Install(std::make_unique<RecordingQuit>(quits));
  RunFrameworkInitialization(Startup);
  if (QWidget* top = NativeWindow(window()); top->isVisible()) {
    top->activateWindow();
    (void)QTest::qWaitForWindowActive(top);
  }
}

AppHarness::~AppHarness() {
  ReleaseModuleReferences();
  RuntimeExit(0);
  // The next case in this process starts the program as a new process would.
  ResetModuleState();
}

wMain& AppHarness::window() const {
  auto live = std::dynamic_pointer_cast<wMain>(GetImplicitWindow("wMain.wMain"));
  return Checked(live, "calculator window");
}

void AppHarness::enableKeys() { window().Timer1_Action(); }

QWidget* AppHarness::widget(const String& controlName) const {
  return qobject_cast<QWidget*>(NativeObject(window().Find<Control>(controlName)));
}

QWidget* AppHarness::key(const String& caption) const {
  for (const auto& control : window().Controls()) {
    auto* button = qobject_cast<QPushButton*>(NativeObject(*control));
    if (button && button->text().toStdString() == caption) return button;
  }
  throw NilObjectException("no key " + caption);
}

void AppHarness::press(const String& caption) { QTest::mouseClick(key(caption), Qt::LeftButton); }

void AppHarness::type(const String& keys) {
  for (char key : keys) QTest::keyClick(widget("efDisplay"), key);
}

void AppHarness::typeKey(int qtKey) { QTest::keyClick(widget("efDisplay"), Qt::Key(qtKey)); }

String AppHarness::display() const {
  return widget("efDisplay")->property("text").toString().toStdString();
}

String AppHarness::tape() const {
  return widget("efHistory")->property("plainText").toString().toStdString();
}
