// The lesson 6 window over a small course folder: creation from the settings and
// "data\w01.txt", the drill keys and the answer, the fields of the list page, the
// commands with their dialogs answered here, and the guard of the default list.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFileDialog>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "app/sound/soundservice.h"
#include "dictionary/Unit9.h"
#include "support/qtapp.h"
#include "text/renderer.h"
#include "vocabulary/Unit16.h"

namespace {

namespace fs = std::filesystem;
using lx::FromQ;
using lx::ToQ;
using lx::Tform16;
using lx::WordList;

// Answers modal dialogs in turn as they open: each answer gets the dialog.
class ModalAnswers {
 public:
  using Answer = std::function<void(QWidget*)>;
  ModalAnswers() {
    QObject::connect(&timer_, &QTimer::timeout, [this] {
      QWidget* modal = QApplication::activeModalWidget();
      if (!modal || modal == last_ || answers_.empty()) return;
      last_ = modal;
      Answer answer = std::move(answers_.front());
      answers_.pop_front();
      answer(modal);
    });
    timer_.start(5);
  }
  ModalAnswers& Then(Answer answer) {
    answers_.push_back(std::move(answer));
    return *this;
  }
  bool done() const { return answers_.empty(); }
  std::vector<QString> questions;

  // The file dialog chooses `path`.
  static Answer Choose(const std::string& path) {
    return [path](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      dialog->selectFile(QString::fromStdString(path));
      static_cast<QDialog*>(dialog)->accept();  // QFileDialog::accept, through the public slot
    };
  }
  static Answer Cancel() {
    return [](QWidget* w) { static_cast<QDialog*>(w)->reject(); };
  }
  // A Yes/No question: records its text after checking its caption.
  Answer Reply(QMessageBox::StandardButton button) {
    return [this, button](QWidget* w) {
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->windowTitle(), "Подтверждаете?!");
      EXPECT_EQ(box->icon(), QMessageBox::Question);
      questions.push_back(box->text());
      box->button(button)->click();
    };
  }

 private:
  QTimer timer_;
  QPointer<QWidget> last_;
  std::deque<Answer> answers_;
};

