#include <gtest/gtest.h>

#include "support/qtapp.h"

#include <QApplication>
#include <QImage>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolButton>
#include <filesystem>
#include <fstream>

#include "app/Project1.h"
#include "app/Unit1.h"
#include "app/core/textfile.h"
#include "app/downloadpage.h"
#include "app/errorbox.h"
#include "text/Unit21.h"

namespace fs = std::filesystem;

namespace {


class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    lx::SetErrorReporter([this](const QString& m) { errors.push_back(m); });
    root = fs::temp_directory_path() / ("lexitar_main_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root);
    fs::create_directories(root / "data" / "html");
    for (const char* f : {"words.txt", "dict1.txt", "dict2.txt", "info.txt"}) std::ofstream(root / "data" / f) << "";
  }
  void TearDown() override {
    lx::SetErrorReporter({});
    fs::remove_all(root);
  }
  QToolButton* Button(lx::TForm1& form, const char* name) { return form.findChild<QToolButton*>(name); }

  fs::path root;
  std::vector<QString> errors;
};

TEST_F(MainWindow, ButtonsOpenTheirPagesAndUnbuiltLessonsAreUnavailable) {
  lx::TForm1 form(lx::DataDir(root.string()));
  EXPECT_EQ(form.windowTitle(), "Lexitar");
  EXPECT_EQ(form.size(), QSize(452, 459));
  // Without the HTML window and the lesson windows nothing pretends to work.
  for (const char* name : {"SpeedButton1", "SpeedButton2", "SpeedButton12", "sBitBtn1"}) {
    ASSERT_NE(Button(form, name), nullptr) << name;
    EXPECT_FALSE(Button(form, name)->isEnabled()) << name;
  }
  std::vector<std::string> opened;
  form.SetPageOpener([&](const std::string& page) { opened.push_back(page); });
  int lesson3 = 0;
  form.SetLessonOpener(3, [&] { ++lesson3; });
  struct Case {
    const char* button;
    const char* page;
  } cases[] = {{"SpeedButton1", "data\\html\\intro.html"},
               {"SpeedButton10", "data\\html\\les1.html"},
               {"SpeedButton16", "data\\html\\les7.html"},
               {"sBitBtn1", "data\\html\\download.html"}};
  for (const auto& c : cases) {
    Button(form, c.button)->click();
    ASSERT_FALSE(opened.empty()) << c.button;
    EXPECT_EQ(opened.back(), c.page) << c.button;
    EXPECT_EQ(Button(form, c.button)->focusPolicy(), Qt::NoFocus);
  }
  EXPECT_EQ(Button(form, "SpeedButton12")->toolTip(), "Описание Урока №3");
  Button(form, "SpeedButton4")->click();
  EXPECT_EQ(lesson3, 1);
  EXPECT_FALSE(Button(form, "SpeedButton5")->isEnabled());
  EXPECT_TRUE(errors.empty());
}

TEST_F(MainWindow, FontErrorPageOpensAtTheFirstActivationOnly) {
  struct Case {
    const char* button;
    QString caption;
    bool opens;
  } cases[] = {{"SpeedButton1", "??????????", true}, {"SpeedButton2", "???? 1", true}, {"SpeedButton9", "?????", false}};
  for (const auto& c : cases) {
    lx::TForm1 form(lx::DataDir(root.string()));
    std::vector<std::string> opened;
    form.SetPageOpener([&](const std::string& page) { opened.push_back(page); });
    Button(form, c.button)->setText(c.caption);
    form.FirstActivationCheck();
    form.FirstActivationCheck();
    EXPECT_EQ(opened.size(), c.opens ? 1u : 0u) << c.button;
    if (c.opens) {
      EXPECT_EQ(opened[0], "data\\html\\error01.html");
    }
  }
}

