#pragma once
// Lesson 7, the bilingual reader: the English text, its Russian translation and the
// audiobook, linked by control points and by the sentence alignment. The window is a
// view over the project, the alignment and the transport (reader/transport.h).
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QSlider>
#include <QSplitter>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <string>

#include "app/core/datadir.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"
#include "reader/alignment.h"
#include "reader/project.h"
#include "reader/readerstream.h"
#include "reader/transport.h"
#include "text/panepicker.h"
#include "text/richpane.h"
#include "vocabulary/wordlist.h"

namespace lx {

class Tform9;
class TForm21;
class UpDown;

// What the reader works with; everything outlives the window.
struct ReaderContext {
  DataDir dataDir;
  SettingsSlots* settings = nullptr;  // slots 41 and 42 are written at once
  const SoundIndex* soundIndex = nullptr;
  Tform9* dictionary = nullptr;
  TForm21* help = nullptr;
  QWidget* settingsWindow = nullptr;
  WordList* wordList = nullptr;       // the lesson 6 list
  PickHandlers pickHandlers;          // the dictionary's: pronounce, entry field, LookUp
  std::array<QPixmap, 2> soundPictures;  // the main window's image list: 0 off, 1 on
  // Selects row `row` of the lesson 6 grid (when that window exists).
  std::function<void(int row)> selectLesson6Row;
  // The platform's error box (file and conversion errors).
  std::function<void(const QString& message)> showError;
  // The progress window of long jobs: shown with the action of its cancel button,
  // stepped in percent, hidden. Without them a job runs with no window.
  std::function<void(std::function<void()> cancel)> progressBegin;
  std::function<void(int percent)> progressStep;
  std::function<void()> progressEnd;
};

// The file dialogs, replaceable by tests. An empty result means cancelled.
struct ReaderDialogs {
  std::function<std::string(const QString& filter)> openFile;
  std::function<std::string(const QString& filter, const QString& defaultSuffix)> saveFile;
  // A yes-or-no question; true for yes.
  std::function<bool(const QString& question)> confirm;
};

class TForm2 : public QWidget, private TransportView {
  Q_OBJECT
 public:
  explicit TForm2(ReaderContext context, QWidget* parent = nullptr);
  ~TForm2() override;

  void SetDialogs(ReaderDialogs dialogs) { dialogs_ = std::move(dialogs); }

  // Texts and projects.
  // Selects a row of the word grid without looking its word up (a word another
  // window added to the list).
  void SelectWordRow(int row);
  void SpeedButton13Click();  // load the English text
  void SpeedButton19Click();  // load the Russian text
  bool LoadEnglishText(const std::string& path);
  bool LoadRussianText(const std::string& path);
  void SpeedButton20Click();  // load a project
  void SpeedButton23Click();  // save the project
  void LoadProjectFile(const std::string& path);
  void SaveProjectFile(const std::string& path);
  void SpeedButton5Click();   // add an audio file
  void AddAudioFile(const std::string& path);
  void SpeedButton6Click();   // remove the current audio file
  void SpeedButton10Click();  // change the current audio file's path
  void ComboBox1Change(int index);
  void SpeedButton24Click();  // delete the selected control point
  // Control points computed from the English text and the current audio file, off the
  // user-interface thread; they replace the entry's points when the job ends well.
  void AutoSyncClick();
  void CancelAutoSync();
  bool autoSyncRunning() const { return autoSync_ != nullptr; }

  // Transport.
  void SpeedButton1Click() { transport_->PlayClick(); }
  void SpeedButton2Click() { transport_->StopClick(); }
  void SpeedButton3Click() { transport_->ForwardClick(); }
  void SpeedButton4Click() { transport_->BackClick(); }
  void sBitBtn1Click() { transport_->ErrorClick(selectedPointRow_); }
  void SpeedButton14Click();
  void CheckBox1Click();
  void Timer1Timer() { transport_->Timer1Tick(); }
  void Timer3Timer() { transport_->Timer3Fired(); }

  // Clicks in the panes, once the caret stands where the click put it.
  void RichEdit1MouseDown();
  void RichEdit2MouseDown();

  // The word field and the word grid.
  void Edit1Change();
  void SpeedButton25Click();  // add the word field's word to the list
  void SpeedButton26Click();  // delete the selected word
  void SpeedButton27Click();  // save the list
  void StringGrid2SelectCell(int row);
  void Timer2Timer();
  void cellfulla();

  // Bookmarks.
  void SpeedButton15Click();
  void SpeedButton16Click();
  void SpeedButton17Click();
  void SpeedButton18Click();

  // Toggles and window buttons.
  void SpeedButton7Click();
  void SpeedButton8Click();
  void SpeedButton9Click();
  void SpeedButton11Click();
  void SpeedButton12Click();
  void SpeedButton28Click();

  // The settings window's Apply: colours and font size of the four panes.
  void ApplySettings(const SettingsSlots& settings);
  // Values the shutdown stores in slots 19-22, 28-31 and 34-39.
  void GatherSlots(SettingsSlots& stored) const;

  ReaderProject& project() { return project_; }
  const SentenceAlignment& alignment() const { return alignment_; }
  ReaderTransport& transport() { return *transport_; }
  AudioReaderStream& stream() { return stream_; }
  int32_t quickStart() const { return quickStart_; }
  int32_t quickEnd() const { return quickEnd_; }
  const std::string& pendingWord() const { return pendingWord_; }

