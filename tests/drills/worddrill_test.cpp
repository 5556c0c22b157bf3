// Practice 1 and 2 as plain drills: which item each draw gives, what the picture
// and the sound do at next and answer, the pending word of the listening mode, and
// a sound index shorter than the drawn numbers.
#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "drills/worddrill.h"
#include "lessons/phonemetable.h"

namespace lx {
namespace {

// Scripted draws that check each range asked for and count the reseedings.
struct ScriptedRandom : ItemRandom {
  struct Draw {
    int32_t from, to, value;
  };
  std::deque<Draw> draws;
  int reseeds = 0;
  bool drawnSinceReseed = false;

  void Reseed() override {
    ++reseeds;
    drawnSinceReseed = false;
  }
  int32_t Draw(int32_t from, int32_t to) override {
    EXPECT_FALSE(drawnSinceReseed) << "two draws without a reseed";
    drawnSinceReseed = true;
    EXPECT_FALSE(draws.empty()) << "unexpected draw " << from << ".." << to;
    if (draws.empty()) return from;
    const auto d = draws.front();
    draws.pop_front();
    EXPECT_EQ(from, d.from);
    EXPECT_EQ(to, d.to);
    return d.value;
  }
};

// Entry n: word "Wn", transcription "tn", recording "fn.mp3" from 10n to 10n + 5 ms.
SoundIndex NumberedIndex(int count) {
  SoundIndex index;
  for (int n = 1; n <= count; ++n)
    index.Append({"W" + std::to_string(n), "t" + std::to_string(n), "f" + std::to_string(n) + ".mp3", 10 * n,
                  10 * n + 5});
  return index;
}

const SoundIndex& CourseSizedIndex() {
  static const SoundIndex index = NumberedIndex(3600);
  return index;
}

void ExpectPlays(const DrillStep& step, int entry) {
  EXPECT_EQ(step.sound.file, "f" + std::to_string(entry) + ".mp3");
  EXPECT_EQ(step.sound.from, 10 * entry);
  EXPECT_EQ(step.sound.to, 10 * entry + 5);
}

TEST(Practice1Drill, EveryRangeEndGivesItsItemAndRecording) {
  struct Case {
    Practice1Drill::Mode mode;
    int draw;
    const char* word;
    const char* transcription;
    int entry;
  } cases[] = {
      {Practice1Drill::Mode::Sounds, 1, "", "[a:]", PhonemeTable::Number(1)->entry},
      {Practice1Drill::Mode::Sounds, 44, "", "[h]", PhonemeTable::Number(44)->entry},
      {Practice1Drill::Mode::Words, 1, "W1", "[t1]", 1},
      {Practice1Drill::Mode::Words, 3388, "W3388", "[t3388]", 3388},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.draw);
    Practice1Drill drill(CourseSizedIndex());
    drill.SetMode(c.mode);
    ScriptedRandom random;
    const int last = c.mode == Practice1Drill::Mode::Sounds ? 44 : 3388;
    random.draws = {{1, last, c.draw}};
    const DrillStep shown = drill.Next(random);
    EXPECT_EQ(random.reseeds, 1);
    EXPECT_TRUE(shown.clearPicture);
    EXPECT_EQ(shown.word, c.word);
    EXPECT_EQ(shown.transcription, c.transcription);
    EXPECT_TRUE(shown.sound.file.empty()) << "the item is heard only on request";
    // The answer plays without touching the picture, as often as asked.
    for (int press = 0; press < 2; ++press) {
      const DrillStep heard = drill.Answer();
      EXPECT_FALSE(heard.clearPicture);
      EXPECT_TRUE(heard.word.empty() && heard.transcription.empty() && heard.lookUp.empty());
      ExpectPlays(heard, c.entry);
    }
  }
}

TEST(Practice1Drill, AnswerBeforeTheFirstItemDoesNothing) {
  Practice1Drill drill(CourseSizedIndex());
  const DrillStep step = drill.Answer();
  EXPECT_TRUE(step.sound.file.empty());
  EXPECT_FALSE(step.clearPicture);
}

TEST(Practice1Drill, AShortIndexGivesEmptyItemsInsteadOfReadingPastIt) {
  const SoundIndex shortIndex = NumberedIndex(10);
  Practice1Drill drill(shortIndex);
  ScriptedRandom random;
  random.draws = {{1, 3388, 3388}, {1, 44, 44}};
  drill.SetMode(Practice1Drill::Mode::Words);
  DrillStep step = drill.Next(random);
  EXPECT_TRUE(step.clearPicture);
  EXPECT_EQ(step.word, "");
  EXPECT_EQ(step.transcription, "");
  EXPECT_TRUE(drill.Answer().sound.file.empty());
  // A sound's code is the lesson's own; only its recording is missing.
  drill.SetMode(Practice1Drill::Mode::Sounds);
  step = drill.Next(random);
  EXPECT_EQ(step.transcription, "[h]");
  EXPECT_TRUE(drill.Answer().sound.file.empty());
}

TEST(Practice2Drill, ReadingShowsTheWordThenItsTranscriptionAndPronouncesItInTheDictionary) {
  SoundIndex index = NumberedIndex(1311);
  Practice2Drill drill(index);
  ScriptedRandom random;
  for (int end : {1, 1311}) {
    SCOPED_TRACE(end);
    random.draws = {{1, 1311, end}};
    const DrillStep shown = drill.Next(random);
    EXPECT_TRUE(shown.clearPicture);
    EXPECT_EQ(shown.word, "W" + std::to_string(end));
    EXPECT_EQ(shown.transcription, "");
    EXPECT_TRUE(shown.sound.file.empty());
    // Pressed twice: drawn again in the same place, looked up again.
    for (int press = 0; press < 2; ++press) {
      const DrillStep answer = drill.Answer();
      EXPECT_FALSE(answer.clearPicture) << "the transcription goes under the word";
      EXPECT_EQ(answer.word, "");
      EXPECT_EQ(answer.transcription, "[t" + std::to_string(end) + "]");
      EXPECT_EQ(answer.lookUp, "w" + std::to_string(end)) << "looked up in lower case";
      EXPECT_TRUE(answer.lookUpSpeaks);
    }
  }
  EXPECT_EQ(random.reseeds, 2);
  EXPECT_FALSE(drill.listenPending());
}

TEST(Practice2Drill, ListeningReplaysThePendingWordUntilItIsRevealed) {
  SoundIndex index = NumberedIndex(1311);
  Practice2Drill drill(index);
  drill.SetMode(Practice2Drill::Mode::Listen);
  ScriptedRandom random;
  random.draws = {{1, 1311, 1311}};
  for (int press = 0; press < 2; ++press) {
    const DrillStep heard = drill.Next(random);
    EXPECT_TRUE(heard.clearPicture);
    EXPECT_TRUE(heard.word.empty() && heard.transcription.empty());
    ExpectPlays(heard, 1311);
    EXPECT_TRUE(drill.listenPending());
  }
  EXPECT_EQ(random.reseeds, 2) << "reseeded at every next, also when replaying";

  // Switching modes back and forth keeps the word pending.
  drill.SetMode(Practice2Drill::Mode::Read);
  drill.SetMode(Practice2Drill::Mode::Listen);
  EXPECT_TRUE(drill.listenPending());
  ExpectPlays(drill.Next(random), 1311);

  const DrillStep revealed = drill.Answer();
  EXPECT_FALSE(drill.listenPending());
  EXPECT_TRUE(revealed.clearPicture);
  EXPECT_EQ(revealed.word, "W1311");
  EXPECT_EQ(revealed.transcription, "[t1311]");
  EXPECT_EQ(revealed.lookUp, "w1311");
  EXPECT_FALSE(revealed.lookUpSpeaks) << "the word was heard already";
  EXPECT_TRUE(revealed.sound.file.empty());

  // After the answer, next draws a new word.
  random.draws = {{1, 1311, 1}};
  ExpectPlays(drill.Next(random), 1);
  EXPECT_TRUE(random.draws.empty());
}

TEST(Practice2Drill, AnswerWithoutAUsableEntryStops) {
  const SoundIndex shortIndex = NumberedIndex(5);
  Practice2Drill drill(shortIndex);
  // Before the first word.
  DrillStep step = drill.Answer();
  EXPECT_FALSE(step.clearPicture);
  EXPECT_TRUE(step.lookUp.empty() && step.transcription.empty());

  // A number beyond the index: nothing drawn, nothing played, the pending flag cleared.
  drill.SetMode(Practice2Drill::Mode::Listen);
  ScriptedRandom random;
  random.draws = {{1, 1311, 700}};
  step = drill.Next(random);
  EXPECT_TRUE(step.sound.file.empty());
  EXPECT_TRUE(drill.listenPending());
  step = drill.Answer();
  EXPECT_FALSE(drill.listenPending());
  EXPECT_FALSE(step.clearPicture);
  EXPECT_TRUE(step.lookUp.empty() && step.word.empty());
}

}  // namespace
}  // namespace lx
