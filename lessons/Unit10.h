#pragma once
// Lesson 3: the parts of speech. Its verb topic holds two link phrases: a click on
// one of their words opens the verb table in the spreadsheet program or loads the
// verb list into lesson 6, and then looks the word up as any click does.
#include <QString>
#include <functional>
#include <string>

#include "lessons/lessonframe.h"

namespace lx {

// An inclusive range of caret offsets in the pane; empty until recorded.
struct LinkRegion {
  int first = -1;
  int last = -1;
  bool empty() const { return first < 0; }
  bool contains(int offset) const { return !empty() && offset >= first && offset <= last; }
};

class Tform10 : public LessonFrame {
  Q_OBJECT
 public:
  static constexpr int kVerbTopic = 10;

  explicit Tform10(LessonContext context, QWidget* parent = nullptr);

  void SpeedButton14Click() { ShowTopic(2); }
  void SpeedButton15Click() { ShowTopic(3); }
  void SpeedButton16Click() { ShowTopic(4); }
  void SpeedButton17Click() { ShowTopic(5); }
  void SpeedButton5Click() { ShowTopic(6); }
  void SpeedButton3Click() { ShowTopic(7); }
  void SpeedButton2Click() { ShowTopic(8); }
  void SpeedButton7Click() { ShowTopic(9); }
  void SpeedButton6Click() { ShowTopic(kVerbTopic); }

  // Opens a document with the desktop's program for its type; tests replace it.
  using DocumentOpener = std::function<void(const QString& path)>;
  void SetDocumentOpener(DocumentOpener opener) { openDocument_ = std::move(opener); }
  // The lesson 6 window sets this: load the word list at `path`, show the window on
  // its second page and focus it. Until then the second link only looks words up.
  using WordListLoader = std::function<void(const std::string& path)>;
  void SetVerbListLoader(WordListLoader loader) { loadVerbList_ = std::move(loader); }

  // Where the two link phrases were rendered in the verb topic.
  const LinkRegion& spreadsheetLink() const { return spreadsheetLink_; }
  const LinkRegion& wordListLink() const { return wordListLink_; }

  // The picker's hook: the picked key and the caret offset, before the lookup.
  void LinkClick(const std::string& key, int caretOffset);

 protected:
  void TextRendered(int id) override;

 private:
  LinkRegion spreadsheetLink_;
  LinkRegion wordListLink_;
  DocumentOpener openDocument_;
  WordListLoader loadVerbList_;
  DataDir dataDir_;
};

}  // namespace lx
