// Start-up step 3 on a real X server: an Xvfb of the test's own, a window shown by a
// second process, and the program started against it.
#include <gtest/gtest.h>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "app/topwindows.h"

extern char** environ;

namespace {

using namespace std::chrono_literals;

pid_t Spawn(std::vector<std::string> args, const std::vector<std::string>& extraEnv) {
  std::vector<std::string> env;
  for (char** e = environ; *e; ++e) {
    std::string kv = *e;
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
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

// Waits up to `limit` for the process to end; its exit code, or -1 when still running.
int WaitFor(pid_t pid, std::chrono::milliseconds limit) {
  const auto until = std::chrono::steady_clock::now() + limit;
  while (std::chrono::steady_clock::now() < until) {
    int status = 0;
    if (waitpid(pid, &status, WNOHANG) == pid) return WIFEXITED(status) ? WEXITSTATUS(status) : 128;
    std::this_thread::sleep_for(20ms);
  }
  return -1;
}

void Kill(pid_t pid) {
  if (pid <= 0) return;
  kill(pid, SIGKILL);
  waitpid(pid, nullptr, 0);
}

class SingleInstance : public ::testing::Test {
 protected:
  void SetUp() override {
    if (access("/usr/bin/Xvfb", X_OK) != 0) GTEST_SKIP() << "Xvfb is not installed";
    display_ = ":" + std::to_string(100 + getpid() % 800);
    xvfb_ = Spawn({"/usr/bin/Xvfb", display_, "-screen", "0", "1280x1024x24", "-nolisten", "tcp", "-noreset"}, {});
    ASSERT_GT(xvfb_, 0);
    setenv("DISPLAY", display_.c_str(), 1);
    // The server is ready once a client can enumerate its root.
    for (int i = 0; i < 100 && !ServerUp(); ++i) std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(ServerUp());
  }
  void TearDown() override {
    Kill(window_);
    Kill(xvfb_);
    unsetenv("DISPLAY");
  }
  bool ServerUp() const {
    const std::string socket = "/tmp/.X11-unix/X" + display_.substr(1);
    return access(socket.c_str(), F_OK) == 0;
  }
  void ShowWindow(const std::string& title, bool owned) {
    std::vector<std::string> args = {SHOW_WINDOW_EXE, title};
    if (owned) args.push_back("owned");
    window_ = Spawn(args, {"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"});
    ASSERT_GT(window_, 0);
    for (int i = 0; i < 100; ++i) {
      for (const auto& w : lx::ListTopLevelWindows())
        if (w.title == title) return;
      std::this_thread::sleep_for(50ms);
    }
    std::string seen;
    for (const auto& w : lx::ListTopLevelWindows()) seen += " '" + w.title + "'";
    FAIL() << "the window " << title << " never appeared; seen:" << seen;
  }
  pid_t StartLexitar() { return Spawn({LEXITAR_EXE}, {"DISPLAY=" + display_, "QT_QPA_PLATFORM=xcb"}); }

  std::string display_;
  pid_t xvfb_ = -1, window_ = -1;
};

TEST_F(SingleInstance, AWindowTitledLexitarEndsTheStartSilently) {
  ShowWindow("Lexitar", false);
  const pid_t app = StartLexitar();
  ASSERT_GT(app, 0);
  const int code = WaitFor(app, 10s);
  if (code < 0) Kill(app);
  EXPECT_EQ(code, 0);
}

TEST_F(SingleInstance, OtherTitlesAndOwnedWindowsDoNotStopIt) {
  struct Case {
    const char* title;
    bool owned;
  } cases[] = {{"Lexitar - Lesson 1", false}, {"Lexitar", true}};
  for (const auto& c : cases) {
    ShowWindow(c.title, c.owned);
    const pid_t app = StartLexitar();
    ASSERT_GT(app, 0);
    EXPECT_EQ(WaitFor(app, 3s), -1) << c.title << (c.owned ? " (owned)" : "");
    Kill(app);
    Kill(window_);
    window_ = -1;
  }
}

TEST(TopWindows, NoDisplayEnumeratesNothing) {
  const char* old = getenv("DISPLAY");
  std::string saved = old ? old : "";
  unsetenv("DISPLAY");
  EXPECT_TRUE(lx::ListTopLevelWindows().empty());
  if (old) setenv("DISPLAY", saved.c_str(), 1);
}

}  // namespace
