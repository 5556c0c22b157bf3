// Practice 1 and 2 on real widgets: the picture area, the keys on both keyboard
// layouts, the settings colour, and what is heard. Every recording of the fixture
// has its own length, so the stream the sound service opened names the recording;
// the dictionary is a real window whose pronunciations go to the same service.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QRadioButton>
#include <QToolButton>
#include <deque>
#include <filesystem>
#include <memory>

#include "app/core/cp1251.h"
#include "app/core/qtext.h"
#include "app/sound/soundservice.h"
#include "audio/audio.h"
#include "dictionary/Unit9.h"
#include "drills/Unit6.h"
#include "drills/Unit8.h"
#include "lessons/phonemetable.h"
#include "support/qtapp.h"
#include "support/silence.h"

namespace lx {
namespace {

namespace fs = std::filesystem;

struct ScriptedRandom : ItemRandom {
  std::deque<int32_t> values;
  int reseeds = 0;
  void Reseed() override { ++reseeds; }
  int32_t Draw(int32_t from, int32_t) override {
    EXPECT_FALSE(values.empty());
    if (values.empty()) return from;
    const int32_t v = values.front();
    values.pop_front();
    return v;
  }
};

// Sound index entries that have a recording; every other entry up to 3560 is a
// word without one.
struct Recorded {
  int entry;
  const char* word;
  const char* transcription;
  const char* file;
  int ms;
};
constexpr Recorded kRecorded[] = {
    {1, "apple", "'xpl", "apple.wav", 300},
    {1311, "Bristol", "'brIstl", "bristol.wav", 400},
    {3388, "zebra", "'zi:brq", "zebra.wav", 500},
    {3391, "a:", "a:", "sound1.wav", 600},    // lesson 1, sound 1
    {3488, "tS", "tS", "sound35.wav", 700},   // lesson 1, sound 35
    {3456, "h", "h", "sound44.wav", 800},     // lesson 1, sound 44
};

class WordDrillWindows : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    test::App();
    BASS_Init(1, 44100, 4, nullptr, nullptr);
    dir_ = fs::temp_directory_path() / ("lexitar-worddrills-" + std::to_string(getpid()));
    fs::create_directories(dir_ / "data");
    for (const Recorded& r : kRecorded) test::WriteSilence(dir_ / "data" / r.file, r.ms);
  }
  static void TearDownTestSuite() { fs::remove_all(dir_); }

  void SetUp() override {
    for (int n = 1; n <= 3560; ++n) sounds_.Append({"w" + std::to_string(n), "t", "", 0, 0});
    SoundIndex filled;
    for (int n = 1; n <= 3560; ++n) {
      tsou e = sounds_.entry(n);
      for (const Recorded& r : kRecorded)
        if (r.entry == n) e = {r.word, r.transcription, r.file, 0, r.ms};
      filled.Append(e);
    }
    sounds_ = filled;
    english_.Append({"apple", "'xpl", Utf8ToCp1251("яблоко") + "<br>", ""});
    english_.Append({"bristol", "'brIstl", Utf8ToCp1251("Бристоль") + "<br>", ""});
    sound_ = std::make_unique<SoundService>(sounds_, DataDir(dir_.string()));
    DictionaryContext d;
    d.dictTable = &english_;
    d.dict2Table = &russian_;
    d.soundIndex = &sounds_;
    d.sound = sound_.get();
    d.settings = &settings_;
    d.lesson6List = &list_;
    dictionary_ = std::make_unique<Tform9>(d);
    dictionary_->Edit1->clear();
    context_.dataDir = DataDir(dir_.string());
    context_.settings = &settings_;
    context_.soundIndex = &sounds_;
    context_.dictionary = dictionary_.get();
  }

  template <class Window>
  std::unique_ptr<Window> Make() {
    auto w = std::make_unique<Window>(context_, sound_.get());
    w->SetRandom(&random_);
    return w;
  }

