#pragma once
// Where windows go on the screen.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>

namespace lx {

// The top left corner of a window of outer size `frame` centred on the screen.
inline QPoint CentredPlace(const QSize& frame) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return QPoint();
  const QRect s = screen->geometry();
  return QPoint((s.width() - frame.width()) / 2, (s.height() - frame.height()) / 2);
}

inline void CentreOnScreen(QWidget& window) {
  if (!QGuiApplication::primaryScreen()) return;
  window.move(CentredPlace(window.frameGeometry().size()));
}

// How much of a window stays on the screen at least, so it can still be grabbed.
constexpr int kMinVisiblePart = 60;

// A stored place (frame's top-left) and size made to fit `available`: the size no
// larger than the available area and no smaller than `minimum`, the place such that
// the title bar lies below the top edge and at least kMinVisiblePart pixels of the
// window stay on the screen across and down. A place already on the screen is kept.
inline QRect FitStoredPlace(const QRect& stored, const QRect& available, QSize minimum = QSize(1, 1)) {
  const int width = std::clamp(stored.width(), std::max(minimum.width(), 1), std::max(available.width(), 1));
  const int height = std::clamp(stored.height(), std::max(minimum.height(), 1), std::max(available.height(), 1));
  const int visibleX = std::min(kMinVisiblePart, width), visibleY = std::min(kMinVisiblePart, height);
  const int left = std::clamp(stored.left(), available.left() - width + visibleX, available.right() + 1 - visibleX);
  const int top = std::clamp(stored.top(), available.top(), available.bottom() + 1 - visibleY);
  return QRect(left, top, width, height);
}

// Places a window at a stored place and size (as read from the settings slots),
// fitted to the available area of the screen the place lies on (or the primary
// screen): every window that reads a stored place or size goes through here.
inline void PlaceFromStored(QWidget& window, int left, int top, int width, int height) {
  QRect stored(left, top, width, height);
  const QScreen* screen = QGuiApplication::screenAt(QPoint(left, top));
  if (!screen) screen = QGuiApplication::primaryScreen();
  if (screen) stored = FitStoredPlace(stored, screen->availableGeometry(), window.minimumSize());
  window.resize(stored.size());
  window.move(stored.topLeft());
}

}  // namespace lx
