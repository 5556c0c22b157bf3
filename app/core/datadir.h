#pragma once
// The course's data paths: the executable's folder plus a relative path written
// with backslashes ("data\words.txt"), mapped onto the Linux file system.
#include <string>
#include <string_view>

namespace lx {

class DataDir {
 public:
  DataDir() = default;
  // `root` is a folder in the file system's own encoding (UTF-8); a trailing '/' is added.
  explicit DataDir(std::string root);

  // Folder of the running executable (from /proc/self/exe).
  static DataDir OfExecutable();

  const std::string& root() const { return root_; }
  // Native path of a relative path given in Windows-1251 with '\' separators.
  std::string Path(std::string_view relativeCp1251) const;

 private:
  std::string root_;
};

// "a\b\c.txt" (Windows-1251) -> "a/b/c.txt" (UTF-8).
std::string NativeRelativePath(std::string_view relativeCp1251);

}  // namespace lx
