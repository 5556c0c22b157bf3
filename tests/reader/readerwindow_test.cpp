// The reader window over real widgets (offscreen) and the audio layer (SDL's disk
// driver): the sample book read sentence by sentence, the panes kept in step, the
// word field and the word grid.
#include <gtest/gtest.h>

#include <QTextDocument>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include <QPushButton>

#include "app/core/qtext.h"
#include "app/core/textfile.h"
#include "audio/audio.h"
#include "lessons/fixture.h"
#include "reader/Unit2.h"
#include "reader/updown.h"
#include "support/qtapp.h"
#include "syncbook.h"

namespace {

namespace fs = std::filesystem;

std::vector<std::pair<int32_t, int32_t>> ReadTimes(const std::string& path) {
  std::vector<std::pair<int32_t, int32_t>> out;
  std::ifstream in(path);
  int32_t start, end;
  while (in >> start >> end) out.emplace_back(start, end);
  return out;
}

// The application object exists before the fixture's pictures.
struct AppFirst {
  AppFirst() { lx::test::App(); }
};

class ReaderWindow : public ::testing::Test, AppFirst {
 protected:
  void SetUp() override {
    lx::BASS_Init(-1, 44100, 0, nullptr, nullptr);
    index.Load(lx::test::Cp("Bb\tbi:\ts2.mp3\t0\t300\r\nhello\thq'lou\ts1.mp3\t0\t500\r\n"));
    context.dataDir = lx::DataDir(fs::current_path().string() + "/");
    context.settings = &settings;
    context.soundIndex = &index;
    context.wordList = &list;
    context.pickHandlers = lx::test::RecordingHandlers(record);
    context.showError = [this](const QString& m) { errors.push_back(m); };
    folder = fs::temp_directory_path() / ("lexitar-reader-" + std::to_string(::getpid()));
    fs::create_directories(folder);
  }
  void TearDown() override { fs::remove_all(folder); }

  // Writes `text` (bytes as given) to a file of the temporary folder.
  std::string Write(const std::string& name, const std::string& bytes) {
    const fs::path path = folder / name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path.string();
  }

  // `count` sentences "Sentence number N is here." joined by spaces.
  static std::string Sentences(int count, const std::string& word = "Sentence") {
    std::string t;
    for (int i = 1; i <= count; ++i) t += word + " number " + std::to_string(i) + " is here. ";
    return t;
  }

  void ClickEnglish(lx::TForm2& w, int32_t offset) {
    w.RichEdit1->SetCaretOffset(offset);
    w.RichEdit1MouseDown();
  }