TEST_F(MainWindow, DownloadPageIsRecreatedAtEveryStart) {
  const fs::path page = root / "data" / "html" / "download.html";
  { lx::TForm1 form(lx::DataDir(root.string())); }
  ASSERT_TRUE(fs::exists(page));
  fs::remove(page);
  { lx::TForm1 form(lx::DataDir(root.string())); }
  std::string html;
  ASSERT_TRUE(lx::ReadFileBytes(page.string(), html));
  EXPECT_EQ(html, lx::DownloadPageHtml());
  // Its structure: the charset, the title, five packages with three links each.
  EXPECT_NE(html.find("charset=windows-1251"), std::string::npos);
  EXPECT_NE(html.find("<title>Lexitar Download</title>"), std::string::npos);
  for (int fil : {7, 11, 17, 21, 27, 31})
    EXPECT_NE(html.find("dl_save.php?fil=" + std::to_string(fil) + "\""), std::string::npos) << fil;
  EXPECT_EQ(html.find("dl_save.php?fil=12\""), std::string::npos);
  EXPECT_NE(html.find("\xf1\xea\xe0\xf7\xe0\xf2\xfc"), std::string::npos);  // "скачать" in Windows-1251
  // Every line ends with CR LF.
  EXPECT_EQ(html.find("\n"), html.find("\r\n") + 1);
  // Both image maps lead to the support address by e-mail, and nothing else does.
  int areas = 0;
  for (size_t at = html.find("<area"); at != std::string::npos; at = html.find("<area", at + 1), ++areas)
    EXPECT_EQ(html.compare(html.find("href=\"", at) + 6, 7, "mailto:"), 0) << html.substr(at, 80);
  EXPECT_EQ(areas, 3);
  EXPECT_NE(html.find("<map name=\"banner\">"), std::string::npos);
  EXPECT_NE(html.find("<map name=\"footer\">"), std::string::npos);
}

TEST_F(MainWindow, UnwritableDownloadFolderIsSilent) {
  fs::remove_all(root / "data" / "html");
  lx::TForm1 form(lx::DataDir(root.string()));
  EXPECT_TRUE(form.startupComplete());
  EXPECT_TRUE(errors.empty());
  EXPECT_FALSE(fs::exists(root / "data" / "html" / "download.html"));
}

}  // namespace

namespace {

TEST_F(MainWindow, ProgramWiresThePageButtonsToTheHtmlWindow) {
  std::ofstream(root / "data" / "html" / "les1.html") << "<html><body>les1</body></html>";
  lx::Project1 program(lx::DataDir(root.string()));
  ASSERT_FALSE(program.quitAtOnce());
  auto* info = program.form1()->findChild<QToolButton*>("SpeedButton10");
  ASSERT_TRUE(info->isEnabled());
  info->click();
  EXPECT_TRUE(program.form21()->isVisible());
  EXPECT_EQ(program.form21()->windowTitle(), "Информация Lexitar");
  EXPECT_TRUE(program.form21()->WebBrowser1->toPlainText().contains("les1"));
  // Every lesson's window exists, so every lesson button opens it.
  for (int lesson = 1; lesson <= 7; ++lesson) {
    const std::string name = "SpeedButton" + std::to_string(lesson + 1);
    EXPECT_TRUE(program.form1()->findChild<QToolButton*>(QString::fromStdString(name))->isEnabled()) << name;
  }
}

// The page in the HTML window at its design width, with the pictures the set-up
// draws beside it: nothing cut off at the right, every picture found.
TEST_F(MainWindow, DownloadPageFitsTheHtmlWindowWithItsPictures) {
  const fs::path built = fs::current_path() / "data" / "html";
  if (!fs::exists(built / "image" / "ban3.jpg")) GTEST_FAIL() << "build the course data first (tools/build-data.sh)";
  fs::create_directory_symlink(built / "image", root / "data" / "html" / "image");
  fs::create_symlink(built / "favicon.ico", root / "data" / "html" / "favicon.ico");
  { lx::TForm1 form(lx::DataDir(root.string())); }
  std::string html;
  ASSERT_TRUE(lx::ReadFileBytes((root / "data" / "html" / "download.html").string(), html));
  for (const char* picture : {"image/ban3.jpg", "image/b1.jpg", "image/b5.jpg", "image/but.jpg", "image/bg.gif",
                              "favicon.ico"}) {
    EXPECT_NE(html.find(picture), std::string::npos) << picture;
    EXPECT_GT(QImage(QString::fromStdString((root / "data" / "html" / picture).string())).width(), 0) << picture;
  }
  lx::TForm21 window(lx::DataDir(root.string()));
  window.newurl("data\\html\\download.html");
  ASSERT_TRUE(lx::test::WaitFor([&] { return window.WebBrowser1->document()->size().height() > 500; }));
  QCoreApplication::processEvents();
  EXPECT_EQ(window.WebBrowser1->horizontalScrollBar()->maximum(), 0)
      << "document width " << window.WebBrowser1->document()->size().width() << " in a viewport of "
      << window.WebBrowser1->viewport()->width();
}

}  // namespace
