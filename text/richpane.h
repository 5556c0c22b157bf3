#pragma once
// A read-only rich-text pane. Its offsets count every line break as two
// characters (CR LF), the way the course's texts and click handlers count them;
// one helper maps them onto QTextDocument positions, where a paragraph break
// counts one and an inline picture takes one position.
#include <QColor>
#include <QImage>
#include <QString>
#include <QTextCursor>
#include <QTextEdit>

#include "app/core/settingsslots.h"

namespace lx {

// Fills a pane with the colour a settings slot holds, or `defaultRgb` (#RRGGBB) when
// the slot is empty or damaged (the settings window stores only numbers).
void SetPaneBackground(QTextEdit& pane, const SettingsSlots& settings, int slot, uint32_t defaultRgb);

class RichPane : public QTextEdit {
  Q_OBJECT
 public:
  explicit RichPane(QWidget* parent = nullptr);

  // Offset mapping. An offset inside a line break maps to the end of its paragraph.
  int PositionOfOffset(int offset) const;
  int OffsetOfPosition(int position) const;
  // Length of the pane text: every paragraph's characters plus two per line break.
  int TextLength() const;
  // The pane text with CR LF line breaks (a picture shows as U+FFFC).
  QString PaneText() const;

  // Empties the pane (one empty paragraph remains, as in any QTextDocument).
  void ClearPane();
  // Starts a new last paragraph holding `text` in the pane's plain format.
  void AppendParagraph(const QString& text);
  QString LastParagraphText() const;
  // Pane offset where the last paragraph starts.
  int LastParagraphStart() const;
  // Replaces the last paragraph's text, dropping its formatting.
  void SetLastParagraphText(const QString& text);
  // Appends to the last paragraph in the pane's plain format.
  void AppendToLastParagraph(const QString& text);

  // Selection by pane offsets and formatting of the selection.
  void SelectRange(int start, int length);
  void SetSelectionSize(int points);
  void SetSelectionColor(const QColor& colour);
  // An empty name leaves the face to the pane's own font.
  void SetSelectionFace(const QString& face);
  // Replaces the selected character by `image`; false when the selection is not one character.
  bool ReplaceSelectionByImage(const QImage& image);
  // Replaces the character at `offset` by `image`; false at a line break or the end.
  bool ReplaceCharByImage(int offset, const QImage& image);

  // Caret, counted in pane offsets; lines are visual lines (a wrapped paragraph is several).
  int CaretOffset() const;
  void SetCaretOffset(int offset);
  int CaretLine() const;
  int CaretColumn() const;
  int LineCount() const;
  QString LineText(int line) const;
  int LineStart(int line) const;
  void ScrollCaretIntoView() { ensureCursorVisible(); }
  void HideCaret() { setCursorWidth(0); }

  // While a Batch lives, changes to the pane are laid out once, when it ends.
  class Batch {
   public:
    explicit Batch(RichPane& pane);
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;

   private:
    QTextCursor cursor_;
  };

  // Indent of the first line of every paragraph, present and future, in pixels.
  void SetFirstLineIndent(qreal pixels);
  // Loads a Windows-1251 text file as plain text; false when it cannot be read.
  bool LoadTextFile(const QString& path);

 private:
  // Pane offset of the start of the paragraph numbered `blockNumber`.
  int BlockOffset(int blockNumber) const;
  // Position of `column` on the visual line `line`, or -1 when there is no such line.
  int PositionOfLine(int line) const;
  int imageCounter_ = 0;
  qreal firstLineIndent_ = 0;
};

}  // namespace lx