class Lesson6 : public ::testing::Test {
 protected:
  void SetUp() override {
    lx::test::App();
    previous_ = lx::SetTextErrorReporter([this](const QString& m) { errors.push_back(m); });
    root = fs::temp_directory_path() /
           ("lexitar-lesson6-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "-" +
            std::to_string(::getpid()));
    fs::remove_all(root);
    fs::create_directories(root / "data");
    dict.Append({"and", "&nd", "", "и"});
    dict.Append({"cat", "k&t", "", lx::FromQ("кошка")});
    dict.Append({"go", "gou", "", lx::FromQ("идти\tехать")});
    sound = std::make_unique<lx::SoundService>(sounds, lx::DataDir(root.string()));
  }
  void TearDown() override {
    window.reset();
    dictionary.reset();
    lx::SetTextErrorReporter(previous_);
    fs::remove_all(root);
  }
  void WriteList(const std::string& relative, const std::vector<std::string>& lines) {
    std::string bytes;
    // The lines are written here in UTF-8; list files are Windows-1251.
    for (const std::string& l : lines) bytes += FromQ(QString::fromStdString(l)) + "\r\n";
    std::ofstream(root / relative, std::ios::binary) << bytes;
  }
  std::string Read(const std::string& relative) {
    std::string bytes;
    return lx::ReadFileBytes((root / relative).string(), bytes) ? bytes : "<unreadable>";
  }
  Tform16& Make() {
    lx::DictionaryContext d;
    d.dictTable = &dict;
    d.dict2Table = &dict2;
    d.soundIndex = &sounds;
    d.sound = sound.get();
    d.settings = &settings;
    d.lesson6List = &list;
    dictionary = std::make_unique<lx::Tform9>(d);
    lx::Lesson6Context c;
    c.dataDir = lx::DataDir(root.string());
    c.settings = &settings;
    c.soundIndex = &sounds;
    c.dictTable = &dict;
    c.dictionary = dictionary.get();
    c.progress = {[this] { progress.push_back(-1); }, [this](int done, int) { progress.push_back(done); },
                  [this] { progress.push_back(-2); }};
    window = std::make_unique<Tform16>(list, c);
    window->SetNotice([this](const QString& m) { notices.push_back(m); });
    window->SetDraw([](int) { return 0; });
    dictionary->OnWordAdded([w = window.get()](size_t entry) { w->SelectEntry(entry); });
    return *window;
  }
  std::string Pane() const { return FromQ(window->RichEdit1->toPlainText()); }
  QString Cell(int row, int column) const {
    return window->model()->index(row, column).data().toString();
  }
  void SelectRows(int first, int last) {
    Tform16& w = *window;
    w.StringGrid1->setFocus();
    w.StringGrid1->selectionModel()->setCurrentIndex(w.model()->index(first - 1, 1),
                                                     QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    w.StringGrid1->selectionModel()->select(
        QItemSelection(w.model()->index(first - 1, 0), w.model()->index(last - 1, 4)),
        QItemSelectionModel::Select | QItemSelectionModel::Rows);
  }

  fs::path root;
  lx::DictTable dict;
  lx::Dict2Table dict2;
  lx::SoundIndex sounds;
  lx::SettingsSlots settings;
  WordList list;
  std::unique_ptr<lx::SoundService> sound;
  std::unique_ptr<lx::Tform9> dictionary;
  std::unique_ptr<Tform16> window;
  std::vector<QString> errors;
  std::vector<QString> notices;
  std::vector<int> progress;

 private:
  lx::TextErrorReporter previous_;
};

TEST_F(Lesson6, CreationReadsTheSlotsAndTheDefaultList) {
  WriteList("data/w01.txt", {"cat\tnoun\tкошка", "go\tv\tидти\twent\tgone\t\tz", "a#1b"});
  settings.set(23, "40");
  settings.set(24, "30");
  settings.set(25, "700");
  settings.set(26, "520");
  settings.set(27, "12");
  settings.set(32, "1");
  settings.set(44, "true");
  Tform16& w = Make();
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(w.windowTitle(), "Lexitar - Lesson 6");
  EXPECT_EQ(w.size(), QSize(700, 520));
  EXPECT_EQ(w.Edit1->text(), "12");
  EXPECT_EQ(w.drill().memorySize(), 12);
  EXPECT_EQ(w.sPageControl1->currentIndex(), 1);
  EXPECT_EQ(w.sPageControl1->tabText(0), "Заучивание слов");
  EXPECT_EQ(w.sPageControl1->tabText(1), "Список слов");
  EXPECT_TRUE(w.sCheckBox1->isChecked());
  EXPECT_TRUE(w.sCheckBox2->isChecked());
  ASSERT_EQ(list.count(), 3u);
  ASSERT_EQ(w.model()->rowCount(), 3);
  const QStringList header = {"    #", "Слово", "Ч.р.", "З", "Перевод"};
  for (int c = 0; c < 5; ++c) EXPECT_EQ(w.model()->headerData(c, Qt::Horizontal, Qt::DisplayRole), header[c]);
  EXPECT_EQ(Cell(1, 0), "2");
  EXPECT_EQ(Cell(1, 1), "go");
  EXPECT_EQ(Cell(1, 2), "v");
  EXPECT_EQ(Cell(1, 3), "z");
  EXPECT_EQ(Cell(2, 1), "a#1b");
  EXPECT_EQ(w.StringGrid1->verticalHeader()->defaultSectionSize(), 18);

  lx::SettingsSlots stored;
  w.Edit1->setText("45");
  w.sCheckBox1->setChecked(false);
  w.sPageControl1->setCurrentIndex(0);
  w.GatherSlots(stored);
  EXPECT_EQ(stored.get(25), "700");
  EXPECT_EQ(stored.get(27), "45");
  EXPECT_EQ(stored.get(32), "0");
  EXPECT_EQ(stored.get(44), "");
}

// An empty list shows one blank row with a space in the mark column.
TEST_F(Lesson6, EmptyListShowsOneBlankRow) {
  WriteList("data/w01.txt", {});
  Tform16& w = Make();
  EXPECT_EQ(w.model()->rowCount(), 1);
  EXPECT_EQ(Cell(0, 3), " ");
  EXPECT_EQ(Cell(0, 1), "");
}

// A w01.txt that cannot be read is reported, the "Звук сразу" step is skipped, and
// the shutdown keeps the file: the changed list goes beside it, said once.
TEST_F(Lesson6, UnreadableDefaultListIsKept) {
  fs::create_directories(root / "data" / "w01.txt");
  settings.set(44, "true");
  Tform16& w = Make();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains("w01.txt"));
  EXPECT_FALSE(w.sCheckBox1->isChecked());
  w.SaveDefaultList();  // nothing changed: nothing written, nothing said
  EXPECT_TRUE(notices.empty());
  EXPECT_FALSE(fs::exists(root / "data" / "w01-1.txt"));
  dictionary->Edit1->setText("cat");
  dictionary->SpeedButton25Click();
  w.SaveDefaultList();
  EXPECT_TRUE(fs::is_directory(root / "data" / "w01.txt"));
  EXPECT_EQ(Read("data/w01-1.txt"), "cat\t\t\r\n");
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_TRUE(notices[0].contains("w01-1.txt"));
}

