// Lesson 6 inside the program: the main window's button, lesson 3's "verbs.txt"
// link, and the list written back at the end, never over a w01.txt read only in part.
#include <gtest/gtest.h>

#include <QTest>
#include <QToolButton>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/Project1.h"
#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "app/errorbox.h"
#include "lessons/fixture.h"
#include "support/qtapp.h"

namespace {

namespace fs = std::filesystem;

class Lesson6Program : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    lx::SetErrorReporter([this](const QString& m) { errors.push_back(m); });
    folder = std::make_unique<lx::test::CourseFolder>(
        std::string("l6_") + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    for (const char* f : {"words.txt", "dict1.txt", "dict2.txt", "info.txt"}) folder->Write(f, {});
    folder->Write("w01.txt", {"cat\tnoun\tкошка", "dog\tnoun\tсобака"});
    folder->WriteDrillTables();
    folder->WriteAllTexts();
  }
  void TearDown() override { lx::SetErrorReporter({}); }
  std::unique_ptr<lx::Project1> Start() {
    auto program = std::make_unique<lx::Project1>(lx::DataDir(folder->root().string()));
    EXPECT_FALSE(program->quitAtOnce());
    return program;
  }
  std::string Read(const fs::path& path) {
    std::string bytes;
    return lx::ReadFileBytes(path.string(), bytes) ? bytes : "<unreadable>";
  }

  std::unique_ptr<lx::test::CourseFolder> folder;
  std::vector<QString> errors;
};

TEST_F(Lesson6Program, MainWindowOpensLessonSixAndTheEndSavesTheList) {
  auto program = Start();
  lx::Tform16* lesson6 = program->form16();
  ASSERT_NE(lesson6, nullptr);
  EXPECT_EQ(program->lesson6List().count(), 2u);
  auto* button = program->form1()->findChild<QToolButton*>("SpeedButton7");
  ASSERT_TRUE(button->isEnabled());
  button->click();
  EXPECT_TRUE(lesson6->isVisible());
  program->lesson6List().AppendWord("sun");
  lesson6->sPageControl1->setCurrentIndex(1);
  program->form1()->close();
  EXPECT_EQ(Read(folder->root() / "data" / "w01.txt"),
            lx::FromQ("cat\tnoun\tкошка\r\ndog\tnoun\tсобака\r\nsun\t\t\r\n"));
  const std::string info = Read(folder->root() / "data" / "info.txt");
  EXPECT_NE(info.find("\r\n1\r\n"), std::string::npos);  // slot 32: the list page
  EXPECT_TRUE(errors.empty()) << errors[0].toStdString();
}

// The second link phrase of lesson 3's verb topic loads "verbs.txt" from the
// program's folder into lesson 6 and shows its list page.
TEST_F(Lesson6Program, VerbListLinkOfLessonThree) {
  const QString phrase = "verbs.txt (щелкните здесь)";
  folder->Write("texts/les3/t10.txt", {"#2Глагол", "", "#3Список для Урока 6: #1" + phrase + "#3."});
  {
    std::ofstream(folder->root() / "verbs.txt", std::ios::binary)
        << lx::FromQ("go\tv\tидти\twent\tgone\tgoing\r\nbe\tv\tбыть\twas, were\tbeen\tbeing\r\n");
  }
  auto program = Start();
  lx::Tform10* lesson3 = program->form10();
  lesson3->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(lesson3));
  lesson3->ShowTopic(10);
  const QString text = lesson3->RichEdit1->PaneText();
  const int offset = static_cast<int>(text.indexOf(phrase) + phrase.indexOf("txt") + 1);
  QTextCursor cursor(lesson3->RichEdit1->document());
  cursor.setPosition(lesson3->RichEdit1->PositionOfOffset(offset));
  QTest::mouseClick(lesson3->RichEdit1->viewport(), Qt::LeftButton, {},
                    lesson3->RichEdit1->cursorRect(cursor).center());
  lx::Tform16* lesson6 = program->form16();
  EXPECT_TRUE(lesson6->isVisible());
  EXPECT_EQ(lesson6->sPageControl1->currentIndex(), 1);
  ASSERT_EQ(program->lesson6List().count(), 2u);
  EXPECT_EQ(program->lesson6List().at(2).form2, "was, were");
  EXPECT_EQ(lesson6->model()->index(1, 1).data().toString(), "be");
  EXPECT_TRUE(errors.empty()) << errors[0].toStdString();
}

// A w01.txt that could not be read completely survives the end of the program.
TEST_F(Lesson6Program, UnreadableListSurvivesTheEnd) {
  fs::remove(folder->root() / "data" / "w01.txt");
  fs::create_directories(folder->root() / "data" / "w01.txt");
  auto program = Start();
  ASSERT_EQ(errors.size(), 1u);
  std::vector<QString> notices;
  program->form16()->SetNotice([&](const QString& m) { notices.push_back(m); });
  program->lesson6List().AppendWord("sun");
  program->form1()->close();
  EXPECT_TRUE(fs::is_directory(folder->root() / "data" / "w01.txt"));
  EXPECT_EQ(Read(folder->root() / "data" / "w01-1.txt"), "sun\t\t\r\n");
  EXPECT_EQ(notices.size(), 1u);
}

}  // namespace
