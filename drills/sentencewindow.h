#pragma once
// The window shared by Practice 4 and 5: instructions at the top, a read-only pane,
// and the next, answer, dictionary and close buttons; z and x (я and ч) stand for
// the first two. It shows what its drill gives and keeps no rules of its own.
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "drills/sentencedrill.h"
#include "lessons/lessonframe.h"
#include "text/panepicker.h"
#include "text/renderer.h"
#include "text/richpane.h"

namespace lx {

struct SentenceWindowLayout {
  const char* objectName;      // "form13"
  QString caption;             // "Practice 4"
  QStringList instructions;    // one label line each
  QString closeHint;           // "Закрыть упражнение урока 4"
  const StyleTable* styles = nullptr;
};

class SentenceWindow : public QWidget {
  Q_OBJECT
 public:
  static constexpr uint32_t kDefaultBackgroundRgb = 0xFFFFFF;
  static constexpr int kBackgroundSlot = 2;

  // Reads "data\noun.txt" and "data\verb.txt"; what cannot be read or used is
  // reported in one error box, and the window works with the rest.
  SentenceWindow(SentenceWindowLayout layout, const LessonContext& context, QWidget* parent = nullptr);
  ~SentenceWindow() override;

  void Button1Click();  // next
  void Button2Click();  // answer
  void SpeedButton41Click();
  void SpeedButton4Click() { close(); }
  // The settings window's Apply: the pane background at once.
  void ApplySettings(const SettingsSlots& settings);
  // Tests put scripted draws here.
  virtual void SetRandom(RandomSource random) = 0;

  const DrillTables& tables() const { return tables_; }
  PanePicker& picker() { return *picker_; }

  std::vector<QLabel*> Labels;
  RichPane* RichEdit1 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton41 = nullptr;
  QToolButton* SpeedButton4 = nullptr;

 protected:
  virtual std::vector<Fragment> NextLines() = 0;
  virtual std::vector<Fragment> AnswerLines() = 0;
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  // The clock-seeded draws of the running program.
  RandomSource ClockRandom();

  DrillTables tables_;

 private:
  void BuildControls();
  void Write(const std::vector<Fragment>& lines);
  void SetBackground(const SettingsSlots& settings);
  // z / я: next; x / ч: answer; anything else is not a drill key.
  bool DrillKey(const QKeyEvent& event);
  void AfterWriting();

  SentenceWindowLayout layout_;
  const SettingsSlots* settings_ = nullptr;
  Tform9* dictionary_ = nullptr;
  std::unique_ptr<MarkupRenderer> renderer_;
  PanePicker* picker_ = nullptr;
  std::mt19937 generator_;
};

}  // namespace lx
