#pragma once
// Practice 3, the drill window of lesson 3: six kinds of grammar tasks chosen with
// radio buttons; z (or "Дальше...") writes a random task into the pane, x (or
// "Ответ") writes its answer under it. A thin view over Practice3Drill.
#include <QLabel>
#include <QRadioButton>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <memory>

#include "app/core/datadir.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"
#include "drills/practice3.h"
#include "text/panepicker.h"
#include "text/renderer.h"
#include "text/richpane.h"

namespace lx {

class TForm21;
class Tform9;

// What the window works with; everything outlives it.
struct Practice3Context {
  DataDir dataDir;
  const SettingsSlots* settings = nullptr;
  const SoundIndex* soundIndex = nullptr;
  Tform9* dictionary = nullptr;  // the dictionary toggle and op9/cl9
  TForm21* help = nullptr;       // hides the pane's caret every second
  PickHandlers pickHandlers;     // where picked words go
};

class Tform11 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 571;
  static constexpr int kClientHeight = 350;
  static constexpr uint32_t kDefaultBackgroundRgb = 0xFFFFFF;

  explicit Tform11(Practice3Context context, QWidget* parent = nullptr);
  ~Tform11() override;

  void Button1Click();  // next task
  void Button2Click();  // answer
  // Selects drill kind 1..6 (RadioButton1Click .. RadioButton6Click).
  void SelectKind(DrillKind kind);
  void SpeedButton41Click();  // dictionary toggle
  void SpeedButton4Click();   // close: hides the window

  // The settings window's Apply: the pane background (slot 2).
  void ApplySettings(const SettingsSlots& settings);
  // Tests draw from their own source; by default a generator seeded from the clock.
  void SetRandomSource(RandomSource random) { random_ = std::move(random); }

  const Practice3Data& data() const { return data_; }
  const Practice3Drill& drill() const { return drill_; }

  QLabel* Label1 = nullptr;
  RichPane* RichEdit1 = nullptr;
  std::array<QRadioButton*, 6> RadioButtons{};  // RadioButton1 .. RadioButton6
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton4 = nullptr;
  QToolButton* SpeedButton41 = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void FormCreate();
  // z: next task, x: answer (also on a Russian layout); true when the key was one of them.
  bool DrillKey(const QKeyEvent& key);
  void Write(const std::vector<Fragment>& fragments);
  void ShowPaneAndHideCaret();
  void SetBackground(const SettingsSlots& settings);

  Practice3Context context_;
  Practice3Data data_;
  Practice3Drill drill_{data_};
  RandomSource random_;
  std::unique_ptr<MarkupRenderer> renderer_;
  PanePicker* picker_ = nullptr;
};

}  // namespace lx