  lx::SoundIndex index;
  lx::SettingsSlots settings;
  lx::WordList list;
  lx::test::PickRecord record;
  std::vector<QString> errors;
  lx::ReaderContext context;
  fs::path folder;
};

// For every sentence of the sample book, a click at its start plays the stretch the
// synthesis recorded for it and brings the Russian pane to the matching sentence.
TEST_F(ReaderWindow, EverySentenceOfTheSampleBook) {
  const std::string acp = "data/book/clock-shop.acp";
  ASSERT_TRUE(fs::exists(acp)) << "the sample book is built by the set-up's data step";
  lx::TForm2 w(context);
  w.LoadProjectFile(fs::absolute(acp).string());
  ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
  const auto times = ReadTimes("data/book/clock-shop.times");
  const lx::SentenceAlignment& a = w.alignment();
  ASSERT_TRUE(a.valid());
  ASSERT_EQ(a.english().count(), a.russian().count());
  const auto& points = w.project().entries.at(0).points;
  // One point per sentence at its start, and one at the end of the last.
  ASSERT_EQ(points.size(), times.size() + 1);
  ASSERT_EQ(static_cast<int32_t>(times.size()) + 1, a.english().count());
  EXPECT_EQ(points.back().textPosition, a.english().at(a.english().count()).endOffset);
  EXPECT_EQ(points.back().audioMs, times.back().second);
  ASSERT_TRUE(w.project().entries[0].available);
  EXPECT_EQ(w.stream().LengthMs() / 1000, w.TrackBar1->maximum());
  const std::string russian = lx::FromQ(w.RichEdit2->PaneText());
  for (size_t i = 0; i < times.size(); ++i) {
    SCOPED_TRACE("sentence " + std::to_string(i + 1));
    ClickEnglish(w, points[i].textPosition);
    const lx::Stretch s = w.transport().lastStretch();
    EXPECT_EQ(s.start, times[i].first);
    EXPECT_GE(s.end, times[i].second);
    EXPECT_TRUE(w.Timer3->isActive());
    EXPECT_EQ(w.Timer3->interval(), s.end - s.start + 1);
    EXPECT_NEAR(w.stream().PositionMs(), s.start, 60);
    // The Russian caret stands at the end of the sentence before the matching one,
    // and the quick translation holds the matching sentence.
    const int32_t k = static_cast<int32_t>(i) + 1;
    EXPECT_EQ(w.RichEdit2->CaretOffset(), a.russian().at(k).endOffset);
    const int32_t from = a.russian().at(k).endOffset, to = a.russian().at(k + 1).endOffset;
    const std::string matching = russian.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
    // Compared without blanks and line breaks, the closing quote of the sentence before dropped.
    auto squeeze = [](std::string t) {
      std::erase_if(t, [](char c) { return c == ' ' || c == '\r' || c == '\n'; });
      return t;
    };
    std::string want = squeeze(matching);
    while (!want.empty() && (want.front() == '"' || want.front() == '\xbb')) want.erase(0, 1);
    const std::string quick = squeeze(lx::FromQ(w.RichEdit3->toPlainText()));
    EXPECT_NE(quick.find(want), std::string::npos) << want;
  }
  w.Timer3Timer();
  EXPECT_EQ(w.transport().rangeEnd(), -1);
}

TEST_F(ReaderWindow, PanesFollowOnlyWithEnoughSentences) {
  struct Case {
    int english, russian;
    bool follows;
  };
  const Case cases[] = {{10, 10, true}, {9, 9, false}, {20, 9, false}, {100, 150, false}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::to_string(c.english) + "/" + std::to_string(c.russian));
    lx::TForm2 w(context);
    w.SpeedButton14->setChecked(false);
    w.SpeedButton14Click();
    ASSERT_TRUE(w.LoadEnglishText(Write("en.txt", Sentences(c.english))));
    ASSERT_TRUE(w.LoadRussianText(Write("ru.txt", Sentences(c.russian, "\xcf\xf0\xe5\xe4\xeb\xee\xe6\xe5\xed\xe8\xe5"))));
    EXPECT_EQ(w.alignment().valid(), c.follows);
    w.RichEdit3->setPlainText("as it was");
    ClickEnglish(w, 60);  // in the third sentence
    EXPECT_EQ(w.RichEdit2->CaretOffset() != 0, c.follows);
    EXPECT_EQ(w.RichEdit3->toPlainText() == "as it was", !c.follows);
  }
}

TEST_F(ReaderWindow, QuickTranslationRange) {
  lx::TForm2 w(context);
  ASSERT_TRUE(w.LoadEnglishText(Write("en.txt", Sentences(12))));
  ASSERT_TRUE(w.LoadRussianText(Write("ru.txt", Sentences(12, "Line"))));
  // The first sentence synchronises on boundary 1; the excerpt keeps the text's
  // first character, since there is no sentence end before it to skip.
  ClickEnglish(w, 3);
  EXPECT_EQ(w.RichEdit2->CaretOffset(), 0);
  EXPECT_TRUE(w.RichEdit3->toPlainText().startsWith("Line number 1 is here. Line number 2"));
  w.Edit6->setText("0");
  w.Edit7->setText("0");
  EXPECT_EQ(w.quickStart(), 0);
  EXPECT_EQ(w.quickEnd(), 0);
  ClickEnglish(w, 60);
  EXPECT_EQ(w.RichEdit3->toPlainText().trimmed(), "Line number 3 is here.");
  // A sign alone is a number being typed; letters are an error and change nothing.
  w.Edit6->setText("-");
  EXPECT_TRUE(errors.empty());
  w.Edit6->setText("x");
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_EQ(w.quickStart(), 0);
}

