#pragma once
// The desktop's top-level windows, for the single-instance rule.
#include <cstdint>
#include <string>
#include <vector>

namespace lx {

struct TopWindow {
  uint32_t id = 0;
  std::string title;  // UTF-8 as the window system gives it
  bool hasOwner = false;
  uint32_t pid = 0;  // 0 when the window does not say
};

// Viewable top-level windows of the X display in $DISPLAY, oldest first; empty when
// there is no display or nothing can be enumerated.
std::vector<TopWindow> ListTopLevelWindows();

// True when a window other than ours, without an owner, is titled exactly `title`
// (at most the first 127 characters of a title are compared).
bool AnotherInstanceRunning(const std::vector<TopWindow>& windows, const std::string& title, uint32_t ownPid);

}  // namespace lx