  // The recording opened since `before`, named by its length; "" when none was.
  std::string PlayedSince(AudioHandle before) const {
    const AudioHandle h = sound_->AudioChannel();
    if (h == 0 || h == before) return "";
    const int ms = static_cast<int>(BASS_ChannelBytes2Seconds(h, BASS_ChannelGetLength(h)) * 1000 + 0.5);
    for (const Recorded& r : kRecorded)
      if (r.ms == ms) return r.file;
    return "?";
  }

  // Types `text` into the focused mode choice.
  static void Key(QWidget& target, const QString& text) {
    QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, text);
    QApplication::sendEvent(&target, &press);
  }

  // The texts in the picture area: text, x, y and whether red (else blue).
  struct Shown {
    std::string text;
    int x, y;
    bool red;
    bool operator==(const Shown&) const = default;
  };
  static std::vector<Shown> Texts(const WordDrillWindow& w) {
    std::vector<Shown> shown;
    for (const DrillPicture::Text& t : w.Image1->texts()) {
      EXPECT_TRUE(t.colour == QColor(255, 0, 0) || t.colour == QColor(0, 0, 255));
      shown.push_back({FromQ(t.text), t.at.x(), t.at.y(), t.colour == QColor(255, 0, 0)});
    }
    return shown;
  }
  static int CountPixels(const QImage& image, QColor colour) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += image.pixelColor(x, y) == colour;
    return n;
  }

  static inline fs::path dir_;
  SoundIndex sounds_;
  DictTable english_;
  Dict2Table russian_;
  SettingsSlots settings_;
  WordList list_;
  std::unique_ptr<SoundService> sound_;
  std::unique_ptr<Tform9> dictionary_;
  LessonContext context_;
  ScriptedRandom random_;
};

