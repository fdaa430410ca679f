// SPDX-License-Identifier: GPL-3.0-or-later
#include "HelpFolder.h"

#include <gtest/gtest.h>

#include <fstream>

#include "Recording.h"
#include "platform/Service.h"

namespace fs = std::filesystem;

const Topic kStartPage = {nullptr, "", "ReadMeFirstMac0.txt", ReadMeFirstMac0};
const Topic kTopics[7] = {
    {"StaticText2", "General Information", "ReadMeFirstMac1.txt", ReadMeFirstMac1},
    {"StaticText3", "System Requirements", "ReadMeFirstMac2.txt", ReadMeFirstMac2},
    {"StaticText4", "What's new in this version?", "ReadMeFirstMac3.txt", ReadMeFirstMac3},
    {"StaticText5", "Frequently Asked Questions", "ReadMeFirstMac4.txt", ReadMeFirstMac4},
    {"StaticText7", "Support", "ReadMeFirst6.txt", ReadMeFirst6},
    {"StaticText8", "Use and Distribution", "ReadMeFirst7.txt", ReadMeFirst7},
    {"StaticText9", "Other Titles", "ReadMeFirstMac8.txt", ReadMeFirstMac8},
};

HelpFolder::HelpFolder(bool withResources) {
  EXPECT_TRUE(dir_.isValid());
  fs::path root = dir_.path().toStdString();
  fs::create_directories(root / "bin");
  if (withResources) fs::create_directories(resources());
  Service<ExecutableService>::Install(std::make_unique<FixedExecutable>(root / "bin" / "quendle"));
}

fs::path HelpFolder::resources() const { return fs::path(dir_.path().toStdString()) / "Resources"; }

void HelpFolder::write(const String& file, const String& content) const {
  std::ofstream(resources() / file, std::ios::binary) << content;
}

void HelpFolder::remove(const String& file) const { fs::remove(resources() / file); }
