// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

#include "platform/Types.h"

class TextInputStream {
 public:
  explicit TextInputStream(std::ifstream stream) : stream_(std::move(stream)) {}
  // The whole remaining content, its bytes as they are.
  String ReadAll();
  void Close();

 private:
  std::ifstream stream_;
};

// An entry of the file system, present or not.
class FolderItem {
 public:
  explicit FolderItem(std::filesystem::path path) : path_(std::move(path)) {}
  const std::filesystem::path& Path() const { return path_; }
  bool Directory() const;
  // The folder holding this item; none at the root.
  std::shared_ptr<FolderItem> Parent() const;
  // The entry of that name inside this folder, present or not; none when this item is no
  // folder or the name is no plain file name.
  std::shared_ptr<FolderItem> Child(const String& name) const;
  // None when the file cannot be opened (absent, unreadable, a folder).
  std::shared_ptr<TextInputStream> OpenAsTextFile() const;

 private:
  std::filesystem::path path_;
};

// A declared document type; converting it to text the first time registers it with the running
// framework (RuntimeException when none runs).
class FileType {
 public:
  String Name, Extensions, MacType, MacCreator;
  String ToString();

 private:
  bool registered_ = false;
};

// The document types registered since the framework started; none between runs.
const std::vector<FileType>& DeclaredFileTypes();
