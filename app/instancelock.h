#pragma once
// One running copy per data folder: a lock file beside the learner's files, held for
// as long as the program runs. Unlike the window rule it cannot race, and it also
// sees a copy that is minimised or has no display at all.
#include <QLockFile>
#include <memory>
#include <string>

namespace lx {

class InstanceLock {
 public:
  // Tries to take the lock file `path` at once. A lock left by a copy that has ended
  // (a crash, SIGKILL) is taken over.
  explicit InstanceLock(const std::string& path);
  // Another running copy holds the lock. A lock that cannot be created at all (a
  // read-only folder) does not stop the program: false then.
  bool heldByAnother() const { return heldByAnother_; }

 private:
  std::unique_ptr<QLockFile> lock_;
  bool heldByAnother_ = false;
};

}  // namespace lx