TEST_F(ReaderWindow, TranslationsInEitherEncoding) {
  // "Привет." and a line break, in Windows-1251, in UTF-8, and in UTF-8 with a mark.
  const std::string cp = "\xcf\xf0\xe8\xe2\xe5\xf2.\r\n\xc4\xe0.";
  const std::string utf8 = "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82.\r\n\xd0\x94\xd0\xb0.";
  for (const std::string& bytes : {cp, utf8, "\xef\xbb\xbf" + utf8}) {
    lx::TForm2 w(context);
    ASSERT_TRUE(w.LoadRussianText(Write("ru.txt", bytes)));
    EXPECT_EQ(w.RichEdit2->toPlainText(), QString::fromUtf8("Привет.\nДа."));
    // Offsets count the line break as two characters.
    EXPECT_EQ(w.alignment().russian().count(), 3);
    EXPECT_EQ(w.alignment().russian().at(3).endOffset, 12);
  }
  lx::TForm2 w(context);
  EXPECT_FALSE(w.LoadRussianText((folder / "none.txt").string()));
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_TRUE(w.project().russianPath.empty());
}

TEST_F(ReaderWindow, WordFieldLooksUpAndPronouncesLetters) {
  lx::TForm2 w(context);
  struct Case {
    const char* text;
    const char* key;
    int played;
  };
  const Case cases[] = {{"b", "Bb", 1}, {"a", "a", 0}, {"7", "7", 0}, {"hello", "hello", 0}};
  for (const Case& c : cases) {
    record.Clear();
    w.Edit1->setText(c.text);
    ASSERT_EQ(record.entries.size(), 1u) << c.text;
    EXPECT_EQ(record.entries[0], c.key);
    EXPECT_EQ(record.lookUps, 1);
    EXPECT_EQ(record.played, c.played ? std::vector<int>{c.played} : std::vector<int>{});
  }
  // A click in the English text fills the field without a second lookup.
  ASSERT_TRUE(w.LoadEnglishText(Write("en.txt", "Hello there.")));
  record.Clear();
  ClickEnglish(w, 2);
  EXPECT_EQ(w.Edit1->text(), "hello");
  EXPECT_EQ(record.lookUps, 1);
}

TEST_F(ReaderWindow, WordGridLooksUpWhereTheSelectionRests) {
  for (const char* word : {"one", "two", "three"}) list.AppendWord(word);
  lx::TForm2 w(context);
  w.Timer2->stop();
  ASSERT_EQ(w.StringGrid2->rowCount(), 3);
  record.Clear();
  for (int row = 1; row <= 3; ++row) {
    w.StringGrid2->setCurrentCell(row - 1, 1);
    for (int t = 0; t < 3; ++t) w.Timer2Timer();
  }
  EXPECT_TRUE(record.entries.empty());
  for (int t = 0; t < 20; ++t) w.Timer2Timer();
  EXPECT_EQ(record.entries, std::vector<std::string>{"three"});
  EXPECT_EQ(record.lookUps, 1);

  // The grid follows the list; a word differing only in case is another word.
  w.Edit1->setText("Three");
  w.SpeedButton25Click();
  w.Edit1->setText("one");
  w.SpeedButton25Click();
  ASSERT_EQ(list.count(), 4u);
  EXPECT_EQ(w.StringGrid2->rowCount(), 4);
  EXPECT_EQ(w.StringGrid2->item(3, 1)->text(), "Three");
  w.StringGrid2->setCurrentCell(0, 1);
  w.SpeedButton26Click();
  EXPECT_EQ(list.at(1).word, "two");
  EXPECT_EQ(w.StringGrid2->rowCount(), 3);
}

