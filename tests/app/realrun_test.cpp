// The real program, started as a learner starts it, on an X server of the test's own:
// how it ends, and how a second copy is kept from running beside the first.
#include <gtest/gtest.h>
#include <signal.h>

#include <cstdio>
#include <thread>

#include "realprogram.h"

namespace {

using namespace std::chrono_literals;
using lx::test::InstalledCopy;
using lx::test::KillNow;
using lx::test::WaitExit;
using lx::test::XServer;

class RealRun : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!x_.running()) GTEST_SKIP() << "Xvfb is not installed";
  }
  // Starts the copy and waits for its main window.
  pid_t StartShown(const InstalledCopy& copy) {
    const pid_t pid = copy.Start(x_.Env());
    EXPECT_GT(pid, 0);
    EXPECT_TRUE(lx::test::WaitForWindow("Lexitar", 20s)) << copy.Read("../output.log");
    return pid;
  }
  XServer x_;
};

// The learner's settings and word list as a shutdown leaves them: info.txt of exactly
// 100 lines, slot 3 kept, the list written back.
void ExpectSaved(const InstalledCopy& copy) {
  const std::string info = copy.Read("info.txt");
  EXPECT_EQ(lx::test::CountLines(info), 100u);
  EXPECT_EQ(info.substr(0, 8), "\r\n\r\n14\r\n");
  EXPECT_NE(copy.Read("w01.txt").find("table"), std::string::npos);
}

TEST_F(RealRun, TerminationSignalsEndTheProgramThroughItsShutdown) {
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) {
    SCOPED_TRACE(strsignal(sig));
    InstalledCopy copy("signal");
    copy.Write("info.txt", "\r\n\r\n14\r\n");
    copy.Write("w01.txt", "table\tnoun\t\xf1\xf2\xee\xeb\r\n");
    const pid_t pid = StartShown(copy);
    ASSERT_EQ(kill(pid, sig), 0);
    const int code = WaitExit(pid, 10s);
    if (code < 0) KillNow(pid);
    EXPECT_EQ(code, 0);
    ExpectSaved(copy);
  }
}

