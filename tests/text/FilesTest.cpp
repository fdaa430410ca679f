// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <random>

#include "Cases.h"
#include "platform/Application.h"
#include "platform/Files.h"

namespace fs = std::filesystem;

namespace {

// A fresh folder of its own for each case, removed afterwards.
class TempFolder : public testing::Test {
 protected:
  void SetUp() override {
    String pattern = (fs::temp_directory_path() / "quendle-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
  }
  void TearDown() override {
    std::error_code error;
    fs::remove_all(root_, error);
  }

  fs::path Write(const fs::path& relative, const String& bytes) {
    const fs::path path = root_ / relative;
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  fs::path root_;
};

// ---- Directory ----

struct KindCase {
  const char* name;
  const char* entry;
  bool directory;
};

class KindTest : public TempFolder, public testing::WithParamInterface<KindCase> {};

TEST_P(KindTest, Tells) {
  Write("file.txt", "x");
  fs::create_directory(root_ / "folder");
  fs::create_symlink(root_ / "gone", root_ / "dangling");
  const FolderItem item(root_ / GetParam().entry);
  EXPECT_EQ(item.Directory(), GetParam().directory);
}

INSTANTIATE_TEST_SUITE_P(Cases, KindTest,
                         testing::Values(KindCase{"File", "file.txt", false},
                                         KindCase{"Folder", "folder", true},
                                         KindCase{"Absent", "missing", false},
                                         KindCase{"InsideAFile", "file.txt/x", false},
                                         KindCase{"DanglingLink", "dangling", false}),
                         ByName);

// ---- Child ----

struct ChildCase {
  const char* name;
  const char* folder;  // relative to the temp folder
  String child;
  bool given;   // an item comes back
  bool exists;  // and it is present
};

class ChildTest : public TempFolder, public testing::WithParamInterface<ChildCase> {};

TEST_P(ChildTest, NamesAnEntryInsideTheFolder) {
  Write("dir/a.txt", "a");
  Write("file.txt", "f");
  const auto child = FolderItem(root_ / GetParam().folder).Child(GetParam().child);
  ASSERT_EQ(child != nullptr, GetParam().given);
  if (!child) return;
  EXPECT_EQ(child->Path(), root_ / GetParam().folder / GetParam().child);
  EXPECT_EQ(fs::exists(child->Path()), GetParam().exists);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChildTest,
    testing::Values(ChildCase{"Present", "dir", "a.txt", true, true},
                    ChildCase{"Absent", "dir", "missing.txt", true, false},
                    ChildCase{"EmptyName", "dir", "", false, false},
                    ChildCase{"Dot", "dir", ".", false, false},
                    ChildCase{"DotDot", "dir", "..", false, false},
                    ChildCase{"WithSlash", "", "dir/a.txt", false, false},
                    ChildCase{"AbsoluteName", "dir", "/etc", false, false},
                    ChildCase{"WithNul", "dir", String("a.txt\0x", 7), false, false},
                    ChildCase{"OfAFile", "file.txt", "a.txt", false, false},
                    ChildCase{"OfAnAbsentFolder", "nowhere", "a.txt", false, false}),
    ByName);

// ---- Parent ----

struct ParentCase {
  const char* name;
  const char* path;
  const char* parent;  // nullptr: none
};

class ParentTest : public testing::TestWithParam<ParentCase> {};

TEST_P(ParentTest, IsTheHoldingFolder) {
  const auto parent = FolderItem(GetParam().path).Parent();
  if (!GetParam().parent) {
    EXPECT_EQ(parent, nullptr) << parent->Path();
  } else {
    ASSERT_NE(parent, nullptr);
    EXPECT_EQ(parent->Path(), fs::path(GetParam().parent));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ParentTest,
    testing::Values(ParentCase{"File", "/opt/quendle/bin/quendle", "/opt/quendle/bin"},
                    ParentCase{"TopLevel", "/opt", "/"},
                    ParentCase{"TrailingSlash", "/opt/quendle/", "/opt"},
                    ParentCase{"DotDot", "/opt/quendle/bin/..", "/opt"},
                    ParentCase{"Root", "/", nullptr}, ParentCase{"AboveRoot", "/opt/..", nullptr}),
    ByName);

TEST(Parent, OfARelativePathIsFoundFromTheWorkingFolder) {
  const auto parent = FolderItem("some-file").Parent();
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->Path(), fs::current_path());
}

// ---- OpenAsTextFile and ReadAll ----

struct OpenCase {
  const char* name;
  const char* entry;
  bool opens;
};

class OpenTest : public TempFolder, public testing::WithParamInterface<OpenCase> {};

TEST_P(OpenTest, GivesAStreamOnlyOnAReadableFile) {
  Write("present.txt", "text");
  Write("empty.txt", "");
  fs::create_directory(root_ / "folder");
  chmod(Write("locked.txt", "secret").c_str(), 0);
  ASSERT_EQ(mkfifo((root_ / "pipe").c_str(), 0600), 0);  // opening it would wait for a writer
  if (String(GetParam().entry) == "locked.txt" && geteuid() == 0) {
    GTEST_SKIP() << "root reads a file whatever its mode";
  }
  EXPECT_EQ(FolderItem(root_ / GetParam().entry).OpenAsTextFile() != nullptr, GetParam().opens);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, OpenTest,
    testing::Values(OpenCase{"Present", "present.txt", true}, OpenCase{"Empty", "empty.txt", true},
                    OpenCase{"Absent", "absent.txt", false}, OpenCase{"Folder", "folder", false},
                    OpenCase{"Unreadable", "locked.txt", false}, OpenCase{"Pipe", "pipe", false}),
    ByName);

struct BytesCase {
  const char* name;
  String bytes;
};

class ReadAllTest : public TempFolder, public testing::WithParamInterface<BytesCase> {};

TEST_P(ReadAllTest, GivesTheBytesAsStored) {
  const auto stream = FolderItem(Write("f", GetParam().bytes)).OpenAsTextFile();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->ReadAll(), GetParam().bytes);
  EXPECT_EQ(stream->ReadAll(), "") << "nothing remains after the whole was read";
  stream->Close();
}

String ManyMegabytes() {
  std::mt19937 random(7);
  String bytes(5 << 20, '\0');
  for (char& byte : bytes) byte = static_cast<char>(random());
  return bytes;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadAllTest,
    testing::Values(BytesCase{"Empty", ""}, BytesCase{"NoFinalLineEnd", "one\ntwo"},
                    BytesCase{"TrailingEmptyLines", "one\n\n\n"},
                    BytesCase{"WindowsLineEnds", "one\r\ntwo\r\n"}, BytesCase{"LoneCr", "a\rb"},
                    BytesCase{"Utf8", "caf\xC3\xA9 \xE2\x82\xAC"},
                    BytesCase{"InvalidUtf8AndNul", String("\xFF\xFE\0a\xC3\0", 6)},
                    BytesCase{"SeveralMegabytes", ManyMegabytes()}),
    ByName);

// The way the help texts are found: two folders above the executable, then Resources.
TEST_F(TempFolder, ReachesAFileBesideTheExecutableFolder) {
  Write("Resources/ReadMe.txt", "help\r\n");
  const FolderItem executable(Write("bin/quendle", ""));
  const auto parent = executable.Parent();
  ASSERT_NE(parent, nullptr);
  const auto top = parent->Parent();
  ASSERT_NE(top, nullptr);
  const auto resources = top->Child("Resources");
  ASSERT_NE(resources, nullptr);
  const auto file = resources->Child("ReadMe.txt");
  ASSERT_NE(file, nullptr);
  const auto stream = file->OpenAsTextFile();
  ASSERT_NE(stream, nullptr);
  EXPECT_EQ(stream->ReadAll(), "help\r\n");
}

// ---- FileType ----

FileType TextPlain() {
  FileType type;
  type.Name = "text/plain";
  type.Extensions = ".txt";
  type.MacType = "TEXT";
  type.MacCreator = "ttxt";
  return type;
}

// Types register with the running framework, for as long as it runs.
struct RunningFramework {
  RunningFramework() {
    RunFrameworkInitialization([] {});
  }
  ~RunningFramework() { RuntimeExit(0); }
};

// Counted from what the registry held before the case.
TEST(FileType, FirstConversionRegistersACopy) {
  RunningFramework framework;
  FileType type = TextPlain();
  const size_t before = DeclaredFileTypes().size();
  EXPECT_EQ(type.ToString(), "text/plain");
  ASSERT_EQ(DeclaredFileTypes().size(), before + 1);
  const FileType& declared = DeclaredFileTypes().back();
  EXPECT_EQ(declared.Name, "text/plain");
  EXPECT_EQ(declared.Extensions, ".txt");
  EXPECT_EQ(declared.MacType, "TEXT");
  EXPECT_EQ(declared.MacCreator, "ttxt");

  type.Name = "renamed";
  EXPECT_EQ(type.ToString(), "renamed");
  ASSERT_EQ(DeclaredFileTypes().size(), before + 1) << "later conversions register nothing";
  EXPECT_EQ(DeclaredFileTypes().back().Name, "text/plain");
}

TEST(FileType, EachTypeRegistersOnItsOwn) {
  RunningFramework framework;
  FileType first = TextPlain(), second = TextPlain();
  second.Name = "text/markdown";
  const size_t before = DeclaredFileTypes().size();
  first.ToString();
  second.ToString();
  first.ToString();
  ASSERT_EQ(DeclaredFileTypes().size(), before + 2);
  EXPECT_EQ(DeclaredFileTypes()[before].Name, "text/plain");
  EXPECT_EQ(DeclaredFileTypes()[before + 1].Name, "text/markdown");
}

TEST(FileType, IsDeclaredOnlyWhileTheFrameworkRuns) {
  FileType type = TextPlain(), later = TextPlain();
  {
    RunningFramework framework;
    type.ToString();
    ASSERT_EQ(DeclaredFileTypes().size(), 1u);
  }
  EXPECT_TRUE(DeclaredFileTypes().empty()) << "ended with the run";
  EXPECT_THROW(later.ToString(), RuntimeException) << "nothing to declare it with between runs";
  RunningFramework again;
  EXPECT_TRUE(DeclaredFileTypes().empty()) << "a new run starts with none";
  EXPECT_EQ(later.ToString(), "text/plain");
  EXPECT_EQ(DeclaredFileTypes().size(), 1u) << "a refused type registers once it can";
}

}  // namespace