TEST_F(ReaderWindow, ProjectTabRoundTrip) {
  lx::TForm2 w(context);
  ASSERT_TRUE(w.LoadEnglishText(Write("en.txt", Sentences(12))));
  ASSERT_TRUE(w.LoadRussianText(Write("ru.txt", Sentences(12, "Line"))));
  w.AddAudioFile(Write("missing-audio.wav", "not audio"));
  w.project().InsertControlPoint(40, 2000, lx::FromQ(w.RichEdit1->PaneText()));
  w.project().InsertControlPoint(10, 1000, lx::FromQ(w.RichEdit1->PaneText()));
  w.Edit3->setText("7");
  w.RichEdit1->SetCaretOffset(33);
  w.SpeedButton16Click();
  const std::string acp = (folder / "book").string();
  w.SaveProjectFile(acp);
  ASSERT_TRUE(fs::exists(acp + ".acp"));

  lx::TForm2 back(context);
  back.LoadProjectFile(acp + ".acp");
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(back.project().rangeWidth, 7000);
  EXPECT_EQ(back.Edit3->text(), "7");
  EXPECT_EQ(back.RichEdit1->CaretOffset(), 33);
  EXPECT_EQ(back.sPageControl1->currentIndex(), 2);
  ASSERT_EQ(back.project().entries.size(), 1u);
  EXPECT_EQ(back.ComboBox1->currentText(), "missing-audio.wav");
  EXPECT_EQ(back.StringGrid1->rowCount(), 2);
  EXPECT_EQ(back.StringGrid1->item(0, 2)->text(), "10");
  EXPECT_EQ(back.alignment().valid(), true);
  // Deleting the selected point, then removing the only entry.
  back.StringGrid1->setCurrentCell(1, 0);
  back.SpeedButton24Click();
  EXPECT_EQ(back.project().entries[0].points.size(), 1u);
  back.SpeedButton6Click();
  EXPECT_EQ(back.project().currentEntry, 0);
  EXPECT_EQ(back.StringGrid1->rowCount(), 1);
  EXPECT_EQ(back.ComboBox1->count(), 0);
}

// What the shutdown stores brings the next start back to the same window.
TEST_F(ReaderWindow, SettingsSlotsRoundTrip) {
  {
    lx::TForm2 w(context);
    EXPECT_FALSE(w.RichEdit4->isVisibleTo(&w));
    const int height = w.height();
    w.SpeedButton8->setChecked(true);
    w.SpeedButton8Click();
    EXPECT_TRUE(w.RichEdit4->isVisibleTo(&w));
    EXPECT_EQ(w.height(), height + 89 + 5);
    w.SpeedButton7->setChecked(false);
    w.SpeedButton7Click();
    w.SpeedButton14->setChecked(false);
    w.SpeedButton14Click();
    w.UpDown2->Click(-1);
    w.UpDown1->Click(+1);
    w.CheckBox1->setChecked(true);
    w.CheckBox1Click();
    w.Edit8->setText(".!?");
    w.sPageControl1->setCurrentIndex(1);
    w.GatherSlots(settings);
  }
  EXPECT_EQ(settings.get(41), "t");
  EXPECT_EQ(settings.get(42), ".!?");
  lx::TForm2 w(context);
  EXPECT_TRUE(w.RichEdit4->isVisibleTo(&w));
  EXPECT_FALSE(w.RichEdit3->isVisibleTo(&w));
  EXPECT_FALSE(w.SpeedButton14->isChecked());
  EXPECT_EQ(w.quickStart(), -2);
  EXPECT_EQ(w.project().rangeWidth, 11000);
  EXPECT_TRUE(w.CheckBox1->isChecked());
  EXPECT_FALSE(w.Edit3->isEnabled());
  EXPECT_EQ(w.transport().markers, ".!?");
  EXPECT_EQ(w.sPageControl1->currentIndex(), 1);
}



// Automatic control points from the window: the job runs while the window stays live,
// its points fill the table in order, and bad input or a cancel leave the table as it was.
class ReaderAutoSync : public ReaderWindow {
 protected:
  static constexpr const char* kBook =
      "The Garden\r\n\r\n"
      "Anna planted beans in the garden behind her house. Her brother laughed and said that "
      "nothing would grow in such poor soil. She watered them every morning before school. "
      "After three weeks the first green leaves appeared.\r\n"
      "By the summer the beans had climbed higher than the fence. Her brother stopped laughing. "
      "\"Can I have some for supper?\" he asked. \"You can pick them yourself,\" Anna said.\r\n";

  void SetUp() override {
    ReaderWindow::SetUp();
    context.progressBegin = [this](std::function<void()> cancel) {
      cancelJob = std::move(cancel);
      progressShown = true;
    };
    context.progressStep = [this](int percent) { lastPercent = percent; };
    context.progressEnd = [this] { progressShown = false; };
  }

