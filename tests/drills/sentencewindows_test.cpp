// The Practice 4 and 5 windows over a small course folder: controls, the keys,
// what the pane shows after next and answer, and tables that cannot be read.
#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <filesystem>
#include <functional>
#include <memory>
#include <set>

#include "app/core/settingsslots.h"
#include "drills/Unit13.h"
#include "drills/Unit15.h"
#include "lessons/fixture.h"
#include "script.h"
#include "support/qtapp.h"

// Failures print the pane's lines as text.
void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }

namespace {

struct WindowCase {
  const char* name;
  std::function<std::unique_ptr<lx::SentenceWindow>(const lx::LessonContext&)> make;
  const char* objectName;
  QString caption;
  QStringList instructions;
  QString closeHint;
};

std::vector<WindowCase> Windows() {
  return {{"Practice 4", [](const lx::LessonContext& c) { return std::make_unique<lx::Tform13>(c); }, "form13",
           "Practice 4",
           {"Вы должны сказать, предложение утвердительное, отрицательное, вопросительное.",
            "Узнайте, это изъявительное или повелительное наклонение.",
            "Определите временную отнесенность, время, залог.",
            "Попробуйте перевести предложение, понять его смысл (z - дальше, x - ответ)."},
           "Закрыть упражнение урока 4"},
          {"Practice 5", [](const lx::LessonContext& c) { return std::make_unique<lx::Tform15>(c); }, "form15",
           "Practice 5", {"Попробуйте догадаться, о значении словосочетаний (z - дальше, x - ответ)"},
           "Закрыть упражнение урока 5"}};
}

class SentenceWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    previous = lx::SetTextErrorReporter([this](const QString& m) { errors.push_back(m); });
    folder = std::make_unique<lx::test::CourseFolder>(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    folder->Write("noun.txt", {"I\tя", "*", "you\tты", "*", "he\tон", "the boy\tмальчик", "*", "she\tона", "*",
                               "it\tоно", "*", "we\tмы", "*", "they\tони"});
    folder->Write("verb.txt", {"write\tписать\twrote\twritten\twriting\twrites"});
  }
  void TearDown() override { lx::SetTextErrorReporter(previous); }
  lx::LessonContext Context() {
    lx::LessonContext c;
    c.dataDir = lx::DataDir(folder->root().string());
    c.settings = &settings;
    c.soundIndex = &lx::test::TinySoundIndex();
    c.pickHandlers = lx::test::RecordingHandlers(record);
    return c;
  }
  static QStringList Lines(const lx::SentenceWindow& w) { return w.RichEdit1->toPlainText().split('\n'); }
  static void Press(QWidget* target, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
  }
  // The point size of every character of the pane's line `line`.
  static std::set<qreal> SizesOfLine(const lx::SentenceWindow& w, int line) {
    std::set<qreal> sizes;
    const QTextBlock block = w.RichEdit1->document()->findBlockByNumber(line);
    for (int p = block.position(); p < block.position() + block.length() - 1; ++p) {
      QTextCursor c(w.RichEdit1->document());
      c.setPosition(p);
      c.setPosition(p + 1, QTextCursor::KeepAnchor);
      sizes.insert(c.charFormat().fontPointSize());
    }
    return sizes;
  }

  std::unique_ptr<lx::test::CourseFolder> folder;
  lx::SettingsSlots settings;
  lx::test::PickRecord record;
  std::vector<QString> errors;
  lx::TextErrorReporter previous;
};

