#pragma once
// Windows are centred on the screen when created: left = (screen width - window
// width) / 2, top likewise, truncating toward zero.
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace lx {

inline void CentreOnScreen(QWidget& window) {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect s = screen->geometry();
  const QRect frame = window.frameGeometry();
  window.move((s.width() - frame.width()) / 2, (s.height() - frame.height()) / 2);
}

}  // namespace lx