// "Выход" clicked as a learner clicks it, at once after start-up while the recordings
// are still being scanned: the program saves and ends (bench_shutdown times it).
TEST_F(RealRun, ExitButtonSavesAndEnds) {
  if (system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
  InstalledCopy copy("exit");
  copy.Write("info.txt", "\r\n\r\n14\r\n");
  copy.Write("w01.txt", "table\tnoun\t\xf1\xf2\xee\xeb\r\n");
  const pid_t pid = StartShown(copy);
  // Without a window manager the client area lies where the program put it.
  ASSERT_EQ(system("xdotool search --name '^Lexitar$' mousemove --window %1 393 435 click 1"), 0);
  const int code = WaitExit(pid, 10s);
  if (code < 0) KillNow(pid);
  EXPECT_EQ(code, 0);
  ExpectSaved(copy);
}

// A dictionary stored open at 2147483647 x 2147483647 comes up no larger than the
// screen, and the program still ends normally, storing the fitted size.
TEST_F(RealRun, HugeStoredDictionarySizeFitsTheScreen) {
  if (system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
  InstalledCopy copy("huge");
  std::string info;
  for (int slot = 1; slot <= 33; ++slot)
    info += (slot == 15 || slot == 16) ? "-2147483648\r\n"
            : (slot == 17 || slot == 18) ? "2147483647\r\n"
            : slot == 33 ? "true\r\n"
                         : "\r\n";
  copy.Write("info.txt", info);
  const pid_t pid = StartShown(copy);
  ASSERT_TRUE(lx::test::WaitForWindow("Dictionary", 10s));
  FILE* shape = popen("xdotool search --name '^Dictionary$' getwindowgeometry --shell", "r");
  ASSERT_NE(shape, nullptr);
  int x = 0, y = 0, width = 0, height = 0;
  char line[128];
  while (fgets(line, sizeof line, shape)) {
    sscanf(line, "X=%d", &x);
    sscanf(line, "Y=%d", &y);
    sscanf(line, "WIDTH=%d", &width);
    sscanf(line, "HEIGHT=%d", &height);
  }
  pclose(shape);
  EXPECT_GT(width, 0);
  EXPECT_LE(width, 1280);
  EXPECT_LE(height, 1024);
  EXPECT_LT(x, 1280);
  EXPECT_GE(y, 0);
  EXPECT_GT(x + width, 0);
  ASSERT_EQ(kill(pid, SIGTERM), 0);
  const int code = WaitExit(pid, 10s);
  if (code < 0) KillNow(pid);
  EXPECT_EQ(code, 0);
  const std::string saved = copy.Read("info.txt");
  EXPECT_EQ(lx::test::CountLines(saved), 100u);
  EXPECT_EQ(saved.find("2147483647"), std::string::npos);
}

// Each of lessons 3 to 5 opened by a click at once after start-up shows its
// description from the top: neither its own description button nor the mouse wheel
// turned up changes a pixel of the pane afterwards.
TEST_F(RealRun, EachLessonOpensOnItsDescriptionFromTheTop) {
  if (system("command -v xdotool >/dev/null") != 0) GTEST_SKIP() << "xdotool is not installed";
  for (int lesson : {3, 4, 5}) {
    SCOPED_TRACE(lesson);
    InstalledCopy copy("lesson" + std::to_string(lesson));
    const pid_t pid = StartShown(copy);
    const std::string title = "Lexitar - Lesson " + std::to_string(lesson);
    const int buttonY = 142 + 8 + (lesson - 1) * 32 + 13;
    ASSERT_EQ(system(("xdotool search --onlyvisible --name '^Lexitar$' mousemove --window %1 48 " +
                      std::to_string(buttonY) + " click 1 mousemove 0 0")
                         .c_str()),
              0);
    ASSERT_TRUE(lx::test::WaitForWindow(title, 10s));
    std::this_thread::sleep_for(1500ms);
    // The pane: right of the 217-pixel topic panel, the upper 400 pixels.
    auto pane = [&] { return lx::test::WindowPixels(title, 220, 0, 400, 400); };
    const std::string opened = pane();
    ASSERT_FALSE(opened.empty());
    ASSERT_EQ(system(("xdotool search --name '^" + title + "$' mousemove --window %1 50 24 click 1 mousemove 0 0")
                         .c_str()),
              0);
    std::this_thread::sleep_for(800ms);
    EXPECT_TRUE(pane() == opened) << "the description button changed the pane";
    ASSERT_EQ(system(("xdotool search --name '^" + title + "$' mousemove --window %1 420 200 click 4 mousemove 0 0")
                         .c_str()),
              0);
    std::this_thread::sleep_for(500ms);
    EXPECT_TRUE(pane() == opened) << "the wheel scrolled the pane further up";
    KillNow(pid);
  }
}

TEST_F(RealRun, TwoCopiesStartedTogetherLeaveOneRunning) {
  InstalledCopy copy("together");
  const pid_t first = copy.Start(x_.Env());
  const pid_t second = copy.Start(x_.Env());
  ASSERT_GT(first, 0);
  ASSERT_GT(second, 0);
  ASSERT_TRUE(lx::test::WaitForWindow("Lexitar", 20s));
  // One of them ends silently with status 0; the other keeps running.
  int ended = -1;
  pid_t survivor = -1;
  for (int i = 0; i < 100 && ended < 0; ++i) {
    if ((ended = WaitExit(first, 50ms)) >= 0) survivor = second;
    else if ((ended = WaitExit(second, 50ms)) >= 0) survivor = first;
  }
  EXPECT_EQ(ended, 0);
  ASSERT_GT(survivor, 0);
  EXPECT_EQ(WaitExit(survivor, 500ms), -1);
  KillNow(first);
  KillNow(second);
}

TEST_F(RealRun, AHiddenFirstCopyStillCounts) {
  InstalledCopy copy("hidden");
  const pid_t first = StartShown(copy);
  // The first copy's window taken off the screen, as a minimised window is.
  ASSERT_EQ(system("xdotool search --name '^Lexitar$' windowunmap --sync >/dev/null 2>&1"), 0);
  EXPECT_FALSE(lx::test::WaitForWindow("Lexitar", 200ms));
  const pid_t second = copy.Start(x_.Env());
  EXPECT_EQ(WaitExit(second, 10s), 0);
  EXPECT_EQ(WaitExit(first, 0ms), -1);
  KillNow(second);
  KillNow(first);
}

TEST(RealRunWithoutDisplay, ASecondCopyEndsAtOnce) {
  InstalledCopy copy("offscreen");
  const std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen"};
  const pid_t first = copy.Start(env);
  ASSERT_GT(first, 0);
  // The first copy is up once its download page is written.
  for (int i = 0; i < 500 && !std::filesystem::exists(copy.data("html/download.html")); ++i)
    std::this_thread::sleep_for(20ms);
  const pid_t second = copy.Start(env);
  EXPECT_EQ(WaitExit(second, 10s), 0);
  EXPECT_EQ(WaitExit(first, 0ms), -1);
  KillNow(second);
  KillNow(first);
}

TEST(RealRunWithoutDisplay, ALockLeftByAKilledCopyDoesNotStopTheNext) {
  InstalledCopy copy("stale");
  const std::vector<std::string> env = {"QT_QPA_PLATFORM=offscreen"};
  const pid_t first = copy.Start(env);
  for (int i = 0; i < 500 && !std::filesystem::exists(copy.data("html/download.html")); ++i)
    std::this_thread::sleep_for(20ms);
  KillNow(first);
  const pid_t next = copy.Start(env);
  EXPECT_EQ(WaitExit(next, 2s), -1);
  KillNow(next);
}

}  // namespace
