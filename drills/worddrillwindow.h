#pragma once
// The window shared by Practice 1 and 2: two instruction lines on a top panel, the
// picture area, and a bottom panel with the next and answer buttons, the two mode
// choices and the close button. z and x (я and ч, in either case) stand for next
// and answer; the mode choices are the only controls that take the focus, so the
// keys work whenever the window is active. The window carries out its drill's
// steps and keeps no rules of its own.
#include <QColor>
#include <QFont>
#include <QImage>
#include <QLabel>
#include <QRadioButton>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <memory>
#include <vector>

#include "drills/worddrill.h"
#include "lessons/lessonframe.h"

namespace lx {

class SoundService;

// The picture area: a bitmap that is cleared and drawn on, and the texts drawn
// since the last clearing (what a learner reads there).
class DrillPicture : public QWidget {
  Q_OBJECT
 public:
  struct Text {
    QString text;
    QPoint at;
    QColor colour;
  };

  explicit DrillPicture(QWidget* parent);
  // Fills with `background` and frames the whole rectangle in black.
  void Clear(const QColor& background);
  void DrawText(const QString& text, QPoint at, const QFont& font, const QColor& colour);

  const QImage& image() const { return image_; }
  const std::vector<Text>& texts() const { return texts_; }
  const QColor& background() const { return background_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  QImage image_;
  QColor background_ = Qt::white;
  std::vector<Text> texts_;
};

// The context's sound index, or an empty one.
const SoundIndex& SoundIndexOf(const LessonContext& context);

struct WordDrillLayout {
  const char* objectName;  // "form6"
  QString caption;         // "Practice 1"
  int width;               // client width
  QString instruction1, instruction2;
  QString nextHint;
  QString mode1, mode2;    // the captions of the two mode choices
  QString closeHint;
  bool writingButton;      // Practice 2's "Написание"
};

class WordDrillWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHeight = 221;
  static constexpr int kBackgroundSlot = 2;
  static constexpr uint32_t kDefaultBackgroundRgb = 0xFFFFFF;
  static constexpr QPoint kWordAt{100, 15};
  static constexpr QPoint kTranscriptionAt{100, 65};

  WordDrillWindow(WordDrillLayout layout, const LessonContext& context, SoundService* sound,
                  QWidget* parent = nullptr);
  ~WordDrillWindow() override;

  void Button1Click();  // next
  void Button2Click();  // answer
  void Button3Click() { hide(); }
  // Tests put scripted draws here.
  void SetRandom(ItemRandom* random) { random_ = random; }

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QWidget* Panel1 = nullptr;
  QWidget* Panel2 = nullptr;
  DrillPicture* Image1 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QToolButton* SpeedButton4 = nullptr;  // Practice 2 only
  QRadioButton* RadioButton1 = nullptr;
  QRadioButton* RadioButton2 = nullptr;

 protected:
  virtual DrillStep NextStep(ItemRandom& random) = 0;
  virtual DrillStep AnswerStep() = 0;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildControls();
  void Carry(const DrillStep& step);
  void ClearPicture();
  // z / я: next; x / ч: answer; anything else is not a drill key.
  bool DrillKey(const QKeyEvent& event);

  WordDrillLayout layout_;
  const SettingsSlots* settings_ = nullptr;
  DataDir dataDir_;
  Tform9* dictionary_ = nullptr;
  SoundService* sound_ = nullptr;
  ClockItemRandom clockRandom_;
  ItemRandom* random_ = &clockRandom_;
};

}  // namespace lx