// A w01.txt longer than the list holds is reported and never cut at the shutdown.
TEST_F(Lesson6, OverlongDefaultListIsNotCut) {
  std::vector<std::string> lines(WordList::kCapacity + 2, "w\t\t");
  WriteList("data/w01.txt", lines);
  const std::string before = Read("data/w01.txt");
  Make();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_TRUE(errors[0].contains("50000"));
  EXPECT_EQ(list.count(), WordList::kCapacity);
  window->SaveDefaultList();
  EXPECT_EQ(Read("data/w01.txt"), before);
  EXPECT_TRUE(notices.empty());
}

// z shows a word of the working set, x the answer: pressing x twice shows it once;
// a "#" in a word is shown as typed, never read as a style code.
TEST_F(Lesson6, DrillKeysShowTheWordAndOneAnswer) {
  WriteList("data/w01.txt", {"a#1b\tnoun\tперевод #2 с решёткой", "cat\tnoun\tкошка", "cat\tv\tгладить\tx\ty\tz"});
  Tform16& w = Make();
  w.sCheckBox2->setChecked(false);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  w.sPageControl1->setCurrentIndex(0);
  QTest::keyClick(w.RichEdit1, Qt::Key_Z);
  EXPECT_NE(Pane().find("a#1b"), std::string::npos) << Pane();
  QTest::keyClick(w.RichEdit1, Qt::Key_X);
  const std::string once = Pane();
  QTest::keyClick(w.RichEdit1, Qt::Key_X);
  EXPECT_EQ(Pane(), once);
  EXPECT_NE(once.find(FromQ("перевод #2 с решёткой")), std::string::npos) << once;
  EXPECT_NE(once.find("(noun)"), std::string::npos);
  EXPECT_NE(once.find("[]"), std::string::npos);  // not in the dictionary
  EXPECT_TRUE(errors.empty()) << errors[0].toStdString();
  // The answer also looks the key up in the dictionary.
  EXPECT_EQ(dictionary->LookupHistory[0], "a#1b");
  // In order: the second word, then the Cyrillic key on the same place gives the third.
  QTest::keyClick(w.RichEdit1, Qt::Key_Z);
  EXPECT_EQ(w.drill().recentPicks()[0], 2);
  QKeyEvent ya(QEvent::KeyPress, 0, Qt::NoModifier, "я");
  QApplication::sendEvent(w.RichEdit1, &ya);
  EXPECT_EQ(w.drill().recentPicks()[0], 3);
  EXPECT_EQ(w.drill().current().pos, lx::kPosVerb);
}

