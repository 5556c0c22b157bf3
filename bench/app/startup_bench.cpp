// Time from process start to the main window shown, and resident memory, with the
// data built in the build folder (the parent of bench/).
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "app/Project1.h"
#include "app/errorbox.h"

namespace {

// Seconds since this process started, from /proc.
double SecondsSinceProcessStart() {
  std::ifstream statFile("/proc/self/stat");
  std::string stat((std::istreambuf_iterator<char>(statFile)), {});
  std::istringstream fields(stat.substr(stat.rfind(')') + 2));
  std::string field;
  for (int i = 3; i <= 22; ++i) fields >> field;  // field 22: start time in clock ticks
  const double started = std::stod(field) / static_cast<double>(sysconf(_SC_CLK_TCK));
  std::ifstream uptimeFile("/proc/uptime");
  double uptime = 0;
  uptimeFile >> uptime;
  return uptime - started;
}

std::string StatusLine(const char* key) {
  std::ifstream status("/proc/self/status");
  for (std::string line; std::getline(status, line);)
    if (line.rfind(key, 0) == 0) return line;
  return key;
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  const auto t0 = std::chrono::steady_clock::now();
  QApplication app(argc, argv);
  int errors = 0;
  lx::SetErrorReporter([&](const QString& m) {
    ++errors;
    std::fprintf(stderr, "start-up error: %s\n", m.toUtf8().constData());
  });
  lx::Project1 program(lx::DataDir(lx::DataDir::OfExecutable().root() + "../"));
  program.ShowMain();
  QCoreApplication::processEvents();
  const double inProcess = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double sinceExec = SecondsSinceProcessStart();
  const auto& d = program.form1()->shared();
  std::printf("start-up: %.3f s from process start (%.3f s after main), %s, %s\n", sinceExec, inProcess,
              StatusLine("VmRSS").c_str(), StatusLine("VmHWM").c_str());
  std::printf("data: %d sound entries, %d English and %d Russian records, %d errors\n", d.soundIndex.count(),
              d.dictTable.count(), d.dict2Table.count(), errors);
  program.form1()->Shutdown();
  return 0;
}
