#pragma once
// Runs the real program as a learner would: a process of its own on an X server of
// the test's own (Xvfb, on a display number no other test uses), over a copy of
// the program with a small data folder of its own.
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

namespace lx::test {

// Starts `args` with the environment plus `extraEnv` (entries replace DISPLAY and
// QT_QPA_PLATFORM), output to `log`; -1 on failure.
pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& extraEnv,
            const std::string& log = "/dev/null");
// Waits up to `limit` for the process to end: its exit code, 128 + the signal when
// a signal ended it, -1 when it is still running.
int WaitExit(pid_t pid, std::chrono::milliseconds limit);
void KillNow(pid_t pid);

// An Xvfb of 1280 x 1024 on a display number of its own: tried from a number spread
// by the process id, the next one taken when the server's lock file says a number is
// in use, so parallel tests never collide.
class XServer {
 public:
  XServer();
  ~XServer();
  bool running() const { return pid_ > 0 && !display_.empty(); }
  const std::string& display() const { return display_; }  // ":NN"
  std::vector<std::string> Env() const { return {"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"}; }

 private:
  pid_t pid_ = -1;
  std::string display_;
};

// A copy of the program (a hard link to it) beside a data folder of its own: tiny
// tables, the course's texts and pages, and learner files written by the test.
class InstalledCopy {
 public:
  explicit InstalledCopy(const std::string& name);
  ~InstalledCopy();
  const std::filesystem::path& root() const { return root_; }
  std::string exe() const { return (root_ / "lexitar").string(); }
  std::filesystem::path data(const std::string& relative) const { return root_ / "data" / relative; }
  // data/<relative> holding `bytes` exactly.
  void Write(const std::string& relative, const std::string& bytes) const;
  std::string Read(const std::string& relative) const;
  // Starts the copy; output goes to root/output.log.
  pid_t Start(const std::vector<std::string>& env) const;

 private:
  std::filesystem::path root_;
};

// Top-level windows of the display titled `title` (UTF-8), polled up to `limit`.
bool WaitForWindow(const std::string& title, std::chrono::milliseconds limit);

// The pixels of a rectangle of the top-level window titled `title` (UTF-8), as the
// X server holds them; empty when there is no such window.
std::string WindowPixels(const std::string& title, int x, int y, int width, int height);

// Lines of a CR LF text.
size_t CountLines(const std::string& bytes);

}  // namespace lx::test
