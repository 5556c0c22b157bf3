#pragma once
// Lesson 1: the 44 sounds. The lesson frame with a grid of sound buttons in place
// of topics and a drawing strip under the pane. A sound button shows the sound's
// symbol and a note on how it is made, draws the speech organs as they are before
// the sound, plays it and, after the sound's pause, draws them as they are while
// it is heard. The waits run on timers, so the window never blocks.
#include <QPointer>
#include <QTimer>
#include <array>
#include <string>

#include "lessons/lessonframe.h"
#include "lessons/phonemetable.h"
#include "lessons/soundstrip.h"

namespace lx {

class Tform4 : public LessonFrame {
  Q_OBJECT
 public:
  static constexpr int kPanelWidth = 329;
  static constexpr int kSoundStripHeight = 225;   // while a sound is shown
  static constexpr int kCollapsedStripHeight = 1;  // with the description
  static constexpr int kDesignStripHeight = 164;
  static constexpr int kStartDelayMs = 100;       // from the press to the sound
  static constexpr int kRightPictureOffset = 215;  // from the strip's right edge
  static constexpr int kLeftPictureOffset = 360;

  explicit Tform4(LessonContext context, QWidget* parent = nullptr);

  // Where the window stands when it is created: the dictionary takes its default
  // width from it.
  static QPoint CreatedPlace();

  // Sound 1..44 (the sound's row of the phoneme table).
  void SoundClick(int number);
  // Draws the strip from the window's state.
  void PaintBox1Paint();
  // The alphabet window.
  void SpeedButton44Click();
  void SetAlphabetWindow(QWidget* window);

  QToolButton* SoundButton(int number) const;
  int rightPicture() const { return rightPicture_; }
  int leftPicture() const { return leftPicture_; }
  const std::string& shownSymbol() const { return shownSymbol_; }
  // A sound's second pair of pictures is still to come.
  bool soundPending() const { return startTimer_.isActive() || pauseTimer_.isActive(); }

  QWidget* Panel2 = nullptr;
  SoundStrip* PaintBox1 = nullptr;
  QToolButton* SpeedButton90 = nullptr;  // alphabet

 protected:
  void TextRendered(int id) override;
  void PlaceText(const QRect& area) override;

 private:
  void BuildLessonControls();
  void StartSound();
  void ShowDuringPictures();
  void SetStripHeight(int height);
  void DrawRightPicture(int position);
  void DrawLeftPicture(int position);
  void DrawSymbolBox(const std::string& code);
  void DrawCaption();
  void WriteSoundNote(const Phoneme& row);
  const QImage& Picture(int position) const;

  std::array<QToolButton*, PhonemeTable::kCount> soundButtons_{};
  QPointer<QWidget> alphabet_;
  int stripHeight_ = kDesignStripHeight;
  int rightPicture_ = 0;
  int leftPicture_ = 0;
  std::string shownSymbol_;
  const Phoneme* sounding_ = nullptr;  // the sound whose timers run
  unsigned presses_ = 0;               // tells a press apart from the one it interrupted
  QTimer startTimer_;
  QTimer pauseTimer_;
};

}  // namespace lx