  QSplitter* Splitter1 = nullptr;  // main area | right column
  QSplitter* Splitter2 = nullptr;  // tabs, quick translation, control bar, notes
  QTabWidget* sPageControl1 = nullptr;
  RichPane* RichEdit1 = nullptr;
  RichPane* RichEdit2 = nullptr;
  RichPane* RichEdit3 = nullptr;
  RichPane* RichEdit4 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QToolButton* SpeedButton4 = nullptr;
  QToolButton* SpeedButton5 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  QToolButton* SpeedButton7 = nullptr;
  QToolButton* SpeedButton8 = nullptr;
  QToolButton* SpeedButton9 = nullptr;
  QToolButton* SpeedButton10 = nullptr;
  QToolButton* SpeedButton11 = nullptr;
  QToolButton* SpeedButton12 = nullptr;
  QToolButton* SpeedButton13 = nullptr;
  QToolButton* SpeedButton14 = nullptr;
  QToolButton* SpeedButton15 = nullptr;
  QToolButton* SpeedButton16 = nullptr;
  QToolButton* SpeedButton17 = nullptr;
  QToolButton* SpeedButton18 = nullptr;
  QToolButton* SpeedButton19 = nullptr;
  QToolButton* SpeedButton20 = nullptr;
  QToolButton* SpeedButton21 = nullptr;
  QToolButton* SpeedButton22 = nullptr;
  QToolButton* SpeedButton23 = nullptr;
  QToolButton* SpeedButton24 = nullptr;
  QToolButton* SpeedButton25 = nullptr;
  QToolButton* SpeedButton26 = nullptr;
  QToolButton* SpeedButton27 = nullptr;
  QToolButton* SpeedButton28 = nullptr;
  QPushButton* sBitBtn1 = nullptr;
  QLabel* Label1 = nullptr;
  QLabel* Label15 = nullptr;
  QLabel* RangeLabel = nullptr;  // "- Ширина диапазона озвучивания, сек."
  QSlider* TrackBar1 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QCheckBox* CheckBox1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QLineEdit* Edit6 = nullptr;
  QLineEdit* Edit7 = nullptr;
  QLineEdit* Edit8 = nullptr;
  UpDown* UpDown1 = nullptr;
  UpDown* UpDown2 = nullptr;
  UpDown* UpDown3 = nullptr;
  QTableWidget* StringGrid1 = nullptr;
  QPushButton* AutoSyncButton = nullptr;
  QTableWidget* StringGrid2 = nullptr;
  QWidget* Panel3 = nullptr;
  QWidget* Panel9 = nullptr;
  QTimer* Timer1 = nullptr;
  QTimer* Timer2 = nullptr;
  QTimer* Timer3 = nullptr;

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // TransportView.
  void ShowRecording(bool shown) override;
  void SetSliderMaximum(int32_t seconds) override;
  void ShowPosition(int32_t seconds, int32_t ms) override;
  void ShowPositionLabel(int32_t ms) override;
  int32_t SliderMaximum() const override;
  void ArmStretchTimer(int32_t intervalMs) override;
  void DisarmStretchTimer() override;
  void PointsChanged(int32_t cursorRow) override;

  void BuildControls();
  QWidget* BuildEnglishTab();
  QWidget* BuildRussianTab();
  QWidget* BuildProjectTab();
  QWidget* BuildControlBar();
  QWidget* BuildWordColumn();
  void FormCreate();
  // The stored place and size (slots 19 to 22) over the centred default.
  void ApplyStoredGeometry();
  void WireSignals();

  // Reads a text file into a pane; false (and a message) when it cannot be read.
  bool LoadPane(RichPane& pane, const std::string& path);
  // The pane's text as the alignment and the stretch count it (CR LF as two).
  static std::string PaneBytes(const RichPane& pane);
  void SyncFrom(bool fromEnglish, int32_t caret);
  void FillQuickPane(const std::string& excerpt);
  void PickEnglishWord();
  // Puts a key into the word field without running its change handling.
  void SetWordField(const std::string& key);
  void RefreshAudioList();
  void RefreshPointTable(int32_t cursorRow);
  void AutoSyncTick();
  void EntryChosen();  // open the current entry's recording after a change of entry
  void SetNotesShown(bool shown);
  void Edit3Change();
  void Edit6Change();
  void Edit7Change();
  void ShowError(const QString& message);

  ReaderContext context_;
  ReaderDialogs dialogs_;
  ReaderProject project_;
  SentenceAlignment alignment_;
  AudioReaderStream stream_;
  std::unique_ptr<ReaderTransport> transport_;
  struct AutoSyncJob;
  std::unique_ptr<AutoSyncJob> autoSync_;
  QTimer* autoSyncTimer_ = nullptr;
  std::string englishText_;  // pane texts as the alignment counts them
  std::string russianText_;
  PanePicker* pickers_[3] = {};
  int32_t quickStart_ = -1;
  int32_t quickEnd_ = 4;
  int32_t selectedPointRow_ = 0;
  int32_t selectedWordRow_ = 0;
  std::string pendingWord_;
  int ticks_ = 0;
  bool wordFieldGuard_ = true;
  bool trackFollow_ = true;
};

}  // namespace lx
