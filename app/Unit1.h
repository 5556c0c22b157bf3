#pragma once
// The main window: runs the start-up sequence, owns the shared data and ends the
// program through the shutdown sequence.
#include <QLabel>
#include <QPixmap>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/sound/soundservice.h"
#include "fonts.h"
#include "instancelock.h"
#include "shareddata.h"

namespace lx {

class TForm1 : public QWidget {
  Q_OBJECT
 public:
  // Runs the start-up sequence (FormCreate) over the data folder `dataDir`.
  explicit TForm1(DataDir dataDir, QWidget* parent = nullptr);

  // Step 3 found another running instance: the program must end at once.
  bool anotherInstance() const { return anotherInstance_; }
  // True when every start-up step ran (no file error stopped the sequence).
  bool startupComplete() const { return startupComplete_; }

  SharedData& shared() { return shared_; }
  // The sound service: every window pronounces through it.
  SoundService& sound() { return *sound_; }
  void playsounds(const std::string& path, int32_t start, int32_t end) { sound_->playsounds(path, start, end); }
  void playnums(int n) { sound_->playnums(n); }
  void playwords(std::string_view word) { sound_->playwords(word); }
  const DataDir& dataDir() const { return shared_.dataDir; }
  // The two pictures of the sound switches: 0 off, 1 on.
  const std::array<QPixmap, 2>& ImageList1() const { return imageList1_; }

  // Windows created later enrol what they keep at shutdown: state gatherers run in
  // step 2 (before info.txt is written), savers in step 4, releasers in step 5.
  void OnShutdownGather(std::function<void(SettingsSlots&)> gather);
  void OnShutdownSave(std::function<void()> save);
  void OnShutdownRelease(std::function<void()> release);

  // The shutdown sequence; runs once, from the close event.
  void Shutdown();

  // How the buttons reach windows created after this one: the HTML window's page
  // opener (a path relative to the data folder's parent, "data\\html\\intro.html") and
  // one opener per lesson 1..7. A button whose window does not exist is disabled.
  void SetPageOpener(std::function<void(const std::string&)> openPage);
  void SetLessonOpener(int lesson, std::function<void()> openLesson);

  void SpeedButton1Click();  // introduction
  void SpeedButton9Click();  // "Выход"
  void sBitBtn1Click();      // download page
  void InfoClick(int lesson);
  void LessonClick(int lesson);

  // First activation after start-up: captions that came out as "?" open the font help page.
  void FirstActivationCheck();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  void FormCreate();
  void BuildControls();
  void UpdateAvailability();
  QToolButton* MakeButton(const char* name, const QString& caption, const QString& hint, QWidget* parent);

  SharedData shared_;
  std::array<QPixmap, 2> imageList1_;
  CourseFonts fonts_;
  std::unique_ptr<InstanceLock> instanceLock_;
  std::unique_ptr<SoundService> sound_;
  bool anotherInstance_ = false;
  bool startupComplete_ = false;
  bool slotsLoaded_ = false;
  bool shutDown_ = false;
  bool activationCheckArmed_ = false;
  std::function<void(const std::string&)> openPage_;
  std::array<std::function<void()>, 7> openLesson_;
  std::array<QToolButton*, 7> lessonButtons_{};
  std::array<QToolButton*, 7> infoButtons_{};
  QToolButton* introButton_ = nullptr;
  QToolButton* downloadButton_ = nullptr;
  std::vector<std::function<void(SettingsSlots&)>> gatherers_;
  std::vector<std::function<void()>> savers_;
  std::vector<std::function<void()>> releasers_;
};

}  // namespace lx
