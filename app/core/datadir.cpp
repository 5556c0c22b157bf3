#include "datadir.h"

#include <unistd.h>

#include <climits>

#include "cp1251.h"

namespace lx {

DataDir::DataDir(std::string root) : root_(std::move(root)) {
  if (root_.empty() || root_.back() != '/') root_ += '/';
}

DataDir DataDir::OfExecutable() {
  char buf[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return DataDir("./");
  std::string exe(buf, static_cast<size_t>(n));
  return DataDir(exe.substr(0, exe.rfind('/') + 1));
}

std::string NativeRelativePath(std::string_view relativeCp1251) {
  std::string utf8 = Cp1251ToUtf8(relativeCp1251);
  for (char& c : utf8)
    if (c == '\\') c = '/';
  return utf8;
}

std::string DataDir::Path(std::string_view relativeCp1251) const {
  return root_ + NativeRelativePath(relativeCp1251);
}

}  // namespace lx
