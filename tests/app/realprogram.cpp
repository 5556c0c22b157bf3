#include "realprogram.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

#include <xcb/xcb.h>

#include "app/topwindows.h"

extern char** environ;

namespace lx::test {

namespace fs = std::filesystem;
using namespace std::chrono_literals;

pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& extraEnv, const std::string& log) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    const std::string kv = *e;
    if (kv.rfind("DISPLAY=", 0) == 0 || kv.rfind("QT_QPA_PLATFORM=", 0) == 0) continue;
    env.push_back(kv);
  }
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> argv, envp;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, log.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
  posix_spawn_file_actions_adddup2(&actions, 1, 2);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

int WaitExit(pid_t pid, std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  for (;;) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid)
      return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    if (std::chrono::steady_clock::now() >= until) return -1;
    std::this_thread::sleep_for(10ms);
  }
}

void KillNow(pid_t pid) {
  if (pid <= 0) return;
  if (kill(pid, SIGKILL) == 0) waitpid(pid, nullptr, 0);
}

XServer::XServer() {
  if (access("/usr/bin/Xvfb", X_OK) != 0) return;
  // Numbers well above those people use by hand, spread by process id; a number
  // taken already makes the server end at once (its lock file), and the next is tried.
  for (int attempt = 0; attempt < 20 && display_.empty(); ++attempt) {
    const int number = 200 + static_cast<int>((getpid() * 7 + attempt * 37) % 700);
    int fds[2];
    if (pipe(fds) != 0) return;
    std::vector<std::string> args = {"/usr/bin/Xvfb", ":" + std::to_string(number), "-displayfd",
                                     std::to_string(fds[1]), "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid_, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid_ = -1;
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    // The server writes its display number once it accepts clients.
    std::string written;
    char c;
    while (pid_ > 0 && read(fds[0], &c, 1) == 1 && c != '\n') written += c;
    close(fds[0]);
    if (!written.empty()) {
      display_ = ":" + written;
    } else if (pid_ > 0) {
      KillNow(pid_);
      pid_ = -1;
    }
  }
  // This process's own look at the display (the window list) goes to the same server.
  if (!display_.empty()) setenv("DISPLAY", display_.c_str(), 1);
}

XServer::~XServer() {
  // Ended politely, the server removes its lock and socket, so the next test's
  // server can take the same number at once.
  if (pid_ > 0 && kill(pid_, SIGTERM) == 0 && WaitExit(pid_, 3s) < 0) KillNow(pid_);
  unsetenv("DISPLAY");
}

InstalledCopy::InstalledCopy(const std::string& name) {
  root_ = fs::current_path() / ("realrun-" + name + "-" + std::to_string(getpid()));
  fs::remove_all(root_);
  fs::create_directories(root_ / "data" / "html");
  std::error_code ec;
  fs::create_hard_link(LEXITAR_EXE, root_ / "lexitar", ec);
  if (ec) fs::copy_file(LEXITAR_EXE, root_ / "lexitar");
  const fs::path source = fs::path(LEXITAR_SOURCE_DIR) / "data";
  fs::create_directory_symlink(source / "texts", root_ / "data" / "texts");
  for (const auto& page : fs::directory_iterator(source / "html"))
    fs::create_symlink(page.path(), root_ / "data" / "html" / page.path().filename());
  // The drills' tables as shipped, so that no window reports a missing file.
  for (const char* table : {"infowo.txt", "infowo2.txt", "infowo3.txt", "infowo4.txt", "infowo5.txt", "noun.txt",
                            "verb.txt"})
    fs::create_symlink(source / table, root_ / "data" / table);
  // Tables small enough to start at once: a word, an English and a Russian article.
  Write("words.txt", "hello\thE'lou\thello.wav\t0\t500\r\n");
  Write("dict1.txt", "hello\r\nhE'lou\r\n1. \xef\xf0\xe8\xe2\xe5\xf2\r\n\xef\xf0\xe8\xe2\xe5\xf2\r\n");
  Write("dict2.txt", "\xef\xf0\xe8\xe2\xe5\xf2\r\nhello\r\n");
  Write("info.txt", "");
  Write("w01.txt", "");
}

InstalledCopy::~InstalledCopy() {
  std::error_code ec;
  fs::remove_all(root_, ec);
}

void InstalledCopy::Write(const std::string& relative, const std::string& bytes) const {
  std::ofstream out(data(relative), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string InstalledCopy::Read(const std::string& relative) const {
  std::ifstream in(data(relative), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

pid_t InstalledCopy::Start(const std::vector<std::string>& env) const {
  return Spawn({exe()}, env, (root_ / "output.log").string());
}

bool WaitForWindow(const std::string& title, std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    for (const auto& w : ListTopLevelWindows())
      if (w.title == title) return true;
    std::this_thread::sleep_for(20ms);
  }
  return false;
}

std::string WindowPixels(const std::string& title, int x, int y, int width, int height) {
  uint32_t id = 0;
  for (const auto& w : ListTopLevelWindows())
    if (w.title == title) id = w.id;
  if (id == 0) return {};
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  std::string pixels;
  if (c && !xcb_connection_has_error(c)) {
    xcb_get_image_reply_t* image = xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, id, static_cast<int16_t>(x), static_cast<int16_t>(y),
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), ~0u),
        nullptr);
    if (image) {
      pixels.assign(reinterpret_cast<const char*>(xcb_get_image_data(image)),
                    static_cast<size_t>(xcb_get_image_data_length(image)));
      std::free(image);
    }
  }
  if (c) xcb_disconnect(c);
  return pixels;
}

size_t CountLines(const std::string& bytes) { return static_cast<size_t>(std::count(bytes.begin(), bytes.end(), '\n')); }

}  // namespace lx::test
