#include "sessionend.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <cerrno>

namespace lx {
namespace {

int signalPipe[2] = {-1, -1};

void OnSignal(int) {
  const int saved = errno;
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(signalPipe[1], &byte, 1);
  errno = saved;
}

}  // namespace

void EndOnSessionEnd(std::function<void()> end) {
  auto* app = QCoreApplication::instance();
  if (!app || signalPipe[0] >= 0) return;
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0) return;
  auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, app);
  QObject::connect(notifier, &QSocketNotifier::activated, app, [end, notifier] {
    char buf[16];
    while (::read(signalPipe[0], buf, sizeof buf) > 0) {
    }
    notifier->setEnabled(false);  // the program is ending; later signals change nothing
    end();
  });
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &action, nullptr);
#ifndef QT_NO_SESSIONMANAGER
  if (auto* gui = qobject_cast<QGuiApplication*>(app)) {
    // The session manager asks before the session ends; the program ends as on "Выход".
    QObject::connect(gui, &QGuiApplication::commitDataRequest, app, [end](QSessionManager&) { end(); });
  }
#endif
}

}  // namespace lx
