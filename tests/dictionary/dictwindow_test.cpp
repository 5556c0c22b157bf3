// The dictionary window on real widgets over a small fixture: lookups, history, the
// article markup, clicks in the article pane, the toggles and the placement rules.
// What was pronounced is read off the audio layer: every fixture word has its own
// recording of a distinct length, opened and played on SDL's disk driver.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>

#include <QApplication>
#include <QMouseEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolButton>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/core/cp1251.h"
#include "app/core/qtext.h"
#include "app/sound/soundservice.h"
#include "audio/audio.h"
#include "dictionary/Unit9.h"
#include "tests/support/qtapp.h"
#include "tests/support/silence.h"

namespace lx {
namespace {

namespace fs = std::filesystem;

std::string Cp(std::string_view utf8) { return Utf8ToCp1251(utf8); }

using test::WriteSilence;

class DictionaryWindow : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::App();
    BASS_Init(1, 44100, 4, nullptr, nullptr);
    dir_ = fs::temp_directory_path() / ("lexitar-dict-" + std::to_string(getpid()));
    fs::create_directories(dir_ / "data");
    // Each recording's length names its word.
    for (const auto& [file, ms] : kRecordings) WriteSilence(dir_ / "data" / file, ms);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  void SetUp() override {
    english_.Append({"a", "ei", "<span class=nr>a</span><br>article<br>", ""});
    english_.Append({"b", "bi:", "<span class=nr>b</span><br>the letter<br>", ""});
    english_.Append({"english", "'iNgliS", "<span class=ps>adj</span> " + Cp("английский") + "<br>", ""});
    english_.Append({"go", "gou", "<span class=ab>v</span> " + Cp("идти") + "<br>", ""});
    english_.Append({"ice cream", "'ais'kri:m", Cp("мороженое") + "<br>", ""});
    english_.Append({"run", "rVn",
                     "<span class=nr>1.</span> <span class=ab>v</span> " + Cp("бежать") +
                         "<br><SPAN CLASS=NA1>blue</SPAN><br><span class=\"ew\">quoted</span><br>last line",
                     ""});
    english_.Append({"runner", "'rVnq", "<span class=nr>runner</span><br>", ""});
    english_.Append({"zebra", "'zi:brq", Cp("зебра") + "<br>", ""});
    russian_.Append({Cp("7 дней"), "seven days<br>"});
    russian_.Append({Cp("бежать"), "<span class=ew>run</span><br>"});
    for (const auto& [word, tr, file] : kSounds) {
      tsou entry;
      entry.word = word;
      entry.transcription = tr;
      entry.file = file;
      entry.start = 0;
      entry.end = 0;
      sounds_.Append(entry);
    }
    sound_ = std::make_unique<SoundService>(sounds_, DataDir(dir_.string()));
  }

  std::unique_ptr<Tform9> Make(const WordForms* forms = nullptr) {
    DictionaryContext c;
    c.wordForms = forms;
    c.dictTable = &english_;
    c.dict2Table = &russian_;
    c.soundIndex = &sounds_;
    c.sound = sound_.get();
    c.settings = &settings_;
    c.lesson6List = &list_;
    c.lesson1Left = lesson1Left_;
    QPixmap off(8, 8), on(8, 8);
    off.fill(Qt::gray);
    on.fill(Qt::blue);
    c.soundPictures = {off, on};
    return std::make_unique<Tform9>(c);
  }

  // The recording now open on the sound service, named by its length; "" when the
  // channel did not change since `before`.
  std::string PlayedSince(AudioHandle before) const {
    const AudioHandle h = sound_->AudioChannel();
    if (h == 0 || h == before) return "";
    const int ms = static_cast<int>(BASS_ChannelBytes2Seconds(h, BASS_ChannelGetLength(h)) * 1000 + 0.5);
    for (const auto& [file, length] : kRecordings)
      if (length == ms) return file;
    return "?";
  }

  static std::string PaneText(const Tform9& w) { return FromQ(w.RichEdit1->toPlainText()); }

