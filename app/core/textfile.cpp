#include "textfile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <random>

namespace lx {

bool ReadFileBytes(const std::string& path, std::string& out) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  out.clear();
  char buf[1 << 16];
  bool ok = true;
  for (;;) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      ok = false;
      break;
    }
    if (n == 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return ok;
}

bool ReadFirstLines(const std::string& path, size_t maxLines, std::string& out) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  out.clear();
  char buf[1 << 14];
  size_t lines = 0;
  bool ok = true;
  while (lines < maxLines) {
    const ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) ok = false;
    if (n <= 0) break;
    for (ssize_t i = 0; i < n; ++i) {
      if (buf[i] != '\n') continue;
      if (++lines == maxLines) {
        out.append(buf, static_cast<size_t>(i + 1));
        ::close(fd);
        return true;
      }
    }
    out.append(buf, static_cast<size_t>(n));
  }
  ::close(fd);
  return ok;
}

std::vector<std::string> SplitLines(std::string_view bytes) {
  std::vector<std::string> lines;
  ForEachLine(bytes, [&](std::string_view line) { lines.emplace_back(line); });
  return lines;
}

std::vector<std::string> SplitFields(std::string_view line, char separator) {
  std::vector<std::string> fields;
  size_t start = 0;
  for (;;) {
    const size_t pos = line.find(separator, start);
    if (pos == std::string_view::npos) {
      fields.emplace_back(line.substr(start));
      return fields;
    }
    fields.emplace_back(line.substr(start, pos - start));
    start = pos + 1;
  }
}

std::string JoinLinesCrlf(const std::vector<std::string>& lines) {
  size_t total = 0;
  for (const auto& l : lines) total += l.size() + 2;
  std::string out;
  out.reserve(total);
  for (const auto& l : lines) {
    out += l;
    out += "\r\n";
  }
  return out;
}

namespace {

bool WriteAll(int fd, std::string_view bytes) {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

// The file a write lands in: a symbolic link is followed, so the link stays a link.
std::string WriteTarget(const std::string& path) {
  char resolved[PATH_MAX];
  struct stat st {};
  if (::lstat(path.c_str(), &st) == 0 && S_ISLNK(st.st_mode) && ::realpath(path.c_str(), resolved)) return resolved;
  return path;
}

// Creates `path` + a suffix of its own, with the mode the umask allows of 0666.
int CreateUniqueSibling(const std::string& path, std::string& temp) {
  static std::atomic<unsigned> counter{0};
  std::random_device entropy;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp = path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(entropy() % 100000);
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  return -1;
}

void SyncFolderOf(const std::string& path) {
  const size_t slash = path.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
  const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

bool WriteFileAtomic(const std::string& requested, std::string_view bytes) {
  const std::string path = WriteTarget(requested);
  struct stat old {};
  const bool replacing = ::stat(path.c_str(), &old) == 0;
  // A name of its own in the same folder, so two writers never share a temporary
  // file and the rename stays within one file system.
  std::string temp;
  const int fd = CreateUniqueSibling(path, temp);
  if (fd < 0) return false;
  bool ok = WriteAll(fd, bytes);
  // The learner's permissions on the file outlive the rewrite.
  if (ok && replacing && ::fchmod(fd, old.st_mode & 07777) != 0) ok = false;
  if (ok && ::fsync(fd) != 0) ok = false;
  if (::close(fd) != 0) ok = false;
  if (ok && std::rename(temp.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    ::unlink(temp.c_str());
    return false;
  }
  SyncFolderOf(path);
  return true;
}

}  // namespace lx
