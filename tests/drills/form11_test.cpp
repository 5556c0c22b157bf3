// The Practice 3 window over a small course folder: its controls, the keys, the
// answer written once, the kind change, the styles of an answer and a missing file.
#include <gtest/gtest.h>

#include <QTest>
#include <QTextBlock>
#include <memory>

#include "../lessons/fixture.h"
#include "drills/Unit11.h"
#include "script.h"
#include "support/qtapp.h"

namespace {

class Form11Test : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    previousReporter = lx::SetTextErrorReporter([this](const QString& m) { errors.push_back(m); });
    folder = std::make_unique<lx::test::CourseFolder>(
        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    folder->Write("infowo.txt", {"teach teacher — учитель", "*", "act actor — актер"});
    folder->Write("infowo2.txt", {"good\tbetter\tbest\tхороший\tлучше\tсамый лучший"});
    folder->Write("infowo3.txt", {"Переведите: Я знаю его.\tI know {him}.\t[him - объектный падеж]"});
    folder->Write("infowo4.txt", {"a{b}c[d]\ta{b}c[d]", "tab\tone\ttwo"});
    folder->Write("infowo5.txt", {"go\twent\tgone\tgoing\tидти"});
  }
  void TearDown() override { lx::SetTextErrorReporter(previousReporter); }

  std::unique_ptr<lx::Tform11> Make() {
    lx::Practice3Context c;
    c.dataDir = lx::DataDir(folder->root().string());
    c.settings = &settings;
    c.soundIndex = &lx::test::TinySoundIndex();
    c.pickHandlers = lx::test::RecordingHandlers(record);
    auto w = std::make_unique<lx::Tform11>(c);
    w->SetRandomSource(script.source());
    return w;
  }
  // The pane's lines without the empty ones.
  static QStringList Shown(const lx::Tform11& w) {
    QStringList lines = w.RichEdit1->PaneText().split("\r\n");
    lines.removeAll(QString());
    return lines;
  }
  // Colour of the pane's text at the first occurrence of `text`.
  static QColor ColourOf(const lx::Tform11& w, const QString& text) {
    const QTextCursor found = w.RichEdit1->document()->find(text);
    EXPECT_FALSE(found.isNull()) << text.toStdString();
    return found.charFormat().foreground().color();
  }
  static void Key(QWidget* target, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    QCoreApplication::sendEvent(target, &press);
  }

  std::unique_ptr<lx::test::CourseFolder> folder;
  lx::SettingsSlots settings;
  lx::test::PickRecord record;
  Script script;
  std::vector<QString> errors;
  lx::TextErrorReporter previousReporter;
};

TEST_F(Form11Test, ControlsAndKinds) {
  settings.set(2, std::to_string(lx::StoredColor(0x10, 0x20, 0x30)));
  auto w = Make();
  EXPECT_EQ(w->windowTitle(), "Practice 3");
  EXPECT_EQ(w->size(), QSize(571, 350));
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(w->RichEdit1->palette().color(QPalette::Base), QColor(0x10, 0x20, 0x30));
  struct Button {
    const char* name;
    const char* caption;
    const char* hint;
  } buttons[] = {{"SpeedButton1", "Дальше...", "Следующее задание (клавиша \"z\")"},
                 {"SpeedButton2", "Ответ", "Правильный ответ (клавиша \"x\")"},
                 {"SpeedButton4", "", "Закрыть упражнение урока 3"},
                 {"SpeedButton41", "", "Окно словаря"}};
  for (const Button& b : buttons) {
    auto* button = w->findChild<QToolButton*>(b.name);
    ASSERT_NE(button, nullptr) << b.name;
    EXPECT_EQ(button->text(), QString::fromUtf8(b.caption));
    EXPECT_EQ(button->toolTip(), QString::fromUtf8(b.hint));
    EXPECT_EQ(button->focusPolicy(), Qt::NoFocus);
  }
  struct Kind {
    const char* name;
    const char* caption;
    const char* instruction;
  } kinds[] = {
      {"RadioButton2", "Числительное", "Попробуйте понять о каком числе идет речь (z - дальше, x - ответ)."},
      {"RadioButton3", "Формы прилагательных и наречий",
       "Нужно знать правила построения форм степеней сравнения (z - дальше, x - ответ)."},
      {"RadioButton4", "Местоимения", "Вы должны хорошо знать местоимения (z - дальше, x - ответ)."},
      {"RadioButton5", "Неправильные глаголы",
       "Вы должны знать неправильные глаголы во всех формах (z - дальше, x - ответ)."},
      {"RadioButton6", "Предлоги и союзы", "Вы должны хорошо знать предлоги и союзы (z - дальше, x - ответ)."},
      {"RadioButton1", "Образование частей речи",
       "Попробуйте угадать часть речи слова и способ его образования (z - дальше, x - ответ)."},
  };
  auto* label = w->findChild<QLabel*>("Label1");
  ASSERT_NE(label, nullptr);
  EXPECT_EQ(label->text(), QString::fromUtf8(kinds[5].instruction)) << "word formation at start";
  EXPECT_TRUE(w->RadioButtons[0]->isChecked());
  for (size_t i = 0; i < std::size(kinds); ++i) {
    auto* radio = w->findChild<QRadioButton*>(kinds[i].name);
    ASSERT_NE(radio, nullptr) << kinds[i].name;
    EXPECT_EQ(radio->text(), QString::fromUtf8(kinds[i].caption));
    radio->click();
    EXPECT_EQ(label->text(), QString::fromUtf8(kinds[i].instruction));
  }
  EXPECT_TRUE(errors.empty());
}

