#pragma once
// Lesson 6: the vocabulary trainer. Two pages over the one shared WordList: the
// memorisation drill ("Заучивание слов") and the list editor ("Список слов"), with
// the help, dictionary, settings and close buttons under them. The drill's rules and
// the list commands live in plain C++ (memorydrill, listtools, listfile); this window
// shows them.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

#include "app/core/datadir.h"
#include "app/core/dicttables.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"
#include "text/panepicker.h"
#include "text/renderer.h"
#include "text/richpane.h"
#include "vocabulary/headwordindex.h"
#include "vocabulary/listfile.h"
#include "vocabulary/listtools.h"
#include "vocabulary/memorydrill.h"
#include "vocabulary/wordlist.h"
#include "vocabulary/wordlistmodel.h"

namespace lx {

class TForm21;
class Tform9;

// The progress window as the long commands use it.
struct ProgressView {
  std::function<void()> begin;
  std::function<void(int done, int total)> step;
  std::function<void()> end;
};

// What the window works with; everything outlives it. A missing piece leaves its
// button disabled or its step silent.
struct Lesson6Context {
  DataDir dataDir;
  const SettingsSlots* settings = nullptr;
  const SoundIndex* soundIndex = nullptr;
  const DictTable* dictTable = nullptr;
  std::function<void(int soundEntry)> play;  // playnums
  Tform9* dictionary = nullptr;
  TForm21* help = nullptr;
  QWidget* settingsWindow = nullptr;
  PickHandlers pickHandlers;
  ProgressView progress;
};

class Tform16 : public QWidget {
  Q_OBJECT
 public:
  static constexpr uint32_t kDefaultBackgroundRgb = 0xD8E6EB;
  static constexpr int kDelayTicks = 10;

  Tform16(WordList& list, Lesson6Context context, QWidget* parent = nullptr);
  ~Tform16() override;

  // The list files. loadnew1 and loadinfo replace the list by a file; the default
  // list ("data\w01.txt") is loaded at creation and saved by SaveDefaultList at the end.
  void loadnew1(const std::string& path) { loadinfo(path); }
  void loadinfo(const std::string& path);
  void SaveDefaultList();
  DefaultListFile& defaultList() { return *defaultList_; }
  // The grid refresh; the grid also follows every change of the list by itself.
  void cellfull();

  // How the main window shows the lesson, and how lesson 3's link and the
  // dictionary's add button reach it.
  void OpenFromMain();
  void ShowList(const std::string& path);
  void SelectEntry(size_t entry);
  // The settings window's Apply: the drill pane's background.
  void ApplySettings(const SettingsSlots& settings);
  // Values the shutdown stores in slots 23-27, 32 and 44.
  void GatherSlots(SettingsSlots& stored) const;

  // Memorisation page.
  void Button2Click();  // next word
  void Button3Click();  // answer
  void Button4Click();  // known
  void Edit1Change();
  // List page.
  void StringGrid1SelectCell(int row);
  void Timer1Timer();
  void Edit2Change();
  void ComboBox1Change();
  void ComboBox2Change();
  void Memo1Change();
  void Edit3Change();
  void Edit4Change();
  void Edit5Change();
  void Button6Click();   // open
  void Button7Click();   // save
  void Button8Click();   // merge
  void Button9Click();   // cut
  void Button12Click();  // build from text
  void Button13Click();  // clear
  void SpeedButton18Click();  // quick translation
  void Button10Click();  // new entry
  void Button11Click();  // delete
  void SpeedButton1Click();  // move up
  void SpeedButton2Click();  // move down
  void SpeedButton9Click();  // sort by word
  void SpeedButton10Click(); // sort by part of speech
  void SpeedButton11Click(); // sort by mark
  // The frame's buttons.
  void SpeedButton40Click();
  void SpeedButton41Click();
  void SpeedButton42Click();
  void SpeedButton6Click() { close(); }

  // Random draws of the drill (0 .. n - 1); tests make them predictable.
  void SetDraw(DrawFn draw) { draw_ = std::move(draw); }
  // Where the learner is told that the list went to a new file; a message box by default.
  void SetNotice(std::function<void(const QString&)> notice) { notice_ = std::move(notice); }

