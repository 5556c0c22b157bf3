#pragma once
// The floating dictionary window: looks a word up in the English or the Russian
// table, renders its article, pronounces English words, keeps a history of queries,
// and adds the headword to the lesson 6 word list.
#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPointer>
#include <QToolButton>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "app/core/datadir.h"
#include "app/core/dicttables.h"
#include "app/core/settingsslots.h"
#include "app/core/soundindex.h"
#include "dictionary/wordforms.h"
#include "text/panepicker.h"
#include "text/renderer.h"
#include "text/richpane.h"
#include "vocabulary/wordlist.h"

namespace lx {

class SoundService;

// What the window works with; everything outlives it.
struct DictionaryContext {
  const DictTable* dictTable = nullptr;
  const Dict2Table* dict2Table = nullptr;
  const SoundIndex* soundIndex = nullptr;
  const WordForms* wordForms = nullptr;  // data/forms.txt (null: the endings alone)
  SoundService* sound = nullptr;
  const SettingsSlots* settings = nullptr;
  WordList* lesson6List = nullptr;      // the lesson 6 word list (may be null)
  std::optional<int> lesson1Left;       // left edge of the lesson 1 window, if it exists
  std::array<QPixmap, 2> soundPictures; // the main window's image list: 0 off, 1 on
};

class Tform9 : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kHistorySize = 100;

  explicit Tform9(DictionaryContext context, QWidget* parent = nullptr);
  ~Tform9() override;

  // Looks the entry field's text up (the translate button and Enter).
  void LookUp();
  void Button1Click() { LookUp(); }
  void Button2Click();         // back
  void SpeedButton14Click();   // sound toggle
  void SpeedButton25Click();   // add to the lesson 6 list
  // Renders one article string into the pane (appending to the open line).
  void RenderArticle(const std::string& article);

  // Show and hide, keeping every enrolled dictionary toggle in step.
  void op9();
  void cl9();
  // A window's dictionary toggle ("Окно словаря"); a destroyed toggle drops out.
  void EnrolToggle(QAbstractButton* toggle);

  // Silent lookups clear this around their call.
  bool SpeakOnLookup = true;
  std::array<std::string, kHistorySize> LookupHistory;

  // The handlers a text pane's picker sends picked words to (word picking).
  PickHandlers PickerHandlers();
  // The lesson 2 window's transcription label, once that window exists.
  void SetTranscriptionLabel(QLabel* label) { transcriptionLabel_ = label; }
  // The lesson 6 word list, once it exists elsewhere.
  void SetWordList(WordList* list) { context_.lesson6List = list; }
  // Runs after a word was appended to the list, with its entry number (grid refresh
  // and row selection in lesson 6 and the reader).
  void OnWordAdded(std::function<void(size_t entry)> added);

  // Values the shutdown stores in slots 15-18, 33 and 43.
  void GatherSlots(SettingsSlots& stored) const;

  QLineEdit* Edit1 = nullptr;
  QToolButton* SpeedButton1 = nullptr;
  QToolButton* SpeedButton2 = nullptr;
  QToolButton* SpeedButton14 = nullptr;
  QToolButton* SpeedButton25 = nullptr;
  RichPane* RichEdit1 = nullptr;

 protected:
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void FormCreate();
  void LayOut(int width);
  void SetToggles(bool down);
  void PushHistory(const std::string& query);
  void ShiftHistoryNewer();
  void ShowEnglish(int entry, const std::string& note = {});
  // The English steps of a lookup: forms, contractions and unknown words included.
  void ShowEnglishLookup(const std::string& key);
  void ShowRussian(int entry);
  void FinishLookup();
  int DefaultWidth() const;
  static int DefaultHeight();

  DictionaryContext context_;
  std::unique_ptr<MarkupRenderer> renderer_;
  std::unique_ptr<SpellingSuggester> suggester_;  // made at the first unknown word
  PanePicker* picker_ = nullptr;
  QPointer<QLabel> transcriptionLabel_;
  std::vector<QPointer<QAbstractButton>> toggles_;
  std::vector<std::function<void(size_t)>> wordAdded_;
};

}  // namespace lx