TEST_F(Lesson6, TheAnswerOfAWordListedTwice) {
  WriteList("data/w01.txt", {"cat\tnoun\tкошка", "cat\tv\tгладить\tx\ty\tz"});
  Tform16& w = Make();
  w.sCheckBox2->setChecked(false);
  w.Button2Click();
  w.Button3Click();
  const std::string pane = Pane();
  // The gap before the tag is laid out as a column (a tab in the pane).
  const size_t noun = pane.find(FromQ("кошка\t(noun)"));
  const size_t verb = pane.find(FromQ("гладить\t(v)"));
  const size_t forms = pane.find("x | y | z");
  EXPECT_NE(pane.find("[k&t]"), std::string::npos) << pane;
  ASSERT_NE(noun, std::string::npos) << lx::ToQ(pane).toStdString();
  ASSERT_NE(verb, std::string::npos);
  ASSERT_NE(forms, std::string::npos);
  EXPECT_LT(noun, verb);
  EXPECT_LT(verb, forms);
  EXPECT_EQ(dictionary->LookupHistory[0], "cat");
}

TEST_F(Lesson6, MemorySizeFieldKeepsDigitsOnly) {
  WriteList("data/w01.txt", {});
  Tform16& w = Make();
  w.Edit1->clear();
  QTest::keyClicks(w.Edit1, "5a0");
  EXPECT_EQ(w.Edit1->text(), "50");
  EXPECT_EQ(w.drill().memorySize(), 50);
  EXPECT_EQ(w.UpDown1->value(), 50);
  w.UpDown1->setValue(51);
  EXPECT_EQ(w.Edit1->text(), "51");
}

// The fields write back to the selected entry; the part of speech and the mark go
// to every selected row; the verb forms show only for "v".
TEST_F(Lesson6, FieldsEditTheSelectedEntries) {
  WriteList("data/w01.txt", {"one\t\t", "two\t\t", "three\t\t", "four\t\t"});
  Tform16& w = Make();
  w.sPageControl1->setCurrentIndex(1);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  SelectRows(1, 1);
  EXPECT_EQ(w.SelectedEntry(), 1u);
  EXPECT_EQ(w.Edit2->text(), "one");
  w.Edit2->setText("uno");
  EXPECT_EQ(list.at(1).word, "uno");
  w.Memo1->setPlainText("первый\nодин");
  EXPECT_EQ(list.at(1).translation, FromQ("первый один"));
  // A pasted tab would split the entry's line in the file.
  w.Edit2->setText("un\to");
  EXPECT_EQ(list.at(1).word, "un o");
  w.Edit2->setText("uno");
  SelectRows(2, 4);
  EXPECT_EQ(w.Edit2->text(), "two");
  w.ComboBox1->setCurrentIndex(9);
  w.ComboBox1Change();
  for (size_t k = 2; k <= 4; ++k) EXPECT_EQ(list.at(k).pos, lx::kPosVerb) << k;
  EXPECT_EQ(list.at(1).pos, lx::kPosNone);
  EXPECT_TRUE(w.Edit3->isVisible());
  w.Edit3->setText("twice");
  EXPECT_EQ(list.at(2).form2, "twice");
  EXPECT_EQ(list.at(3).form2, "");
  w.ComboBox2->setCurrentIndex(1);
  w.ComboBox2Change();
  for (size_t k = 2; k <= 4; ++k) EXPECT_EQ(list.at(k).mark, 'z') << k;
  SelectRows(1, 1);
  EXPECT_FALSE(w.Edit3->isVisible());
  // A sort puts another entry on the selected row: the fields follow it, and an
  // edit goes to the entry the fields show.
  w.SpeedButton9Click();  // four, three, two, uno
  EXPECT_EQ(w.SelectedEntry(), 1u);
  EXPECT_EQ(w.Edit2->text(), "four");
  w.Edit2->setText("FOUR");
  EXPECT_EQ(list.at(1).word, "FOUR");
  EXPECT_EQ(list.at(4).word, "uno");
}

