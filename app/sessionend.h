#pragma once
// The end of the desktop session or a termination signal ends the program through
// the same shutdown as "Выход", so the learner's settings and list are saved.
#include <functional>

namespace lx {

// From now on SIGTERM, SIGINT and SIGHUP, and the session manager's request to save
// before the session ends, call `end` on the user-interface thread (once the event
// loop runs). The signal handler itself only writes a byte to a pipe.
void EndOnSessionEnd(std::function<void()> end);

}  // namespace lx
