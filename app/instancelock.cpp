#include "instancelock.h"

#include <QString>

namespace lx {

InstanceLock::InstanceLock(const std::string& path)
    : lock_(std::make_unique<QLockFile>(QString::fromStdString(path))) {
  // A lock is stale only when its process has gone, however long the program has run.
  lock_->setStaleLockTime(0);
  if (!lock_->tryLock(0)) heldByAnother_ = lock_->error() == QLockFile::LockFailedError;
}

}  // namespace lx