TEST_F(Lesson6, NewDeleteAndMove) {
  WriteList("data/w01.txt", {"a1\t\t", "a2\t\t", "a3\t\t"});
  Tform16& w = Make();
  w.sPageControl1->setCurrentIndex(1);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  SelectRows(2, 2);
  w.Button10Click();  // inserted at the selected row
  ASSERT_EQ(list.count(), 4u);
  EXPECT_EQ(list.at(2).word, "");
  EXPECT_EQ(w.Edit2->text(), "");
  w.Edit2->setText("new");
  EXPECT_EQ(list.at(2).word, "new");
  SelectRows(4, 4);
  w.Button10Click();  // appended after the last row, which follows it
  ASSERT_EQ(list.count(), 5u);
  EXPECT_EQ(w.SelectedEntry(), 5u);
  // One row: deleted without a question.
  ModalAnswers none;
  w.Button11Click();
  EXPECT_EQ(list.count(), 4u);
  EXPECT_TRUE(none.questions.empty());
  // Moves: the selection follows the entry.
  SelectRows(1, 1);
  w.SpeedButton2Click();
  EXPECT_EQ(list.at(2).word, "a1");
  EXPECT_EQ(w.SelectedEntry(), 2u);
  w.SpeedButton1Click();
  EXPECT_EQ(list.at(1).word, "a1");
  EXPECT_EQ(w.SelectedEntry(), 1u);
  // Several rows: asked first; No keeps them.
  SelectRows(1, 3);
  ModalAnswers answers;
  answers.Then(answers.Reply(QMessageBox::No));
  w.Button11Click();
  EXPECT_EQ(list.count(), 4u);
  answers.Then(answers.Reply(QMessageBox::Yes));
  w.Button11Click();
  ASSERT_EQ(answers.questions.size(), 2u);
  EXPECT_EQ(answers.questions[0], "Удалить все слова?!");
  ASSERT_EQ(list.count(), 1u);
  EXPECT_EQ(list.at(1).word, "a3");
  EXPECT_EQ(w.Edit2->text(), "a3");
}

// Build from a text: No to the clearing question ends the command with the list
// untouched; Yes builds it with the progress window.
TEST_F(Lesson6, BuildFromTextAsksAndShowsProgress) {
  WriteList("data/w01.txt", {"keep\tnoun\tберечь\tz"});
  WriteList("text.txt", {"Cats, cats and a cat."});
  Tform16& w = Make();
  ModalAnswers answers;
  answers.Then(ModalAnswers::Choose((root / "text.txt").string())).Then(answers.Reply(QMessageBox::No));
  w.SpeedButton16->click();
  EXPECT_TRUE(answers.done());
  ASSERT_EQ(list.count(), 1u);
  EXPECT_EQ(list.at(1).pos, 2);
  EXPECT_TRUE(progress.empty());
  answers.Then(ModalAnswers::Choose((root / "text.txt").string())).Then(answers.Reply(QMessageBox::Yes));
  w.SpeedButton16->click();
  EXPECT_EQ(answers.questions, (std::vector<QString>{"Очистить список?!", "Очистить список?!"}));
  ASSERT_EQ(list.count(), 2u);
  EXPECT_EQ(list.at(1).word, "cat");
  EXPECT_EQ(list.at(2).word, "and");
  ASSERT_GE(progress.size(), 3u);
  EXPECT_EQ(progress.front(), -1);
  EXPECT_EQ(progress.back(), -2);
  EXPECT_TRUE(w.isEnabled());
  // Quick translation fills the empty translations, tabs as spaces.
  list.at(2).translation = "союз";
  w.SpeedButton18Click();
  EXPECT_EQ(list.at(1).translation, FromQ("кошка"));
  EXPECT_EQ(list.at(2).translation, "союз");
}

