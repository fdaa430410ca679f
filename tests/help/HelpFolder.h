// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTemporaryDir>
#include <filesystem>

#include "help/HelpTexts.h"

// An application folder of the test's own, which the program takes for its own: the
// executable in bin/, the help texts in Resources/ beside it.
class HelpFolder {
 public:
  // Without `withResources` there is no Resources folder at all.
  explicit HelpFolder(bool withResources = true);
  std::filesystem::path resources() const;
  void write(const String& file, const String& content) const;
  void remove(const String& file) const;

 private:
  QTemporaryDir dir_;
};

// A help topic: the help window's link that shows it, its file and its accessor.
struct Topic {
  const char* link;  // none for the start page
  const char* caption;
  const char* file;
  const String& (*text)();
};

extern const Topic kStartPage;
extern const Topic kTopics[7];