TEST_F(Form11Test, KeysWriteTheTaskAndTheAnswerOnce) {
  auto w = Make();
  w->show();
  EXPECT_EQ(w->RichEdit1->PaneText(), "");
  Key(w->RichEdit1, "x");
  EXPECT_EQ(w->RichEdit1->PaneText(), "") << "no task, no answer";
  script.draws = {{23, 0}, {1, 0}};
  Key(w->RichEdit1, "z");
  EXPECT_EQ(Shown(*w), QStringList({"teacher — учитель"}));
  EXPECT_EQ(w->RichEdit1->cursorWidth(), 0);
  Key(w->RadioButtons[0], "X");
  const QStringList answered{"teacher — учитель", "Существительное -er (Лицо или предмет)", "teach"};
  EXPECT_EQ(Shown(*w), answered);
  EXPECT_EQ(ColourOf(*w, "-er"), QColor(0xC8, 0x00, 0x20)) << "the suffix in style 2";
  const QString after = w->RichEdit1->PaneText();
  Key(w.get(), "ч");
  EXPECT_EQ(w->RichEdit1->PaneText(), after) << "a second x writes nothing";
  // The Russian layout's z.
  script.draws = {{23, 1}, {1, 0}};
  Key(w.get(), "Я");
  EXPECT_EQ(Shown(*w), QStringList({"actor — актер"}));
  EXPECT_TRUE(script.draws.empty());
}

TEST_F(Form11Test, AKindChangeClearsThePaneAndForgetsTheAnswer) {
  auto w = Make();
  script.draws = {{23, 0}, {1, 0}};
  w->Button1Click();
  ASSERT_FALSE(Shown(*w).isEmpty());
  w->RadioButtons[4]->click();
  EXPECT_EQ(w->RichEdit1->PaneText(), "");
  w->Button2Click();
  EXPECT_EQ(w->RichEdit1->PaneText(), "") << "x after a kind change writes nothing";
  script.draws = {{1, 0}, {4, 1}};
  w->Button1Click();
  w->Button2Click();
  EXPECT_EQ(Shown(*w), QStringList({"Переведите глагол. В какой он форме? Какие другие формы этого глагола?", "went",
                                    "go - went - gone - going", "идти"}));
}

TEST_F(Form11Test, BraceMarkupAnswerStylesAndLines) {
  auto w = Make();
  w->SelectKind(lx::DrillKind::Connectors);
  script.draws = {{2, 0}};
  w->Button1Click();
  w->Button2Click();
  // a and c in style 3, b in style 2, d in style 4, on one line.
  EXPECT_EQ(Shown(*w), QStringList({"a{b}c[d]", "abcd"}));
  QTextBlock answer = w->RichEdit1->document()->lastBlock();
  while (answer.text() != "abcd") answer = answer.previous();
  std::vector<std::pair<QString, QColor>> runs;
  for (auto it = answer.begin(); !it.atEnd(); ++it)
    runs.emplace_back(it.fragment().text(), it.fragment().charFormat().foreground().color());
  const QColor style3(0x20, 0x00, 0x40), style2(0xC8, 0x00, 0x20), style4(0x80, 0x20, 0xC8);
  EXPECT_EQ(runs, (std::vector<std::pair<QString, QColor>>{{"a", style3}, {"b", style2}, {"c", style3},
                                                           {"d", style4}}));
  // A tab inside the answer splits the line there.
  script.draws = {{2, 1}};
  w->Button1Click();
  w->Button2Click();
  EXPECT_EQ(Shown(*w), QStringList({"tab", "one", "two"}));
}

TEST_F(Form11Test, NumeralsShowTheWordsThenTheDigitsAndTheCaption) {
  auto w = Make();
  w->RadioButtons[1]->click();
  // Kind 5 (ordinal), class 0: 1 + 2.
  script.draws = {{9, 4}, {4, 0}, {12, 2}};
  Key(w->RichEdit1, "z");
  EXPECT_EQ(Shown(*w), QStringList({"third"}));
  Key(w->RichEdit1, "x");
  EXPECT_EQ(Shown(*w), QStringList({"third", "3rd", "порядковое"}));
}

TEST_F(Form11Test, AMissingFileStopsCreationThereAndTheWindowStillWorks) {
  std::filesystem::remove(folder->root() / "data" / "infowo3.txt");
  settings.set(33, "true");
  auto w = Make();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains("infowo3.txt")) << errors[0].toStdString();
  // The steps after loading are skipped: the dictionary toggle stays up.
  EXPECT_FALSE(w->SpeedButton41->isChecked());
  EXPECT_EQ(w->data().formation[0].size(), 1u);
  EXPECT_TRUE(w->data().verbs.empty());
  // The tables loaded before the missing file work; the empty ones draw empty lines.
  script.draws = {{6, 0}, {1, 0}, {3, 0}};
  w->RadioButtons[2]->click();
  w->Button1Click();
  EXPECT_EQ(Shown(*w), QStringList({"Постройте Сравнительную и Превосходную формы.", "good"}));
  for (int kind : {4, 5, 6}) {
    SCOPED_TRACE(kind);
    w->RadioButtons[static_cast<size_t>(kind - 1)]->click();
    script.draws = kind == 5 ? std::deque<std::pair<int32_t, int32_t>>{{1, 0}, {4, 0}}
                             : std::deque<std::pair<int32_t, int32_t>>{{1, 0}};
    w->Button1Click();
    w->Button2Click();
    const QStringList shown = Shown(*w);
    if (kind == 5) EXPECT_EQ(shown, QStringList({"Переведите глагол. В какой он форме? Какие другие формы этого глагола?"}));
    else EXPECT_TRUE(shown.isEmpty()) << shown.join("|").toStdString();
  }
}

}  // namespace
