#include "Unit21.h"

#include <QDesktopServices>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QStyle>
#include <QTextBrowser>
#include <QTimer>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace lx {

TForm21::TForm21(DataDir dir, QWidget* parent) : QWidget(parent, Qt::Window), dir_(std::move(dir)) {
  setObjectName(QStringLiteral("Form21"));
  setWindowTitle(QStringLiteral("Информация Lexitar"));

  WebBrowser1 = new QTextBrowser(this);
  WebBrowser1->setObjectName(QStringLiteral("WebBrowser1"));
  // Links are followed by LinkClicked: the view itself knows only local files.
  WebBrowser1->setOpenLinks(false);
  openExternal_ = [](const QUrl& url) { return QDesktopServices::openUrl(url); };

  Panel1 = new QWidget(this);
  Panel1->setObjectName(QStringLiteral("Panel1"));
  SpeedButton1 = new QToolButton(Panel1);
  SpeedButton1->setObjectName(QStringLiteral("SpeedButton1"));
  SpeedButton1->setAutoRaise(true);
  SpeedButton1->setFocusPolicy(Qt::NoFocus);
  SpeedButton1->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
  SpeedButton1->setToolTip(QStringLiteral("Закрыть окно"));
  SpeedButton3 = new QToolButton(Panel1);
  SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
  SpeedButton3->setAutoRaise(true);
  SpeedButton3->setFocusPolicy(Qt::NoFocus);
  SpeedButton3->setText(QStringLiteral("назад"));
  SpeedButton3->setToolTip(QStringLiteral("Предыдущая информация"));
  SpeedButton3->setEnabled(false);

  auto* buttons = new QHBoxLayout(Panel1);
  buttons->setContentsMargins(4, 2, 4, 2);
  buttons->addWidget(SpeedButton1);
  buttons->addWidget(SpeedButton3);
  buttons->addStretch(1);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(WebBrowser1, 1);
  layout->addWidget(Panel1);

  connect(SpeedButton1, &QToolButton::clicked, this, &TForm21::SpeedButton1Click);
  connect(SpeedButton3, &QToolButton::clicked, this, &TForm21::SpeedButton3Click);
  // "назад" follows the browser's own state of going back.
  connect(WebBrowser1, &QTextBrowser::backwardAvailable, SpeedButton3, &QToolButton::setEnabled);
  connect(WebBrowser1, &QTextBrowser::anchorClicked, this, &TForm21::LinkClicked);

  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  setGeometry(screen.width() - 720, 30, kDesignWidth, screen.height() - 70);

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(1000);
  connect(Timer1, &QTimer::timeout, this, &TForm21::Timer1Timer);
  Timer1->start();
}

void TForm21::newurl(const std::string& relativePath) {
  setWindowTitle(QStringLiteral("Информация Lexitar"));
  WebBrowser1->hide();
  WebBrowser1->setSource(QUrl::fromLocalFile(QString::fromStdString(dir_.Path(relativePath))));
  show();
  raise();
  WebBrowser1->show();
  WebBrowser1->setFocus();
}

void TForm21::LinkClicked(const QUrl& link) {
  const QString scheme = link.scheme().toLower();
  if (scheme == "http" || scheme == "https" || scheme == "mailto") {
    if (openExternal_) openExternal_(link);
    return;
  }
  const QUrl target = WebBrowser1->source().resolved(link);
  // Only pages on this computer are shown here; other schemes lead nowhere.
  if (target.isLocalFile() || target.scheme().isEmpty()) WebBrowser1->setSource(target);
}

void TForm21::RegisterCaretPane(QTextEdit* pane) {
  if (pane) caretPanes_.emplace_back(pane);
}

void TForm21::SpeedButton1Click() { hide(); }

void TForm21::SpeedButton3Click() { WebBrowser1->backward(); }

void TForm21::Timer1Timer() {
  std::erase_if(caretPanes_, [](const QPointer<QTextEdit>& p) { return p.isNull(); });
  for (const QPointer<QTextEdit>& pane : caretPanes_) pane->setCursorWidth(0);
}

}  // namespace lx
