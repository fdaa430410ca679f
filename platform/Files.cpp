// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Files.h"

#include <string_view>
#include <vector>

#include "platform/Runtime.h"

namespace fs = std::filesystem;

namespace {

// The document types declared in a run.
struct DeclaredTypes {
  std::vector<FileType> types;
};

}  // namespace

String TextInputStream::ReadAll() {
  String content;
  // Sized at once: a text of many megabytes would otherwise be copied as it grows.
  if (auto at = stream_.tellg(); at != std::streampos(-1) && stream_.seekg(0, std::ios::end)) {
    if (auto end = stream_.tellg(); end > at) content.reserve(size_t(end - at));
    stream_.seekg(at);
  }
  char chunk[1 << 16];
  while (stream_.read(chunk, sizeof chunk) || stream_.gcount() > 0) {
    content.append(chunk, static_cast<size_t>(stream_.gcount()));
  }
  return content;
}

void TextInputStream::Close() { stream_.close(); }

bool FolderItem::Directory() const {
  std::error_code error;
  return fs::is_directory(path_, error);
}

std::shared_ptr<FolderItem> FolderItem::Parent() const {
  std::error_code error;
  fs::path path = fs::absolute(path_, error).lexically_normal();
  if (error) return nullptr;
  // "/a/b/" names the folder b, as "/a/b" does.
  if (!path.has_filename() && path != path.root_path()) path = path.parent_path();
  if (path == path.root_path()) return nullptr;
  return std::make_shared<FolderItem>(path.parent_path());
}

std::shared_ptr<FolderItem> FolderItem::Child(const String& name) const {
  // Anything but a plain name would reach outside this folder, or name no file at all.
  if (name.empty() || name == "." || name == ".." ||
      name.find_first_of(std::string_view("/\0", 2)) != String::npos) {
    return nullptr;
  }
  if (!Directory()) return nullptr;
  return std::make_shared<FolderItem>(path_ / name);
}

std::shared_ptr<TextInputStream> FolderItem::OpenAsTextFile() const {
  // Only regular files: a folder opens but reads nothing, and a pipe or device could block.
  std::error_code error;
  if (!fs::is_regular_file(path_, error)) return nullptr;
  std::ifstream stream(path_, std::ios::binary);
  if (!stream.is_open()) return nullptr;
  return std::make_shared<TextInputStream>(std::move(stream));
}

String FileType::ToString() {
  if (!registered_) {
    RunState<DeclaredTypes>().types.push_back(*this);
    registered_ = true;
  }
  return Name;
}

const std::vector<FileType>& DeclaredFileTypes() {
  static const std::vector<FileType> none;
  auto* run = RunStateOrNull<DeclaredTypes>();
  return run ? run->types : none;
}
