#pragma once
// Word picking attached to a text pane: a press picks the word at the caret the
// press leaves, a move over the pane hands it the focus while the dictionary window
// is active. One picker serves every pane; the windows differ in the word
// characters, the handlers and, in lesson 3, a hook before the lookup.
#include <QObject>
#include <functional>
#include <string>

#include "app/core/soundindex.h"
#include "text/richpane.h"
#include "text/wordpick.h"

namespace lx {

struct PickHandlers {
  std::function<void(int soundEntry)> play;               // pronounce a sound index entry
  std::function<void(const std::string& key)> setEntry;   // the dictionary's entry field
  std::function<void()> lookUp;                           // the dictionary's LookUp
  std::function<bool()> dictionaryActive;                 // the focus rule of a move
  // Lesson 3's link regions: runs after the key is in the entry field, before the
  // lookup, with the key and the caret's pane offset.
  std::function<void(const std::string& key, int caretOffset)> beforeLookUp;
};

class PanePicker : public QObject {
  Q_OBJECT
 public:
  // The picker lives as long as the pane (it is the pane's child).
  PanePicker(RichPane& pane, const SoundIndex& index, WordChars chars, PickHandlers handlers);

  void SetBeforeLookUp(std::function<void(const std::string&, int)> hook) {
    handlers_.beforeLookUp = std::move(hook);
  }
  // The dictionary's own pane takes the focus back after every pick.
  void SetRefocusAfterPick(bool refocus) { refocus_ = refocus; }
  // The reader's panes keep their caret: it marks the place bookmarks and
  // synchronisation use.
  void SetKeepCaret(bool keep) { keepCaret_ = keep; }

  // The press handler, once the caret stands where the press put it.
  void PickAtCaret();
  // The move handler.
  void MouseMoved();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  RichPane& pane_;
  QWidget* viewport_;
  const SoundIndex& index_;
  WordChars chars_;
  PickHandlers handlers_;
  bool refocus_ = false;
  bool keepCaret_ = false;
};

}  // namespace lx