// Save appends ".txt"; open, merge and cut read the chosen files; a file that cannot
// be read is reported and changes nothing.
TEST_F(Lesson6, FileCommands) {
  WriteList("data/w01.txt", {"go\tv\tидти\twent\tgone\tgoing", "went\t\t", "cat\tnoun\t"});
  WriteList("cut.txt", {"go\tv\t\twent\tgone\t"});
  Tform16& w = Make();
  ModalAnswers answers;
  answers.Then(ModalAnswers::Choose((root / "saved").string()));
  w.SpeedButton13->click();
  EXPECT_EQ(Read("saved.txt"), Read("data/w01.txt"));
  answers.Then(ModalAnswers::Choose((root / "saved.txt").string()));
  w.SpeedButton14->click();  // merge: duplicates included
  EXPECT_EQ(list.count(), 6u);
  answers.Then(ModalAnswers::Choose((root / "cut.txt").string()));
  w.SpeedButton15->click();
  ASSERT_EQ(list.count(), 2u);
  EXPECT_EQ(list.at(1).word, "cat");
  answers.Then(ModalAnswers::Choose((root / "data/w01.txt").string()));
  w.SpeedButton12->click();  // open replaces the list
  EXPECT_EQ(list.count(), 3u);
  answers.Then(ModalAnswers::Cancel());
  w.SpeedButton12->click();
  EXPECT_EQ(list.count(), 3u);
  // Clear asks; the drill then offers the open dialog for an empty list.
  answers.Then(answers.Reply(QMessageBox::Yes));
  w.SpeedButton17->click();
  EXPECT_TRUE(list.empty());
  answers.Then(ModalAnswers::Choose((root / "saved.txt").string()));
  w.Button2Click();
  EXPECT_EQ(list.count(), 3u);
  EXPECT_FALSE(w.drill().current().word.empty());
  EXPECT_TRUE(answers.done());
  EXPECT_TRUE(errors.empty());
}

// The dictionary's add button: the grid shows the new row, selected.
TEST_F(Lesson6, DictionaryAddSelectsTheNewRow) {
  WriteList("data/w01.txt", {"cat\tnoun\t"});
  Tform16& w = Make();
  dictionary->Edit1->setText("dog");
  dictionary->SpeedButton25->click();
  ASSERT_EQ(w.model()->rowCount(), 2);
  EXPECT_EQ(Cell(1, 1), "dog");
  EXPECT_EQ(w.StringGrid1->currentIndex().row(), 1);
  EXPECT_EQ(w.SelectedEntry(), 2u);
  EXPECT_EQ(w.Edit2->text(), "dog");
  dictionary->SpeedButton25->click();  // already there: nothing
  EXPECT_EQ(w.model()->rowCount(), 2);
}

}  // namespace

namespace {

// 400 ms after a row is selected its word is looked up once, silently.
TEST_F(Lesson6, SelectedWordReachesTheDictionaryAfterTheDelay) {
  WriteList("data/w01.txt", {"cat\tnoun\t", "go\tv\t"});
  Tform16& w = Make();
  w.sPageControl1->setCurrentIndex(1);
  w.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w));
  SelectRows(2, 2);
  EXPECT_NE(dictionary->LookupHistory[0], "go");
  ASSERT_TRUE(lx::test::WaitFor([&] { return dictionary->LookupHistory[0] == "go"; }, 2000));
  EXPECT_EQ(dictionary->Edit1->text(), "go");
  EXPECT_TRUE(dictionary->SpeakOnLookup);
  dictionary->Edit1->setText("other");
  QTest::qWait(600);  // once per selection: no second lookup
  EXPECT_EQ(dictionary->Edit1->text(), "other");
}

}  // namespace
