#pragma once
// The main window: runs the start-up sequence, owns the shared data and ends the
// program through the shutdown sequence.
#include <QWidget>
#include <functional>
#include <vector>

#include "fonts.h"
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
  const DataDir& dataDir() const { return shared_.dataDir; }

  // Windows created later enrol what they keep at shutdown: state gatherers run in
  // step 2 (before info.txt is written), savers in step 4, releasers in step 5.
  void OnShutdownGather(std::function<void(SettingsSlots&)> gather);
  void OnShutdownSave(std::function<void()> save);
  void OnShutdownRelease(std::function<void()> release);

  // The shutdown sequence; runs once, from the close event.
  void Shutdown();

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void FormCreate();
  void CentreOnScreen();

  SharedData shared_;
  CourseFonts fonts_;
  bool anotherInstance_ = false;
  bool startupComplete_ = false;
  bool slotsLoaded_ = false;
  bool shutDown_ = false;
  std::vector<std::function<void(SettingsSlots&)>> gatherers_;
  std::vector<std::function<void()>> savers_;
  std::vector<std::function<void()>> releasers_;
};

}  // namespace lx