TEST_F(SentenceWindows, ControlsAndStartingState) {
  settings.set(33, "true");
  settings.set(2, "65280");  // stored blue-green-red: green
  for (const WindowCase& c : Windows()) {
    SCOPED_TRACE(c.name);
    auto w = c.make(Context());
    EXPECT_EQ(w->objectName(), c.objectName);
    EXPECT_EQ(w->windowTitle(), c.caption);
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    ASSERT_EQ(w->Labels.size(), static_cast<size_t>(c.instructions.size()));
    for (size_t i = 0; i < w->Labels.size(); ++i) EXPECT_EQ(w->Labels[i]->text(), c.instructions[static_cast<int>(i)]);
    EXPECT_TRUE(w->RichEdit1->isReadOnly());
    EXPECT_TRUE(w->RichEdit1->font().bold());
    EXPECT_EQ(w->RichEdit1->viewport()->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(w->RichEdit1->palette().color(QPalette::Base), QColor(0, 255, 0));
    EXPECT_TRUE(w->RichEdit1->toPlainText().isEmpty());  // nothing until the first z
    struct Button {
      const char* name;
      QString caption;
      QString hint;
    } buttons[] = {{"SpeedButton1", "Дальше...", "Следующее задание (клавиша \"z\")"},
                   {"SpeedButton2", "Ответ", "Правильный ответ (клавиша \"x\")"},
                   {"SpeedButton41", "", "Окно словаря"},
                   {"SpeedButton4", "", c.closeHint}};
    for (const Button& b : buttons) {
      auto* button = w->findChild<QToolButton*>(b.name);
      ASSERT_NE(button, nullptr) << b.name;
      EXPECT_EQ(button->text(), b.caption) << b.name;
      EXPECT_EQ(button->toolTip(), b.hint) << b.name;
      EXPECT_EQ(button->focusPolicy(), Qt::NoFocus) << b.name;
    }
    EXPECT_TRUE(w->SpeedButton41->isCheckable());
    EXPECT_TRUE(w->SpeedButton41->isChecked());  // slot 33: the dictionary was open
    w->show();
    w->SpeedButton4->click();
    EXPECT_FALSE(w->isVisible());
  }
  lx::SettingsSlots reset;
  auto w = lx::Tform13(Context());
  w.ApplySettings(reset);
  EXPECT_EQ(w.RichEdit1->palette().color(QPalette::Base), QColor(255, 255, 255));
  EXPECT_TRUE(errors.empty());
}

TEST_F(SentenceWindows, Practice4NextAnswerAndKeys) {
  settings.set(3, "16");
  lx::Tform13 w(Context());
  w.show();
  Script s{{// A Continuous passive future and a Perfect Continuous passive have no
            // sentence: drawn again.
            {10, 5}, {3, 1}, {4, 1}, {5, 3}, {3, 2}, {12, 5}, {2, 1}, {1, 0},
            {10, 0}, {3, 1}, {4, 3}, {5, 4}, {3, 0}, {12, 4}, {1, 0}, {1, 0},
            // A Perfect Continuous question of group 7.
            {10, 2}, {3, 2}, {4, 3}, {5, 0}, {3, 1}, {12, 11}, {1, 0}, {1, 0}}};
  w.SetRandom(s.source());
  Press(w.RichEdit1, "z");
  EXPECT_TRUE(s.draws.empty());
  EXPECT_EQ(Lines(w), (QStringList{"", "Have they been writing?", ""}));
  EXPECT_EQ(SizesOfLine(w, 1), std::set<qreal>{16});
  EXPECT_EQ(w.RichEdit1->cursorWidth(), 0);
  EXPECT_TRUE(w.drill().pending());

  Press(w.RichEdit1, "x");
  const QStringList answered{"", "Have they been writing?", "", "Вопросительное утвердительное предложение",
                             "Perfect_Continuous - Active - Present", "они", "писать", "", ""};
  EXPECT_EQ(Lines(w), answered);
  for (int line : {3, 4, 5}) EXPECT_EQ(SizesOfLine(w, line), std::set<qreal>{16}) << line;
  EXPECT_FALSE(w.drill().pending());
  Press(w.RichEdit1, "X");  // a second x adds nothing
  Press(&w, "ч");
  EXPECT_EQ(Lines(w), answered);

  // Я in the window draws the next sentence, which replaces the pane.
  Script next{{{10, 9}, {3, 1}, {4, 0}, {5, 0}, {3, 1}, {12, 6}, {1, 0}, {1, 0}, {3, 2}}};
  w.SetRandom(next.source());
  Press(&w, "Я");
  EXPECT_EQ(Lines(w), (QStringList{"", "She writes", ""}));
  EXPECT_TRUE(errors.empty());
}

TEST_F(SentenceWindows, Practice4GroupOneImperativeAndAmNot) {
  lx::Tform13 w(Context());
  Script s{{// An imperative for group 1: drawn again.
            {10, 3}, {3, 1}, {4, 0}, {5, 0}, {3, 0}, {12, 0}, {1, 0}, {1, 0},
            // Negative question, group 1, Present Continuous, contracted: am I not writing?
            {10, 0}, {3, 0}, {4, 1}, {5, 0}, {3, 1}, {12, 1}, {1, 0}, {1, 0}, {2, 0}}};
  w.SetRandom(s.source());
  w.SpeedButton1->click();
  EXPECT_TRUE(s.draws.empty());
  EXPECT_EQ(Lines(w), (QStringList{"", "Am I not writing?", ""}));
  w.SpeedButton2->click();
  EXPECT_EQ(Lines(w)[3], "Вопросительное отрицательное предложение");
  EXPECT_EQ(Lines(w)[4], "Continuous - Active - Present");
}

TEST_F(SentenceWindows, Practice5PhraseKeepsItsCase) {
  lx::Tform15 w(Context());
  Script s{{{2, 1}, {11, 0}, {12, 0}, {1, 0}, {1, 0}}};
  w.SetRandom(s.source());
  Press(w.RichEdit1, "Z");
  EXPECT_EQ(Lines(w), (QStringList{"", "to write", ""}));
  w.SpeedButton2->click();
  w.SpeedButton2->click();
  EXPECT_EQ(Lines(w), (QStringList{"", "to write", "", "Инфинитив (что делать?). Indefinite. Active.", "", "",
                                   "писать", ""}));
  EXPECT_EQ(w.RichEdit1->cursorWidth(), 0);
}

// A table that cannot be read is reported once in an error box; the window opens
// and works with what was read, or says that there is nothing to draw from.
TEST_F(SentenceWindows, MissingOrDamagedTables) {
  folder->Write("verb.txt", {"write\tписать\twrote\twritten\twriting\twrites", "go\tидти"});
  {
    lx::Tform13 w(Context());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0], "В файле verb.txt строка 2 (\"go\") пропущена: в ней нет всех шести полей через табуляцию");
    Script s{{{10, 9}, {3, 1}, {4, 0}, {5, 0}, {3, 1}, {12, 11}, {1, 0}, {1, 0}, {3, 2}}};
    w.SetRandom(s.source());
    w.SpeedButton1->click();
    EXPECT_EQ(Lines(w)[1], "They write");
  }
  errors.clear();
  std::filesystem::remove(folder->root() / "data" / "noun.txt");
  lx::Tform15 w(Context());
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].startsWith("Не удалось прочитать файл ")) << errors[0].toStdString();
  EXPECT_TRUE(errors[0].contains("В файле verb.txt строка 2"));
  w.SpeedButton1->click();
  EXPECT_TRUE(Lines(w)[1].startsWith("Заданий нет")) << Lines(w)[1].toStdString();
  w.SpeedButton2->click();
  EXPECT_EQ(Lines(w).size(), 3);
}

// A click on a word of the sentence looks it up in the dictionary.
TEST_F(SentenceWindows, ClickedWordIsLookedUp) {
  lx::Tform13 w(Context());
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  Script s{{{10, 9}, {3, 1}, {4, 0}, {5, 0}, {3, 1}, {12, 5}, {2, 1}, {1, 0}, {3, 2}}};
  w.SetRandom(s.source());
  w.SpeedButton1->click();
  ASSERT_EQ(Lines(w)[1], "The boy writes");
  QTextCursor cursor(w.RichEdit1->document()->findBlockByNumber(1));
  cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, 10);  // inside "writes"
  QTest::mouseClick(w.RichEdit1->viewport(), Qt::LeftButton, {}, w.RichEdit1->cursorRect(cursor).center());
  EXPECT_EQ(record.entries, std::vector<std::string>{"writes"});
  EXPECT_EQ(record.lookUps, 1);
  EXPECT_EQ(w.RichEdit1->cursorWidth(), 0);
}

}  // namespace