TEST_F(WordDrillWindows, WindowsAreFixedOnTopAndOnlyTheModeChoicesTakeTheFocus) {
  auto p1 = Make<Tform6>();
  auto p2 = Make<Tform8>();
  for (WordDrillWindow* w : std::initializer_list<WordDrillWindow*>{p1.get(), p2.get()}) {
    SCOPED_TRACE(w->windowTitle().toStdString());
    EXPECT_TRUE(w->windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_EQ(w->minimumSize(), w->maximumSize());
    EXPECT_EQ(w->height(), 221);
    EXPECT_TRUE(w->RadioButton1->isChecked());
    for (QWidget* child : w->findChildren<QWidget*>()) {
      const bool radio = qobject_cast<QRadioButton*>(child) != nullptr;
      EXPECT_EQ(child->focusPolicy() != Qt::NoFocus, radio) << child->objectName().toStdString();
    }
  }
  EXPECT_EQ(p1->width(), 400);
  EXPECT_EQ(p2->width(), 401);
  EXPECT_EQ(p1->windowTitle(), "Practice 1");
  EXPECT_EQ(p2->windowTitle(), "Practice 2");
  EXPECT_EQ(p2->Label1->text(), "Потренируйтесь самостоятельно читать aнглийские слова,");
  EXPECT_TRUE(p2->Label1->text().contains(QChar('a')));  // the Latin "a"
}

TEST_F(WordDrillWindows, Practice1SoundsShowTheCodeAloneAndPlayTheLessonRecording) {
  auto w = Make<Tform6>();
  for (int sound : {1, 35, 44}) {
    SCOPED_TRACE(sound);
    const Phoneme* p = PhonemeTable::Number(sound);
    random_.values = {sound};
    Key(*w->RadioButton1, "z");
    EXPECT_EQ(Texts(*w), (std::vector<Shown>{{p->code, 100, 65, true}}));
    EXPECT_GT(CountPixels(w->Image1->image(), QColor(255, 0, 0)), 0);
    EXPECT_EQ(CountPixels(w->Image1->image(), QColor(0, 0, 255)), 0);
    const std::string recording = "sound" + std::to_string(sound) + ".wav";
    EXPECT_EQ(PlayedSince(sound_->AudioChannel()), "") << "nothing heard before x";
    // x plays the lesson 1 recording of the sound, every time it is pressed.
    for (int press = 0; press < 2; ++press) {
      const AudioHandle before = sound_->AudioChannel();
      Key(*w->RadioButton1, "x");
      EXPECT_EQ(PlayedSince(before), recording);
    }
  }
}

TEST_F(WordDrillWindows, Practice1WordsShowTheWordAndItsTranscription) {
  auto w = Make<Tform6>();
  w->RadioButton2->click();
  struct Case {
    int entry;
    const char* word;
    const char* transcription;
    const char* recording;
  } cases[] = {{1, "apple", "['xpl]", "apple.wav"}, {3388, "zebra", "['zi:brq]", "zebra.wav"}};
  for (const Case& c : cases) {
    random_.values = {c.entry};
    w->SpeedButton2->click();
    EXPECT_EQ(Texts(*w), (std::vector<Shown>{{c.word, 100, 15, false}, {c.transcription, 100, 65, true}}));
    const AudioHandle before = sound_->AudioChannel();
    w->SpeedButton3->click();
    EXPECT_EQ(PlayedSince(before), c.recording);
  }
  EXPECT_EQ(random_.reseeds, 2);
}

TEST_F(WordDrillWindows, Practice2ListeningPlaysTheWordUntilItIsRevealed) {
  auto w = Make<Tform8>();
  w->RadioButton2->click();
  EXPECT_FALSE(w->SpeedButton4->isHidden());
  EXPECT_TRUE(w->SpeedButton3->isHidden());
  EXPECT_EQ(w->SpeedButton4->y(), 8);
  EXPECT_EQ(w->SpeedButton4->x(), w->SpeedButton3->x());
  random_.values = {1311};
  for (int press = 0; press < 2; ++press) {
    const AudioHandle before = sound_->AudioChannel();
    Key(*w->RadioButton2, "z");
    EXPECT_EQ(PlayedSince(before), "bristol.wav") << "press " << press;
    EXPECT_TRUE(Texts(*w).empty());
  }
  // Switching to reading and back keeps the word pending: z plays it again.
  w->RadioButton1->click();
  EXPECT_EQ(w->SpeedButton4->y(), 100);
  EXPECT_TRUE(w->SpeedButton4->isHidden());
  EXPECT_FALSE(w->SpeedButton3->isHidden());
  w->RadioButton2->click();
  AudioHandle before = sound_->AudioChannel();
  Key(*w->RadioButton2, "z");
  EXPECT_EQ(PlayedSince(before), "bristol.wav");

  // x shows the word; the dictionary shows it in lower case without saying it again.
  before = sound_->AudioChannel();
  Key(*w->RadioButton2, "x");
  EXPECT_EQ(Texts(*w), (std::vector<Shown>{{"Bristol", 100, 15, false}, {"['brIstl]", 100, 65, true}}));
  EXPECT_EQ(dictionary_->Edit1->text(), "bristol");
  EXPECT_TRUE(dictionary_->SpeakOnLookup);
  EXPECT_EQ(PlayedSince(before), "");

  // The next z draws a new word.
  random_.values = {1};
  before = sound_->AudioChannel();
  Key(*w->RadioButton2, "z");
  EXPECT_EQ(PlayedSince(before), "apple.wav");
  EXPECT_TRUE(Texts(*w).empty());
  EXPECT_TRUE(random_.values.empty());
  // A word the dictionary could pronounce is not said a second time either.
  before = sound_->AudioChannel();
  Key(*w->RadioButton2, "x");
  EXPECT_EQ(dictionary_->Edit1->text(), "apple");
  EXPECT_EQ(PlayedSince(before), "");
  EXPECT_TRUE(dictionary_->SpeakOnLookup);
}

TEST_F(WordDrillWindows, Practice2ReadingDrawsTheTranscriptionUnderTheWordAndLooksItUp) {
  auto w = Make<Tform8>();
  random_.values = {1};
  AudioHandle before = sound_->AudioChannel();
  w->Button1Click();
  EXPECT_EQ(PlayedSince(before), "");
  EXPECT_EQ(Texts(*w), (std::vector<Shown>{{"apple", 100, 15, false}}));
  std::vector<Shown> expected = {{"apple", 100, 15, false}};
  for (int press = 0; press < 2; ++press) {
    dictionary_->Edit1->clear();
    before = sound_->AudioChannel();
    w->SpeedButton3->click();
    expected.push_back({"['xpl]", 100, 65, true});
    EXPECT_EQ(Texts(*w), expected) << "drawn again in the same place, the word kept";
    EXPECT_EQ(dictionary_->Edit1->text(), "apple");
    EXPECT_EQ(PlayedSince(before), "apple.wav") << "the dictionary pronounces it";
  }
}

TEST_F(WordDrillWindows, KeysWorkOnBothLayoutsAndInBothCases) {
  auto w = Make<Tform6>();
  w->RadioButton2->click();
  for (const char* next : {"z", "Z", "я", "Я"}) {
    random_.values = {1};
    const int reseeds = random_.reseeds;
    w->Image1->Clear(Qt::gray);
    Key(*w->RadioButton2, QString::fromUtf8(next));
    EXPECT_EQ(random_.reseeds, reseeds + 1) << next;
    EXPECT_EQ(Texts(*w).size(), 2u) << next;
  }
  for (const char* answer : {"x", "X", "ч", "Ч"}) {
    const AudioHandle before = sound_->AudioChannel();
    Key(*w->RadioButton1, QString::fromUtf8(answer));
    EXPECT_EQ(PlayedSince(before), "apple.wav") << answer;
  }
  const int reseeds = random_.reseeds;
  const AudioHandle before = sound_->AudioChannel();
  Key(*w->RadioButton1, "a");
  EXPECT_EQ(random_.reseeds, reseeds);
  EXPECT_EQ(PlayedSince(before), "");
}

TEST_F(WordDrillWindows, AnswerBeforeTheFirstItemDoesNothing) {
  auto p1 = Make<Tform6>();
  auto p2 = Make<Tform8>();
  for (WordDrillWindow* w : std::initializer_list<WordDrillWindow*>{p1.get(), p2.get()}) {
    for (QRadioButton* mode : {w->RadioButton1, w->RadioButton2}) {
      mode->click();
      const AudioHandle before = sound_->AudioChannel();
      Key(*mode, "x");
      EXPECT_EQ(PlayedSince(before), "");
      EXPECT_TRUE(Texts(*w).empty());
      EXPECT_TRUE(dictionary_->Edit1->text().isEmpty());
    }
  }
}

TEST_F(WordDrillWindows, EveryClearingReadsTheBackgroundFromTheSettings) {
  auto w = Make<Tform8>();
  auto corner = [&] { return w->Image1->image().pixelColor(5, 5); };
  EXPECT_EQ(corner(), QColor(Qt::white)) << "an empty slot is white";
  EXPECT_EQ(w->Image1->image().pixelColor(0, 0), QColor(Qt::black)) << "the frame";
  const struct {
    QColor colour;
    bool listening;
  } cases[] = {{QColor(200, 230, 255), false}, {QColor(255, 255, 160), true}};
  for (const auto& c : cases) {
    settings_.set(2, std::to_string(StoredColor(static_cast<uint8_t>(c.colour.red()),
                                                static_cast<uint8_t>(c.colour.green()),
                                                static_cast<uint8_t>(c.colour.blue()))));
    (c.listening ? w->RadioButton2 : w->RadioButton1)->click();
    random_.values = {1};
    w->Button1Click();
    EXPECT_EQ(corner(), c.colour);
    EXPECT_EQ(w->Image1->image().pixelColor(0, 0), QColor(Qt::black));
    EXPECT_EQ(w->Image1->image().pixelColor(w->Image1->width() - 1, w->Image1->height() - 1), QColor(Qt::black));
    // The reveal in listening mode clears again, with the colour of that moment.
    w->Button2Click();
    EXPECT_EQ(corner(), c.colour);
    if (!Texts(*w).empty()) {
      EXPECT_GT(CountPixels(w->Image1->image(), QColor(0, 0, 255)), 0);
    }
  }
}

}  // namespace
}  // namespace lx