  const MemoryDrill& drill() const { return drill_; }
  size_t SelectedEntry() const { return selectedEntry_; }
  bool EditSync() const { return editSync_; }
  WordListModel* model() const { return model_; }

  QTabWidget* sPageControl1 = nullptr;
  QToolButton* SpeedButton40 = nullptr;
  QToolButton* SpeedButton41 = nullptr;
  QToolButton* SpeedButton42 = nullptr;
  QToolButton* SpeedButton6 = nullptr;
  // Memorisation page.
  RichPane* RichEdit1 = nullptr;
  QToolButton* SpeedButton3 = nullptr;
  QToolButton* SpeedButton4 = nullptr;
  QToolButton* SpeedButton5 = nullptr;
  QCheckBox* sCheckBox1 = nullptr;  // "Звук сразу"
  QCheckBox* sCheckBox2 = nullptr;  // "Случайно"
  QLineEdit* Edit1 = nullptr;
  QScrollBar* UpDown1 = nullptr;
  // List page.
  QTableView* StringGrid1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QComboBox* ComboBox1 = nullptr;
  QComboBox* ComboBox2 = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QLabel* Label3 = nullptr;
  QLabel* Label4 = nullptr;
  QLabel* Label5 = nullptr;
  QToolButton* SpeedButton12 = nullptr;
  QToolButton* SpeedButton13 = nullptr;
  QToolButton* SpeedButton14 = nullptr;
  QToolButton* SpeedButton15 = nullptr;
  QToolButton* SpeedButton16 = nullptr;
  QToolButton* SpeedButton17 = nullptr;
  QToolButton* SpeedButton18 = nullptr;
  QToolButton* SpeedButton7 = nullptr;
  QToolButton* SpeedButton8 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton9 = nullptr;
  QToolButton* SpeedButton10 = nullptr;
  QToolButton* SpeedButton11 = nullptr;
  QTimer* Timer1 = nullptr;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildControls();
  void BuildDrillPage(QWidget* page);
  void BuildListPage(QWidget* page);
  void FormCreate();
  // Window place and size: centred, then slots 23-26 where they hold numbers.
  void PlaceFromSlots(const SettingsSlots& stored);
  void LayOutListPage();
  void SetBackground(const SettingsSlots& settings);
  void Render(const PanePieces& fragments);
  void ShowDrillMessage(const QString& message);
  void FinishPane();
  void ShowFormFields(bool verb);
  // Fills the fields from entry `k` (or empties them) with EditSync cleared.
  void FillFields(size_t k);
  // After the list changed elsewhere: the selection and the fields follow the list.
  void ListChanged();
  // The entry the fields edit, or nullptr.
  tspi* EditedEntry();
  // Stores a field edit and refreshes, without refilling the field being typed in.
  void StoreEdit(const std::function<void(tspi&)>& edit, bool wholeRange);
  // First and last list positions of the grid's selected range (from 1).
  std::pair<size_t, size_t> SelectedRange() const;
  void MoveCurrentRow(size_t entry);
  // Dialogs. Empty when cancelled.
  std::string ChooseFileToOpen();
  std::string ChooseFileToSave();
  bool Confirm(const QString& question);
  // A list file's bytes; reports and returns false when it cannot be read.
  bool ReadChosenFile(const std::string& path, std::string& bytes);
  void ReportUnread(const std::string& path, size_t unread);
  ProgressFn ProgressStep();
  void BeginLongCommand();
  void EndLongCommand();
  const HeadwordIndex& Headwords();

  WordList& list_;
  Lesson6Context context_;
  std::unique_ptr<DefaultListFile> defaultList_;
  std::unique_ptr<MarkupRenderer> renderer_;
  std::unique_ptr<HeadwordIndex> headwords_;
  PanePicker* picker_ = nullptr;
  WordListModel* model_ = nullptr;
  MemoryDrill drill_;
  DrawFn draw_;
  std::mt19937 random_;
  std::function<void(const QString&)> notice_;
  QString lastFolder_;
  QWidget* drillPage_ = nullptr;
  QWidget* listPage_ = nullptr;
  size_t selectedEntry_ = 0;
  bool editSync_ = true;
  bool storing_ = false;
  int delayTicks_ = kDelayTicks + 1;
  int subscription_ = 0;
};

}  // namespace lx
