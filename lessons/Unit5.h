#pragma once
// The alphabet window: one button per Latin letter. A button shows the letter in
// both cases with the transcription of its name in the picture area, and plays
// the name.
#include <QImage>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>

namespace lx {

struct AlphabetLetter {
  const char* caption;        // "Aa"
  const char* pair;           // "A a"
  const char* transcription;  // "[eI]", letter codes of the PhoneticTM font
  int entry;                  // sound index entry of the name
};

class Tform5 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kLetters = 26;
  static const std::array<AlphabetLetter, kLetters>& Letters();

  // `playnums` plays a sound index entry (the sound service's).
  explicit Tform5(std::function<void(int entry)> playnums, QWidget* parent = nullptr);

  // Letter k = 0 (A) .. 25 (Z).
  void LetterClick(int k);
  void Button27Click() { close(); }
  QToolButton* LetterButton(int k) const;

  // What the picture area shows.
  const QImage& picture() const { return picture_; }

  QWidget* Image1 = nullptr;
  QWidget* Panel1 = nullptr;
  QToolButton* SpeedButton27 = nullptr;

 private:
  void ClearPicture();

  std::function<void(int)> playnums_;
  std::array<QToolButton*, kLetters> buttons_{};
  QImage picture_;
};

}  // namespace lx
