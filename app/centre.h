#pragma once
// Windows are centred on the screen when created: left = (screen width - window
// width) / 2, top likewise, truncating toward zero.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

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

}  // namespace lx
