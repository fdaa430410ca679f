// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "Harness.h"
#include "app/App.h"
#include "common/HomePage.h"
#include "help/wAbout.h"
#include "platform/Service.h"
#include "platform/testing/NativeAccess.h"

namespace {

// The desktop's real opener, with a stand-in `xdg-open` first on PATH that writes down the
// address it was given.
TEST(Browser, TheHomePageLinkHandsItsAddressToTheDesktopOpener) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  const QString record = dir.filePath("opened");
  const QString opener = dir.filePath("xdg-open");
  std::ofstream(opener.toStdString())
      << "#!/bin/sh\nprintf '%s' \"$1\" > '" << record.toStdString() << ".part'\nmv '"
      << record.toStdString() << ".part' '" << record.toStdString() << "'\n";
  QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  qputenv("PATH", dir.path().toLocal8Bit() + ":" + qgetenv("PATH"));
  // No desktop of its own to pick another opener by.
  for (const char* name :
       {"XDG_CURRENT_DESKTOP", "DESKTOP_SESSION", "KDE_FULL_SESSION", "GNOME_DESKTOP_SESSION_ID"}) {
    qunsetenv(name);
  }

  AppHarness app;
  Service<BrowserService>::Install(BrowserService::MakeDefault());
  FileAbout()->Action()->trigger();
  auto about = std::dynamic_pointer_cast<wAbout>(GetImplicitWindow("wAbout.wAbout"));
  ASSERT_TRUE(about);
  QTest::mouseClick(qobject_cast<QLabel*>(NativeObject(about->Find<Control>("StaticText4"))),
                    Qt::LeftButton);

  ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(record); }, 10000))
      << "the opener was not run";
  QFile file(record);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll().toStdString(), HomePageURL);
  EXPECT_TRUE(app.messages->empty());
}

}  // namespace