  // Presses the left button over the character at pane offset `offset`.
  static void ClickAt(RichPane& pane, int offset) {
    QTextCursor c(pane.document());
    c.setPosition(pane.PositionOfOffset(offset));
    const QRect r = pane.cursorRect(c);
    const QPointF at(r.left() + 1, r.center().y());
    QMouseEvent press(QEvent::MouseButtonPress, at, pane.viewport()->mapToGlobal(at), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(pane.viewport(), &press);
    QMouseEvent release(QEvent::MouseButtonRelease, at, pane.viewport()->mapToGlobal(at), Qt::LeftButton,
                        Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(pane.viewport(), &release);
  }

  static void Query(Tform9& w, const char* utf8) {
    w.Edit1->setText(QString::fromUtf8(utf8));
    w.LookUp();
  }

  static inline fs::path dir_;
  static constexpr std::pair<const char*, int> kRecordings[] = {
      {"run.wav", 400}, {"b.wav", 500}, {"a.wav", 600}, {"go.wav", 700}, {"running.wav", 800}};
  static constexpr std::tuple<const char*, const char*, const char*> kSounds[] = {
      {"run", "rVn", "run.wav"}, {"b", "bi:", "b.wav"}, {"a", "ei", "a.wav"},
      {"go", "gou", "go.wav"},   {"running", "'rVniN", "running.wav"}};

  DictTable english_;
  Dict2Table russian_;
  SoundIndex sounds_;
  SettingsSlots settings_;
  WordList list_;
  std::optional<int> lesson1Left_;
  std::unique_ptr<SoundService> sound_;
};

TEST_F(DictionaryWindow, LooksUpAsTypedAndKeepsTheQueryInTheHistory) {
  auto w = Make();
  EXPECT_EQ(w->Edit1->text(), "english");
  EXPECT_EQ(w->LookupHistory[0], "");
  struct Case {
    const char* typed;
    const char* shown;     // entry field after the lookup
    const char* firstLine; // the pane's first paragraph
    const char* sound;     // recording played, "" for none
  } cases[] = {
      {"Run", "run", "[rVn]1. v бежать", "run.wav"},
      {"ice_cream", "ice cream", "['ais'kri:m]мороженое", ""},
      {"running", "run", "running — форма слова run", "running.wav"},  // the sound is the key's, the article the lemma's
      {"7 дней", "7 дней", "seven days", ""},          // a digit first: the Russian table
      {"Бежать", "бежать", "run", ""},
      {"zzzz", "zzzz", "Слова «zzzz» нет в словаре.", ""},  // above every headword: said to be unknown
  };
  for (const Case& c : cases) {
    const AudioHandle before = sound_->AudioChannel();
    Query(*w, c.typed);
    EXPECT_EQ(FromQ(w->Edit1->text()), Cp(c.shown)) << c.typed;
    EXPECT_EQ(FromQ(w->RichEdit1->document()->firstBlock().text()), Cp(c.firstLine)) << c.typed;
    EXPECT_EQ(PlayedSince(before), c.sound) << c.typed;
    EXPECT_EQ(w->LookupHistory[0], Cp(c.typed)) << "the history holds the text as typed";
  }
  EXPECT_EQ(w->LookupHistory[4], "ice_cream");
  EXPECT_EQ(w->LookupHistory[5], "Run");
}

// A form shows its lemma's article under a line that names both; an unknown word says
// so, offers the headwords spelled nearly alike, and stays in the entry field as typed.
TEST_F(DictionaryWindow, FormsLeadToTheirLemmaAndUnknownWordsSaySo) {
  WordForms forms;
  forms.Load("went\tgo\tp.\r\n");
  auto w = Make(&forms);
  auto lines = [&] {
    std::vector<std::string> out;
    for (QTextBlock b = w->RichEdit1->document()->firstBlock(); b.isValid(); b = b.next())
      out.push_back(Cp1251ToUtf8(FromQ(b.text())));
    return out;
  };
  struct Case {
    const char* typed;
    const char* shown;  // entry field after the lookup
    std::vector<std::string> lines;
  } cases[] = {
      {"Went", "go", {"went — форма слова go (прошедшее время)", "[gou]v идти", ""}},
      {"runs", "run", {"runs — форма слова run", "[rVn]1. v бежать", "blue", "quoted", ""}},
      // Near match "run" (score 3) after the note.
      {"runx", "runx", {"Слова «runx» нет в словаре.", "Может быть: run", "Ближайшее слово словаря:",
                        "[rVn]1. v бежать", "blue", "quoted", ""}},
      // The near match "run" scores 0: no article.
      {"rum", "rum", {"Слова «rum» нет в словаре.", "Может быть: run", ""}},
      {"qqq", "qqq", {"Слова «qqq» нет в словаре.", ""}},
  };
  for (const Case& c : cases) {
    Query(*w, c.typed);
    EXPECT_EQ(Cp1251ToUtf8(FromQ(w->Edit1->text())), c.shown) << c.typed;
    EXPECT_EQ(lines(), c.lines) << c.typed;
    EXPECT_EQ(w->LookupHistory[0], c.typed);
  }
  // The transcription keeps its look under a note; the note keeps the pane's face.
  Query(*w, "runs");
  QTextCursor at(w->RichEdit1->document()->findBlockByNumber(1));
  at.setPosition(at.block().position() + 2);
  EXPECT_EQ(at.charFormat().fontFamilies().toStringList().value(0), "PhoneticTM");
  at.setPosition(w->RichEdit1->document()->firstBlock().position() + 2);
  EXPECT_NE(at.charFormat().fontFamilies().toStringList().value(0), "PhoneticTM");
}

TEST_F(DictionaryWindow, HistoryTakesRepeatsOnceAndBackReturnsToThePreviousQuery) {
  auto w = Make();
  Query(*w, "go");
  w->Button2Click();  // only one query: nothing happens
  EXPECT_EQ(w->Edit1->text(), "go");
  Query(*w, "go");
  EXPECT_EQ(w->LookupHistory[1], "");
  Query(*w, "b");
  Query(*w, "run");
  w->Button2Click();
  EXPECT_EQ(w->Edit1->text(), "b");
  EXPECT_EQ(w->LookupHistory[0], "b");
  EXPECT_EQ(w->LookupHistory[1], "go");
  EXPECT_EQ(w->LookupHistory[2], "");
  EXPECT_TRUE(PaneText(*w).find("the letter") != std::string::npos);
}

TEST_F(DictionaryWindow, ArticleMarkupStylesClosedLinesOnly) {
  auto w = Make();
  Query(*w, "run");
  const QTextDocument* doc = w->RichEdit1->document();
  // Text after the last tag is not shown; the unclosed line before it holds only what came before.
  EXPECT_EQ(PaneText(*w), Cp("[rVn]1. v бежать\nblue\nquoted\n"));
  auto formatAt = [&](int block, int column) {
    QTextCursor c(doc->findBlockByNumber(block));
    c.setPosition(c.block().position() + column + 1);
    return c.charFormat();
  };
  // The transcription: PhoneticTM, red, 13 points.
  EXPECT_EQ(formatAt(0, 1).fontFamilies().toStringList().value(0), "PhoneticTM");
  EXPECT_EQ(formatAt(0, 1).foreground().color(), QColor(Qt::red));
  EXPECT_EQ(formatAt(0, 1).fontPointSize(), 13);
  // "1." in class nr: red 12 points in the pane's own face; "v" in class ab: #F000F0.
  EXPECT_EQ(formatAt(0, 5).foreground().color(), QColor(0xFF, 0, 0));
  EXPECT_EQ(formatAt(0, 5).fontPointSize(), 12);
  EXPECT_TRUE(formatAt(0, 5).fontFamilies().toStringList().value(0) != "PhoneticTM");
  EXPECT_EQ(formatAt(0, 8).foreground().color(), QColor(0xF0, 0, 0xF0));
  // A tag in capitals works; a quoted class value is no tag of the table: style 0 (black, 10).
  EXPECT_EQ(formatAt(1, 0).foreground().color(), QColor(0, 0, 0xFF));
  EXPECT_EQ(formatAt(2, 0).foreground().color(), QColor(0, 0, 0));
  EXPECT_EQ(formatAt(2, 0).fontPointSize(), 10);
  EXPECT_EQ(w->RichEdit1->CaretOffset(), 0);
  EXPECT_FALSE(w->RichEdit1->isHidden());
}

// Transcriptions inside an article (class sy) are drawn in the phonetic font; the text
// around them keeps the pane's face.
TEST_F(DictionaryWindow, TranscriptionsInsideArticlesUseThePhoneticFont) {
  english_.Append({"zz", "wOz", "(" + Cp("полная форма") + "); <span class=sy>[wqz]</span>, <span class=sy>[wz]</span><br>", ""});
  auto w = Make();
  Query(*w, "zz");
  const QTextBlock line = w->RichEdit1->document()->firstBlock();
  const std::string text = FromQ(line.text());
  auto familyAt = [&](size_t column) {
    QTextCursor c(line);
    c.setPosition(line.position() + static_cast<int>(column) + 1);
    return c.charFormat().fontFamilies().toStringList().value(0);
  };
  for (const char* transcription : {"[wqz]", "[wz]"}) {
    const size_t at = text.find(transcription);
    ASSERT_NE(at, std::string::npos) << transcription;
    for (size_t k = 0; k < std::string_view(transcription).size(); ++k)
      EXPECT_EQ(familyAt(at + k), "PhoneticTM") << transcription << " at " << k;
  }
  EXPECT_NE(familyAt(text.find('(') + 1), "PhoneticTM");
}

TEST_F(DictionaryWindow, BadKeysAndArticlesNeitherCrashNorHang) {
  english_.Append({"zzz<", "", "<span class=nr>open<br>unclosed <tag and text", ""});
  auto w = Make();
  Query(*w, "run");
  Query(*w, "");
  EXPECT_EQ(PaneText(*w), "") << "an empty key clears the pane";
  EXPECT_EQ(w->LookupHistory[0], "run");
  for (const std::string& key : {std::string(10000, 'q'), std::string(40, ' '), std::string(40, '_'),
                                 std::string(50, '<') + std::string(50, '>'), std::string("zzz<")}) {
    w->Edit1->setText(QString::fromStdString(key));
    w->LookUp();
  }
  EXPECT_EQ(w->LookupHistory[0], "zzz<");
  EXPECT_EQ(PaneText(*w), "open\nunclosed ") << "text inside the unclosed tag is not shown";
}

TEST_F(DictionaryWindow, ClicksInTheArticlePaneLookUpAndPronounce) {
  auto w = Make();
  w->resize(400, 300);
  w->show();
  w->SpeedButton14->click();  // sound off
  ASSERT_FALSE(w->SpeedButton14->isChecked());
  Query(*w, "run");
  RichPane& pane = *w->RichEdit1;

  // The transcription line pronounces its word whatever the switch; the entry stays.
  AudioHandle before = sound_->AudioChannel();
  ClickAt(pane, 2);
  EXPECT_EQ(PlayedSince(before), "run.wav");
  EXPECT_EQ(w->Edit1->text(), "run");
  EXPECT_EQ(w->LookupHistory[0], "run");

  // A word of the article is looked up in turn (silently: the switch is off).
  const std::string text = FromQ(pane.PaneText());
  before = sound_->AudioChannel();
  ClickAt(pane, static_cast<int>(text.find(Cp("бежать"))) + 2);
  EXPECT_EQ(FromQ(w->Edit1->text()), Cp("бежать"));
  EXPECT_EQ(PaneText(*w), "run\n");
  EXPECT_EQ(PlayedSince(before), "");
  EXPECT_TRUE(pane.hasFocus() || !w->isActiveWindow());

  // A lone letter is pronounced even with the switch off; "a" is only looked up.
  Query(*w, "b");
  before = sound_->AudioChannel();
  ClickAt(pane, static_cast<int>(FromQ(pane.PaneText()).find("b", 5)));
  EXPECT_EQ(w->Edit1->text(), "b");
  EXPECT_EQ(PlayedSince(before), "b.wav");
  Query(*w, "a");
  before = sound_->AudioChannel();
  ClickAt(pane, static_cast<int>(FromQ(pane.PaneText()).find("a", 4)));
  EXPECT_EQ(w->Edit1->text(), "a");
  EXPECT_EQ(PlayedSince(before), "");
}

TEST_F(DictionaryWindow, AddsTheHeadwordToTheLessonSixListOnce) {
  auto w = Make();
  std::vector<size_t> added;
  w->OnWordAdded([&](size_t entry) { added.push_back(entry); });
  int changes = 0;
  list_.Subscribe([&] { ++changes; });
  list_.AppendWord("b");
  Query(*w, "Run");
  w->SpeedButton25Click();
  w->SpeedButton25Click();
  Query(*w, "b");
  w->SpeedButton25Click();
  w->Edit1->clear();
  w->SpeedButton25Click();
  ASSERT_EQ(list_.count(), 2u);
  EXPECT_EQ(list_.at(2).word, "run");
  EXPECT_EQ(list_.at(2).mark, ' ');
  EXPECT_EQ(list_.at(2).pos, kPosNone);
  EXPECT_EQ(added, std::vector<size_t>{2});
  EXPECT_EQ(changes, 2);
}

TEST_F(DictionaryWindow, PlacementLayoutAndStoredSlots) {
  auto w = Make();
  EXPECT_EQ(w->width(), 300) << "no lesson 1 window yet";
  EXPECT_EQ(w->windowTitle(), "Dictionary");
  EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_FALSE(w->isVisible());
  EXPECT_TRUE(w->SpeedButton14->isChecked());
  SettingsSlots gathered;
  w->GatherSlots(gathered);
  EXPECT_EQ(gathered.get(17), "") << "the default width is stored empty";
  EXPECT_EQ(gathered.get(33), "");
  EXPECT_EQ(gathered.get(43), "");

  lesson1Left_ = 420;
  settings_.set(16, "55");
  settings_.set(18, "333");
  settings_.set(33, "true");
  settings_.set(43, "false");
  auto placed = Make();
  EXPECT_EQ(placed->width(), 420);
  EXPECT_EQ(placed->height(), 333);
  EXPECT_TRUE(placed->isVisible());
  EXPECT_FALSE(placed->SpeedButton14->isChecked());
  // Wide: fixed places; narrow: from the right edge.
  EXPECT_EQ(placed->Edit1->width(), 201);
  EXPECT_EQ(placed->SpeedButton25->x(), 329);
  placed->resize(340, 333);
  EXPECT_EQ(placed->Edit1->width(), 340 - 171);
  EXPECT_EQ(placed->SpeedButton1->x(), 340 - 164);
  EXPECT_EQ(placed->SpeedButton2->x(), 340 - 132);
  EXPECT_EQ(placed->SpeedButton14->x(), 340 - 68);
  EXPECT_EQ(placed->SpeedButton25->x(), 340 - 43);
  placed->GatherSlots(gathered);
  EXPECT_EQ(gathered.get(17), "340");
  EXPECT_EQ(gathered.get(18), "333");
  EXPECT_EQ(gathered.get(33), "true");
  EXPECT_EQ(gathered.get(43), "false");
}

TEST_F(DictionaryWindow, AStoredPlaceBeyondTheScreenIsFittedToIt) {
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  struct Case {
    const char *left, *top, *width, *height;
  } cases[] = {
      {"", "", "2147483647", "2147483647"},
      {"-2147483648", "2147483647", "400", "300"},
      {"50000", "-50000", "-5", "0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.left) + " " + c.top + " " + c.width + " " + c.height);
    settings_.set(15, c.left);
    settings_.set(16, c.top);
    settings_.set(17, c.width);
    settings_.set(18, c.height);
    settings_.set(33, "true");
    auto w = Make();
    const QRect placed = w->frameGeometry();
    EXPECT_LE(w->width(), screen.width());
    EXPECT_LE(w->height(), screen.height());
    EXPECT_GT(w->width(), 0);
    EXPECT_GT(w->height(), 0);
    EXPECT_TRUE(placed.intersects(screen)) << placed.x() << "," << placed.y();
    EXPECT_GE(placed.top(), screen.top());
  }
}

TEST_F(DictionaryWindow, TogglesFollowShowAndHide) {
  auto w = Make();
  QToolButton lesson3, lesson4;
  w->EnrolToggle(&lesson3);
  {
    QToolButton gone;
    w->EnrolToggle(&gone);
  }  // a destroyed toggle drops out
  w->EnrolToggle(&lesson4);
  w->op9();
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(lesson3.isChecked() && lesson4.isChecked());
  w->cl9();
  EXPECT_FALSE(w->isVisible());
  EXPECT_FALSE(lesson3.isChecked() || lesson4.isChecked());
  w->op9();
  w->close();  // the title bar's close box
  EXPECT_FALSE(lesson3.isChecked() || lesson4.isChecked());
}

}  // namespace
}  // namespace lx
