#include "vocabulary/listfile.h"

#include <filesystem>
#include <system_error>

#include "app/core/textfile.h"

namespace lx {

namespace fs = std::filesystem;

namespace {

// Only a path known to be missing (not one whose state could not be checked).
bool KnownMissing(const fs::path& path) {
  std::error_code ec;
  return fs::symlink_status(path, ec).type() == fs::file_type::not_found;
}

}  // namespace

ListLoad LoadListFile(const std::string& path, WordList& list) {
  ListLoad result;
  WordList::Batch batch(list);
  list.Clear();
  std::string bytes;
  if (!ReadFileBytes(path, bytes)) return result;
  result.opened = true;
  result.unread = AppendWordLines(bytes, list);
  return result;
}

std::string FreeNameBeside(const std::string& path) {
  const fs::path original(path);
  const std::string stem = original.stem().string();
  const std::string ext = original.extension().string();
  for (int n = 1; n <= 10000; ++n) {
    fs::path candidate = original;
    candidate.replace_filename(stem + "-" + std::to_string(n) + ext);
    if (KnownMissing(candidate)) return candidate.string();
  }
  return {};
}

DefaultListFile::DefaultListFile(std::string path, WordList& list) : path_(std::move(path)), list_(list) {
  subscription_ = list_.Subscribe([this] {
    if (!loading_) changed_ = true;
  });
}

DefaultListFile::~DefaultListFile() { list_.Unsubscribe(subscription_); }

ListLoad DefaultListFile::Load() {
  loading_ = true;
  const ListLoad result = LoadListFile(path_, list_);
  loading_ = false;
  changed_ = false;
  // Unsure whether the file is there counts as there: only a file known to be
  // missing may be created from the list.
  guarded_ = !result.complete() && !KnownMissing(path_);
  return result;
}

DefaultListFile::Saved DefaultListFile::Save() {
  Saved saved;
  if (!guarded_) {
    saved.path = path_;
  } else {
    if (!changed_) return saved;
    saved.path = FreeNameBeside(path_);
    saved.beside = true;
  }
  if (saved.path.empty() || !SaveWordList(saved.path, list_)) {
    saved.failed = true;
    saved.path.clear();
  }
  return saved;
}

void DefaultListFile::SavedAs(const std::string& path) {
  std::error_code ec;
  if (fs::equivalent(path, path_, ec) && !ec) guarded_ = false;
}

}  // namespace lx
