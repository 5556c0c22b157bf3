#pragma once
// Lesson 2: how English letters and letter groups are read. Eleven letter buttons
// and four buttons for letter combinations; a letter topic lists the readings of
// the letter, each with its sound, its rule and example words with the letter
// marked. Every press renders its text again. The dictionary shows the
// transcription of the last word looked up in the label under the buttons.
#include <QLabel>
#include <QString>
#include <QToolButton>
#include <vector>

#include "lessons/lessonframe.h"

namespace lx {

class Tform7 : public LessonFrame {
  Q_OBJECT
 public:
  // Text ids: 1 the description, 2-12 the letters in the order of the table below,
  // 13-16 the combinations.
  static constexpr int kFirstLetter = 2;
  static constexpr int kConsonants = 13;
  static constexpr int kWithR = 14;
  static constexpr int kVowels = 15;
  static constexpr int kOthers = 16;

  // One letter button: control name, caption, place, and the text it shows.
  struct LetterButton {
    const char* name;
    const char* caption;
    int x, y;
    int id;
  };
  static const std::vector<LetterButton>& Letters();

  explicit Tform7(LessonContext context, QWidget* parent = nullptr);

  void SpeedButton2Click() { ShowLetter(2); }   // Aa
  void SpeedButton3Click() { ShowLetter(3); }   // Ee
  void SpeedButton5Click() { ShowLetter(4); }   // Ii
  void SpeedButton6Click() { ShowLetter(5); }   // Yy
  void SpeedButton7Click() { ShowLetter(6); }   // Oo
  void SpeedButton8Click() { ShowLetter(7); }   // Uu
  void SpeedButton9Click() { ShowLetter(8); }   // Cc
  void SpeedButton10Click() { ShowLetter(9); }  // Gg
  void SpeedButton13Click() { ShowLetter(10); } // Xx
  void SpeedButton11Click() { ShowLetter(11); } // Ss
  void SpeedButton12Click() { ShowLetter(12); } // Qq
  void SpeedButton14Click() { ShowCombination(kConsonants); }
  void SpeedButton15Click() { ShowCombination(kWithR); }
  void SpeedButton16Click() { ShowCombination(kVowels); }
  void SpeedButton17Click() { ShowCombination(kOthers); }

  // The combination buttons are the frame's topic buttons.
  void ShowTopic(int id) override;

  // The transcription of the last English word the dictionary looked up.
  QLabel* Label1 = nullptr;

 private:
  void ShowLetter(int id);
  void ShowCombination(int id);
  // Writes the lines of text `id` after an empty line each: the readings or entries.
  void WriteEntries(int id, bool firstIsHeading);
  void FinishTopic();

  std::vector<QToolButton*> letterButtons_;
};

}  // namespace lx
