#include "text/Unit21.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>

#include "support/qtapp.h"

namespace lx {
namespace {

class Form21Test : public ::testing::Test {
 protected:
  void SetUp() override {
    test::App();
    ASSERT_TRUE(QDir(dir.path()).mkpath("data/html"));
    Write("a.html", "<html><body><p>First page</p><a href=\"b.html\">next</a></body></html>");
    Write("b.html", "<html><body><p>Second page</p></body></html>");
    form = std::make_unique<TForm21>(DataDir(dir.path().toStdString()));
  }
  void Write(const QString& name, const QByteArray& html) {
    QFile f(dir.filePath("data/html/" + name));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(html);
  }
  QString Page() const { return form->WebBrowser1->source().fileName(); }
  // Follows the first link of the page, as a click on it does.
  void FollowLink() {
    const QUrl link = form->WebBrowser1->source().resolved(QUrl("b.html"));
    form->WebBrowser1->setSource(link);
  }

  QTemporaryDir dir;
  std::unique_ptr<TForm21> form;
};

TEST_F(Form21Test, CreatedHiddenAndPlaced) {
  EXPECT_FALSE(form->isVisible());
  const QRect screen = QGuiApplication::primaryScreen()->geometry();
  EXPECT_EQ(form->geometry(), QRect(screen.width() - 720, 30, 709, screen.height() - 70));
  EXPECT_EQ(form->findChild<QTextBrowser*>("WebBrowser1"), form->WebBrowser1);
  EXPECT_EQ(form->SpeedButton1->toolTip(), QString::fromUtf8("Закрыть окно"));
  EXPECT_EQ(form->SpeedButton3->text(), QString::fromUtf8("назад"));
  EXPECT_EQ(form->SpeedButton3->toolTip(), QString::fromUtf8("Предыдущая информация"));
  EXPECT_TRUE(form->Timer1->isActive());
  EXPECT_EQ(form->Timer1->interval(), 1000);
}

TEST_F(Form21Test, BackButtonFollowsHistoryAcrossHideAndShow) {
  form->newurl("data\\html\\a.html");
  EXPECT_TRUE(form->isVisible());
  EXPECT_TRUE(form->WebBrowser1->isVisible());
  EXPECT_EQ(form->windowTitle(), QString::fromUtf8("Информация Lexitar"));
  EXPECT_EQ(Page(), "a.html");
  EXPECT_TRUE(form->WebBrowser1->toPlainText().contains("First page"));
  EXPECT_FALSE(form->SpeedButton3->isEnabled());

  FollowLink();
  EXPECT_EQ(Page(), "b.html");
  EXPECT_TRUE(form->SpeedButton3->isEnabled());
  form->SpeedButton3->click();
  EXPECT_EQ(Page(), "a.html");
  EXPECT_FALSE(form->SpeedButton3->isEnabled());

  // A new page while open keeps the history, also after closing and reopening.
  form->newurl("data\\html\\b.html");
  form->SpeedButton1->click();
  EXPECT_FALSE(form->isVisible());
  form->show();
  EXPECT_TRUE(form->SpeedButton3->isEnabled());
  form->SpeedButton3->click();
  EXPECT_EQ(Page(), "a.html");
}

TEST_F(Form21Test, MissingPageIsLeftToTheBrowser) {
  form->newurl("data\\html\\none.html");
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(Page(), "none.html");
}

TEST_F(Form21Test, TimerHidesCaretsOfRegisteredPanes) {
  QTextEdit kept;
  auto* gone = new QTextEdit;
  kept.setCursorWidth(2);
  form->RegisterCaretPane(&kept);
  form->RegisterCaretPane(gone);
  delete gone;  // a pane destroyed before the tick drops out
  EXPECT_TRUE(test::WaitFor([&] { return kept.cursorWidth() == 0; }));
}

TEST_F(Form21Test, WebAndMailLinksOpenOutsideLocalPagesHere) {
  std::vector<QString> opened;
  form->SetExternalOpener([&](const QUrl& url) {
    opened.push_back(url.toString());
    return true;
  });
  form->newurl("data\\html\\a.html");
  struct Case {
    const char* link;
    const char* external;  // what the desktop is asked to open; "" for none
    const char* page;      // the page shown afterwards
  } cases[] = {
      {"http://lexitar.example.org/dl_save.php?fil=7", "http://lexitar.example.org/dl_save.php?fil=7", "a.html"},
      {"HTTPS://lexitar.example.org/", "https://lexitar.example.org/", "a.html"},
      {"mailto:support@lexitar.example.org", "mailto:support@lexitar.example.org", "a.html"},
      {"ftp://lexitar.example.org/file", "", "a.html"},
      {"b.html", "", "b.html"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.link);
    opened.clear();
    emit form->WebBrowser1->anchorClicked(QUrl(c.link));
    EXPECT_EQ(opened.empty() ? QString() : opened[0], QString(c.external));
    EXPECT_EQ(Page(), c.page);
    EXPECT_FALSE(form->WebBrowser1->toPlainText().contains("No document"));
  }
  EXPECT_TRUE(form->SpeedButton3->isEnabled());
}

}  // namespace
}  // namespace lx
