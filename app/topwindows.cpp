#include "topwindows.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace lx {
namespace {

struct Free {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, Free>;

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> r(
      xcb_intern_atom_reply(c, xcb_intern_atom(c, 1, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return r ? r->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// Raw bytes of a property, empty when absent.
std::string Property(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop, xcb_atom_t type) {
  if (prop == XCB_ATOM_NONE) return {};
  Reply<xcb_get_property_reply_t> r(xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, type, 0, 1024), nullptr));
  if (!r || r->type == XCB_ATOM_NONE) return {};
  const int len = xcb_get_property_value_length(r.get());
  return std::string(static_cast<const char*>(xcb_get_property_value(r.get())), static_cast<size_t>(len));
}

bool HasProperty(xcb_connection_t* c, xcb_window_t w, xcb_atom_t prop) {
  if (prop == XCB_ATOM_NONE) return false;
  Reply<xcb_get_property_reply_t> r(
      xcb_get_property_reply(c, xcb_get_property(c, 0, w, prop, XCB_GET_PROPERTY_TYPE_ANY, 0, 0), nullptr));
  return r && r->type != XCB_ATOM_NONE;
}

bool Viewable(xcb_connection_t* c, xcb_window_t w) {
  Reply<xcb_get_window_attributes_reply_t> r(
      xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, w), nullptr));
  return r && r->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::vector<xcb_window_t> Children(xcb_connection_t* c, xcb_window_t w) {
  Reply<xcb_query_tree_reply_t> r(xcb_query_tree_reply(c, xcb_query_tree(c, w), nullptr));
  if (!r) return {};
  const xcb_window_t* kids = xcb_query_tree_children(r.get());
  return {kids, kids + xcb_query_tree_children_length(r.get())};
}

// The client window under a frame: the first descendant carrying WM_STATE.
xcb_window_t FindClient(xcb_connection_t* c, xcb_window_t w, xcb_atom_t wmState, int depth) {
  if (HasProperty(c, w, wmState)) return w;
  if (depth == 0) return XCB_WINDOW_NONE;
  for (xcb_window_t kid : Children(c, w))
    if (xcb_window_t found = FindClient(c, kid, wmState, depth - 1); found != XCB_WINDOW_NONE) return found;
  return XCB_WINDOW_NONE;
}

std::vector<xcb_window_t> ClientWindows(xcb_connection_t* c, xcb_window_t root) {
  // A window manager that keeps _NET_CLIENT_LIST names the clients directly.
  const std::string list = Property(c, root, Atom(c, "_NET_CLIENT_LIST"), XCB_ATOM_WINDOW);
  if (!list.empty()) {
    std::vector<xcb_window_t> out(list.size() / sizeof(xcb_window_t));
    std::memcpy(out.data(), list.data(), out.size() * sizeof(xcb_window_t));
    return out;
  }
  // Otherwise walk the root's children: a frame leads to its client by WM_STATE; with
  // no window manager at all, each mapped child is a client itself.
  const xcb_atom_t wmState = Atom(c, "WM_STATE");
  std::vector<xcb_window_t> out;
  for (xcb_window_t kid : Children(c, root)) {
    if (!Viewable(c, kid)) continue;
    const xcb_window_t client = FindClient(c, kid, wmState, 3);
    out.push_back(client != XCB_WINDOW_NONE ? client : kid);
  }
  return out;
}

}  // namespace

std::vector<TopWindow> ListTopLevelWindows() {
  const char* display = std::getenv("DISPLAY");
  if (!display || !*display) return {};
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (!c || xcb_connection_has_error(c)) {
    if (c) xcb_disconnect(c);
    return {};
  }
  std::vector<TopWindow> out;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  if (screen) {
    const xcb_atom_t netName = Atom(c, "_NET_WM_NAME"), utf8 = Atom(c, "UTF8_STRING");
    const xcb_atom_t pidAtom = Atom(c, "_NET_WM_PID");
    for (xcb_window_t w : ClientWindows(c, screen->root)) {
      if (!Viewable(c, w)) continue;
      TopWindow tw;
      tw.id = w;
      tw.title = Property(c, w, netName, utf8);
      if (tw.title.empty()) tw.title = Property(c, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY);
      tw.hasOwner = Property(c, w, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW).size() >= 4;
      const std::string pid = Property(c, w, pidAtom, XCB_ATOM_CARDINAL);
      if (pid.size() >= 4) std::memcpy(&tw.pid, pid.data(), 4);
      out.push_back(std::move(tw));
    }
  }
  xcb_disconnect(c);
  return out;
}

bool AnotherInstanceRunning(const std::vector<TopWindow>& windows, const std::string& title, uint32_t ownPid) {
  for (const auto& w : windows) {
    if (w.hasOwner || (ownPid != 0 && w.pid == ownPid)) continue;
    if (w.title.substr(0, 127) == title) return true;
  }
  return false;
}

}  // namespace lx
