#pragma once
// The shared HTML information window: a browser view over the course's local
// pages with a back history, and the one-second timer that keeps the caret
// hidden in the read-only text panes of the other windows.
#include <QPointer>
#include <QUrl>
#include <functional>
#include <QWidget>
#include <string>
#include <vector>

#include "app/core/datadir.h"

class QTextBrowser;
class QTextEdit;
class QTimer;
class QToolButton;

namespace lx {

class TForm21 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kDesignWidth = 709;

  // Created hidden; placed at the right of the primary screen.
  explicit TForm21(DataDir dir, QWidget* parent = nullptr);

  // Opens "data\html\..." (Windows-1251, backslashes) relative to the data folder,
  // shows the window and gives the browser the focus.
  void newurl(const std::string& relativePath);

  // Web and mail links (http, https, mailto) go to the desktop's browser or mail
  // program through `open`; tests put a recorder here.
  void SetExternalOpener(std::function<bool(const QUrl&)> open) { openExternal_ = std::move(open); }

  // A read-only pane whose caret the timer keeps hidden; a destroyed pane drops out.
  void RegisterCaretPane(QTextEdit* pane);

  QTextBrowser* WebBrowser1 = nullptr;
  QWidget* Panel1 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QTimer* Timer1 = nullptr;

 private:
  void SpeedButton1Click();
  void SpeedButton3Click();
  void Timer1Timer();
  // A click on a link: local pages open here, web and mail links outside.
  void LinkClicked(const QUrl& link);

  DataDir dir_;
  std::vector<QPointer<QTextEdit>> caretPanes_;
  std::function<bool(const QUrl&)> openExternal_;
};

}  // namespace lx
