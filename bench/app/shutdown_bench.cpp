// How long the program takes to end: the program of the build folder started without
// a display, asked to end (SIGTERM runs the shutdown of "Выход") at several moments
// after start-up, timed from the request and from the last file it writes.
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace {

using Clock = std::chrono::system_clock;

double ModifiedAt(const std::string& path) {
  struct stat st {};
  if (stat(path.c_str(), &st) != 0) return 0;
  return static_cast<double>(st.st_mtim.tv_sec) + static_cast<double>(st.st_mtim.tv_nsec) * 1e-9;
}

double Now() { return std::chrono::duration<double>(Clock::now().time_since_epoch()).count(); }

}  // namespace

int main() {
  char self[4096];
  const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
  if (n <= 0) return 1;
  std::string build(self, static_cast<size_t>(n));
  build = build.substr(0, build.rfind('/'));
  build = build.substr(0, build.rfind('/') + 1);  // bench/ lies in the build folder
  const std::string exe = build + "lexitar", page = build + "data/html/download.html", list = build + "data/w01.txt";
  std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen"};
  for (char** e = environ; *e; ++e)
    if (std::string(*e).rfind("QT_QPA_PLATFORM=", 0) != 0 && std::string(*e).rfind("DISPLAY=", 0) != 0)
      env.push_back(*e);
  std::vector<char*> envp;
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);
  for (double after : {0.1, 1.0, 3.0}) {
    const double before = ModifiedAt(page);
    char* argv[] = {const_cast<char*>(exe.c_str()), nullptr};
    pid_t pid = -1;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    if (posix_spawn(&pid, exe.c_str(), &actions, nullptr, argv, envp.data()) != 0) return 1;
    posix_spawn_file_actions_destroy(&actions);
    // Start-up has ended once the download page is rewritten.
    for (int i = 0; i < 1000 && ModifiedAt(page) == before; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    std::this_thread::sleep_for(std::chrono::duration<double>(after));
    const double asked = Now();
    kill(pid, SIGTERM);
    int status = 0;
    waitpid(pid, &status, 0);
    const double ended = Now();
    std::printf("shutdown %.1f s after start-up: %.3f s from the request, %.3f s after the last file was written "
                "(exit status %d)\n",
                after, ended - asked, ended - ModifiedAt(list), WIFEXITED(status) ? WEXITSTATUS(status) : -1);
  }
  return 0;
}
