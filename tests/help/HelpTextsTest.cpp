// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QString>
#include <fstream>

#include "Cases.h"
#include "Harness.h"
#include "HelpFolder.h"
#include "platform/Service.h"

namespace {

std::vector<Topic> AllTopics() {
  std::vector<Topic> all{kStartPage};
  all.insert(all.end(), std::begin(kTopics), std::end(kTopics));
  return all;
}

class HelpTexts : public testing::Test {
 protected:
  HelpFolder folder;
  AppHarness app;
};

TEST_F(HelpTexts, EachReadsItsOwnFileWhole) {
  for (const Topic& topic : AllTopics()) {
    folder.write(topic.file, String("text of ") + topic.file + "\r\nline two\n\n\n");
  }
  for (const Topic& topic : AllTopics()) {
    EXPECT_EQ(topic.text(), String("text of ") + topic.file + "\r\nline two\n\n\n");
  }
  EXPECT_TRUE(app.messages->empty());
}

struct ContentRow {
  const char* name;
  String bytes;
};
class HelpTextBytes : public HelpTexts, public testing::WithParamInterface<ContentRow> {};

TEST_P(HelpTextBytes, AreKeptAsTheyAre) {
  folder.write("ReadMeFirst6.txt", GetParam().bytes);
  EXPECT_EQ(ReadMeFirst6(), GetParam().bytes);
  EXPECT_EQ(ReadMeFirst6(), GetParam().bytes) << "from the cache";
  EXPECT_TRUE(app.messages->empty());
}

INSTANTIATE_TEST_SUITE_P(
    Contents, HelpTextBytes,
    testing::Values(ContentRow{"Empty", ""}, ContentRow{"OldMacLineEnds", "one\rtwo\r"},
                    ContentRow{"NotUtf8", "caf\xE9 \xFF\xFE \x80\xC3"},
                    ContentRow{"NulBytes", String("a\0b\0", 4)},
                    ContentRow{"SeveralMegabytes", String(6 << 20, 'x') + "end"}),
    ByName);

TEST_F(HelpTexts, AreReadOnceWhateverHappensOnDiskAfterwards) {
  folder.write("ReadMeFirstMac1.txt", "first");
  folder.write("ReadMeFirstMac2.txt", "first");
  ASSERT_EQ(ReadMeFirstMac1(), "first");
  ASSERT_EQ(ReadMeFirstMac2(), "first");
  folder.write("ReadMeFirstMac1.txt", "changed");
  folder.remove("ReadMeFirstMac2.txt");
  EXPECT_EQ(ReadMeFirstMac1(), "first");
  EXPECT_EQ(ReadMeFirstMac2(), "first");
}

TEST_F(HelpTexts, AMissingOrEmptyFileStaysEmptyOnceAsked) {
  folder.write("ReadMeFirst7.txt", "");
  EXPECT_EQ(ReadMeFirstMac8(), "");
  EXPECT_EQ(ReadMeFirst7(), "");
  folder.write("ReadMeFirstMac8.txt", "put in place later");
  folder.write("ReadMeFirst7.txt", "filled later");
  EXPECT_EQ(ReadMeFirstMac8(), "");
  EXPECT_EQ(ReadMeFirst7(), "");
  EXPECT_TRUE(app.messages->empty());
}

TEST_F(HelpTexts, AnUnreadableFileGivesTheEmptyText) {
  folder.write("ReadMeFirstMac3.txt", "secret");
  std::filesystem::permissions(folder.resources() / "ReadMeFirstMac3.txt",
                               std::filesystem::perms::none);
  bool rootReadsAnyway = !std::ifstream(folder.resources() / "ReadMeFirstMac3.txt").fail();
  if (rootReadsAnyway) GTEST_SKIP() << "permissions do not bind this user";
  EXPECT_EQ(ReadMeFirstMac3(), "");
}

TEST_F(HelpTexts, AFolderInPlaceOfAFileGivesTheEmptyText) {
  std::filesystem::create_directory(folder.resources() / "ReadMeFirstMac4.txt");
  EXPECT_EQ(ReadMeFirstMac4(), "");
}

TEST(HelpTextsWithoutResources, AreAllEmptyAndRaiseNothing) {
  HelpFolder folder(/*withResources=*/false);
  AppHarness app;
  for (const Topic& topic : AllTopics()) EXPECT_EQ(topic.text(), "") << topic.file;
  std::filesystem::create_directories(folder.resources());
  folder.write("ReadMeFirstMac0.txt", "too late");
  EXPECT_EQ(ReadMeFirstMac0(), "");
}

TEST(HelpTextsWithoutApplication, RaiseOnceThenGiveTheEmptyText) {
  HelpFolder folder;
  folder.write("ReadMeFirstMac1.txt", "present");
  EXPECT_THROW(ReadMeFirstMac1(), NilObjectException) << "no application object";
  EXPECT_EQ(ReadMeFirstMac1(), "") << "not tried again";
}

TEST(HelpTextsWithoutExecutable, RaiseOnceThenGiveTheEmptyText) {
  AppHarness app;
  HelpFolder folder;
  folder.write("ReadMeFirstMac2.txt", "present");
  Service<ExecutableService>::Install(std::make_unique<FixedExecutable>(""));
  EXPECT_THROW(ReadMeFirstMac2(), NilObjectException);
  EXPECT_EQ(ReadMeFirstMac2(), "");
}

TEST_F(HelpTexts, ReleaseDropsTheTextsForGood) {
  folder.write("ReadMeFirstMac0.txt", "start");
  ASSERT_EQ(ReadMeFirstMac0(), "start");
  ReleaseHelpTexts();
  EXPECT_EQ(ReadMeFirstMac0(), "") << "released, and not read again";
}

// The texts that the build ships, read where the program looks for them.
TEST(ShippedHelpTexts, LoadFromTheApplicationFolderUnderTheirTitles) {
  AppHarness app;
  Service<ExecutableService>::Install(
      std::make_unique<FixedExecutable>(std::filesystem::path(QUENDLE_BIN_DIR) / "quendle"));
  EXPECT_EQ(ReadMeFirstMac0().rfind("Welcome to Quendle Help\n", 0), 0u);
  for (const Topic& topic : kTopics) {
    String text = topic.text();
    SCOPED_TRACE(topic.file);
    EXPECT_GT(text.size(), String(topic.caption).size() + 20);
    EXPECT_TRUE(QString::fromUtf8(text.data(), qsizetype(text.size())).toStdString() == text)
        << "UTF-8 throughout";
    EXPECT_EQ(text.find("\r"), String::npos);
  }
  // Each topic opens under the caption of the link that shows it.
  EXPECT_EQ(ReadMeFirstMac1().rfind("General Information\n", 0), 0u);
  EXPECT_EQ(ReadMeFirstMac2().rfind("System Requirements\n", 0), 0u);
  EXPECT_EQ(ReadMeFirstMac3().rfind("What's new in version 1.7\n", 0), 0u);
  EXPECT_EQ(ReadMeFirstMac4().rfind("Frequently Asked Questions\n", 0), 0u);
  EXPECT_EQ(ReadMeFirst6().rfind("Support\n", 0), 0u);
  EXPECT_EQ(ReadMeFirst7().rfind("Use and Distribution\n", 0), 0u);
  EXPECT_EQ(ReadMeFirstMac8().rfind("Other Titles\n", 0), 0u);
}

}  // namespace
