// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>

#include "Cases.h"
#include "Harness.h"
#include "NativeAccess.h"
#include "Process.h"
#include "app/App.h"
#include "common/HomePage.h"
#include "help/wAbout.h"
#include "platform/Service.h"

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

// What the processes this one started are doing.
struct Children {
  int running = 0, ended = 0;  // ended: zombies, not yet reaped
  bool operator==(const Children&) const = default;
};

void PrintTo(const Children& children, std::ostream* out) {
  *out << children.running << " running, " << children.ended << " unreaped";
}

Children OurChildren() {
  Children children;
  for (const auto& entry : std::filesystem::directory_iterator("/proc")) {
    const std::string pid = entry.path().filename();
    if (pid.find_first_not_of("0123456789") != std::string::npos) continue;
    std::ifstream file(entry.path() / "stat");
    std::string stat((std::istreambuf_iterator<char>(file)), {});
    size_t name = stat.rfind(')');  // the command's name may hold anything
    if (name == std::string::npos) continue;
    char state = 0;
    int parent = 0;
    if (std::sscanf(stat.c_str() + name + 1, " %c %d", &state, &parent) != 2) continue;
    if (parent != getpid()) continue;
    ++(state == 'Z' ? children.ended : children.running);
  }
  return children;
}

// A stand-in for the desktop's opener, first on PATH while the test runs.
class StandInOpener : public testing::Test {
 protected:
  ~StandInOpener() override { qputenv("PATH", path_); }

  // `body`: the stand-in's shell commands; none leaves no opener on PATH at all.
  void install(const char* body) {
    qputenv("PATH", dir_.path().toLocal8Bit() + (body ? ":" + path_ : QByteArray()));
    if (!body) return;
    const QString opener = dir_.filePath("xdg-open");
    std::ofstream(opener.toStdString())
        << "#!/bin/sh\necho started >> '" << record().toStdString() << "'\n"
        << body << "\n";
    QFile::setPermissions(opener, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  // How often the stand-in was started.
  int starts() const {
    QFile file(record());
    return file.open(QIODevice::ReadOnly) ? int(file.readAll().count('\n')) : 0;
  }
  void clickHomePageLink() {
    openAbout();
    auto about = std::dynamic_pointer_cast<wAbout>(GetImplicitWindow("wAbout.wAbout"));
    ASSERT_TRUE(about);
    QTest::mouseClick(qobject_cast<QLabel*>(NativeObject(about->Find<Control>("StaticText4"))),
                      Qt::LeftButton);
  }

  static void openAbout() {
    if (!GetImplicitWindow("wAbout.wAbout")) FileAbout()->Action()->trigger();
  }

  AppHarness app;

 private:
  QString record() const { return dir_.filePath("starts"); }

  QTemporaryDir dir_;
  const QByteArray path_ = qgetenv("PATH");
};

TEST_F(StandInOpener, ClicksWhileTheOpenerHangsStartNoOtherAndQuitEndsIt) {
  install("exec sleep 600");
  Service<BrowserService>::Install(BrowserService::MakeDefault());
  for (int click = 0; click < 20; ++click) {
    clickHomePageLink();
    QTest::qWait(10);
  }
  ASSERT_TRUE(QTest::qWaitFor([&] { return starts() > 0; }, 10000)) << "the opener was not run";
  QTest::qWait(100);
  EXPECT_EQ(starts(), 1);
  EXPECT_EQ(OurChildren(), (Children{1, 0}));
  // As when the program ends.
  Service<BrowserService>::Install(std::make_unique<RecordingBrowser>(app.urls));
  EXPECT_EQ(OurChildren(), (Children{0, 0}));
}

struct NoBrowserRow {
  const char* name;
  const char* opener;  // none: no opener at all
};

class NoBrowser : public StandInOpener, public testing::WithParamInterface<NoBrowserRow> {};

TEST_P(NoBrowser, SaysSoInOneLineOfItsOwnAndLeavesNoProcess) {
  install(GetParam().opener);
  Service<BrowserService>::Install(BrowserService::MakeDefault());
  openAbout();  // first, so that only what the click makes is kept
  OutputFile said;
  std::fflush(stderr);
  const int standardError = dup(2);
  dup2(said.fd(), 2);
  clickHomePageLink();
  const bool ended =
      QTest::qWaitFor([&] { return said.text().size() > 0 && OurChildren() == Children{}; }, 10000);
  dup2(standardError, 2);
  close(standardError);
  EXPECT_TRUE(ended) << "the opener ended and was reaped";
  EXPECT_EQ(said.text(), "quendle: no web browser could open " + HomePageURL + "\n");
  EXPECT_EQ(OurChildren(), Children{});
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Openers, NoBrowser,
    ::testing::Values(
        NoBrowserRow{"TheOpenerFindsNone",
                     "for b in x-www-browser firefox chromium lynx w3m; do\n"
                     "  echo \"xdg-open: $b: not found\" >&2; echo \"trying $b\"\n"
                     "done\n"
                     "echo \"xdg-open: no method available for opening '$1'\" >&2\n"
                     "exit 3"},
        NoBrowserRow{"ThereIsNoOpener", nullptr}),
    ByName);
// clang-format on

}  // namespace