  // Waits for the job while the event loop runs, as the window would.
  static void WaitFor(lx::TForm2& w) {
    for (int i = 0; i < 3000 && w.autoSyncRunning(); ++i) {
      QCoreApplication::processEvents();
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }

  static std::vector<std::pair<int32_t, int32_t>> Rows(lx::TForm2& w) {
    std::vector<std::pair<int32_t, int32_t>> rows;
    for (int r = 0; r < w.StringGrid1->rowCount(); ++r) {
      const auto* position = w.StringGrid1->item(r, 2);
      const auto* ms = w.StringGrid1->item(r, 3);
      if (position && ms) rows.emplace_back(position->text().toInt(), ms->text().toInt());
    }
    return rows;
  }

  std::function<void()> cancelJob;
  bool progressShown = false;
  int lastPercent = -1;
};

TEST_F(ReaderAutoSync, PointsFillTheTableInOrder) {
  const std::string wav = (folder / "garden.wav").string();
  const lx::test::SyncBook truth = lx::test::MakeSyncBook(kBook, wav);
  lx::TForm2 w(context);
  ASSERT_TRUE(w.LoadEnglishText(Write("garden.txt", kBook)));
  w.AddAudioFile(wav);
  auto* button = w.findChild<QPushButton*>("AutoSyncButton");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), QStringLiteral("Синхронизировать автоматически"));
  button->click();
  EXPECT_TRUE(w.autoSyncRunning());
  EXPECT_TRUE(progressShown);
  EXPECT_FALSE(button->isEnabled());
  WaitFor(w);
  ASSERT_FALSE(w.autoSyncRunning());
  ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
  EXPECT_FALSE(progressShown);
  EXPECT_TRUE(button->isEnabled());
  const auto rows = Rows(w);
  ASSERT_EQ(rows.size(), truth.startsMs.size() + 1);
  for (size_t k = 0; k < truth.startsMs.size(); ++k) EXPECT_NEAR(rows[k].second, truth.startsMs[k], 100) << "row " << k + 1;
  for (size_t k = 1; k < rows.size(); ++k) {
    EXPECT_LT(rows[k - 1].first, rows[k].first);
    EXPECT_LE(rows[k - 1].second, rows[k].second);
  }
  // The points are the project's, with their text lines, and play as hand-made ones do.
  const auto& points = w.project().entries.at(0).points;
  ASSERT_EQ(points.size(), rows.size());
  EXPECT_EQ(points[1].textLine, lx::ControlPointLine(kBook, points[1].textPosition));
  EXPECT_EQ(lx::TextToAudio(w.project().entries[0], points[2].textPosition), points[2].audioMs);
}

TEST_F(ReaderAutoSync, BadInputDeclinedOrCancelledLeavesTheTable) {
  const std::string wav = (folder / "garden.wav").string();
  lx::test::MakeSyncBook(kBook, wav);
  lx::TForm2 w(context);
  auto* button = w.findChild<QPushButton*>("AutoSyncButton");
  ASSERT_NE(button, nullptr);
  // No text, then no audio file: a message, nothing runs.
  button->click();
  w.LoadEnglishText(Write("garden.txt", kBook));
  button->click();
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_TRUE(errors[0].contains(QStringLiteral("английский текст")));
  EXPECT_TRUE(errors[1].contains(QStringLiteral("аудиофайл")));
  EXPECT_FALSE(w.autoSyncRunning());

  // Hand-made points stay when the learner declines to replace them, when the audio
  // does not read this text, and when the job is cancelled.
  w.AddAudioFile(wav);
  w.project().InsertControlPoint(0, 250, kBook);
  w.project().InsertControlPoint(60, 4000, kBook);
  const auto handMade = w.project().entries[0].points;
  std::vector<QString> questions;
  bool answer = false;
  lx::ReaderDialogs dialogs;
  dialogs.confirm = [&](const QString& q) {
    questions.push_back(q);
    return answer;
  };
  w.SetDialogs(dialogs);
  button->click();
  EXPECT_EQ(questions.size(), 1u);
  EXPECT_FALSE(w.autoSyncRunning());

  answer = true;
  w.LoadEnglishText(Write("other.txt", Sentences(40, "Elephant")));
  errors.clear();
  button->click();
  WaitFor(w);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(w.project().entries[0].points, handMade);

  w.LoadEnglishText(Write("garden.txt", kBook));
  errors.clear();
  button->click();
  ASSERT_TRUE(w.autoSyncRunning());
  ASSERT_TRUE(cancelJob);
  cancelJob();
  EXPECT_FALSE(w.autoSyncRunning());
  EXPECT_FALSE(progressShown);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(w.project().entries[0].points, handMade);
  EXPECT_TRUE(button->isEnabled());
}

}  // namespace
