#pragma once
// The lesson markup renderer: fragments tagged with a one-digit style code are
// assembled into the open (last) paragraph of a RichPane; closing a paragraph
// applies each fragment's size, colour and face, or puts an inline picture in
// place of a one-letter fragment in code 9. One class serves every window; the
// windows differ only in their style table and picture letters.
#include <QChar>
#include <QImage>
#include <QString>
#include <QTextCharFormat>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include "app/core/settingsslots.h"
#include "text/richpane.h"

namespace lx {

// How one style code is drawn. A code that is not defined keeps the plain format.
struct StyleRule {
  bool defined = false;
  bool fixedSize = false;  // true: `size` is in points; false: base size + `size`
  int size = 0;
  int colourSlot = 0;      // settings slot holding the colour; 0: always `colour`
  uint32_t colour = 0;     // #RRGGBB, used when the slot is empty
  QString face;            // empty: the pane's own font decides
};

struct StyleTable {
  std::array<StyleRule, 10> codes;
  // Lines laid out as columns with runs of spaces keep their columns in the
  // proportional faces: each run of two or more spaces inside a line becomes a tab,
  // and consecutive such lines share their stops, each as far right as the widest
  // cell before it needs (cells are matched by the character column they start at).
  bool alignColumns = false;
};

// One fragment of the open paragraph; `start` counts line breaks as two characters.
struct StyleSpan {
  int start = 0;
  int length = 0;
  int code = 0;
  QString text;
};

// The picture for a letter of code 9, or nullptr when the letter is not a picture
// letter of the window (or its picture is missing).
using PictureProvider = std::function<const QImage*(QChar letter)>;

// Where the renderer reports a conversion error; the application installs its error
// box, tests their own recorder. Returns the previous reporter. With none set the
// message goes to qWarning.
using TextErrorReporter = std::function<void(const QString& message)>;
TextErrorReporter SetTextErrorReporter(TextErrorReporter reporter);
void ReportTextError(const QString& message);

class MarkupRenderer {
 public:
  static constexpr int kBaseSizeSlot = 3;
  static constexpr int kDefaultBaseSize = 12;

  MarkupRenderer(RichPane& pane, const StyleTable& table, const SettingsSlots& settings,
                 PictureProvider pictures = {});

  // Empties the pane and the span list; the next putfragln opens the first paragraph.
  void clear();

  void putfrag(const QString& text, int code);
  void putfragln(const QString& text, int code);
  // Markup: "#d" switches to style d; every call starts in style 3. A "#" not
  // followed by a digit is reported and the rest of the text is dropped; the pieces
  // before it stay and are styled. Returns false after such an error.
  bool putmarkup(const QString& text);
  bool putmarkupln(const QString& text);
  // The style pass over the span list of the open paragraph.
  void applyspans();

  const std::vector<StyleSpan>& spans() const { return spans_; }
  // The base size in points: slot 3, or 12 when it is empty (a bad slot is reported).
  int BaseSize() const;
  RichPane& pane() { return pane_; }

 private:
  // Splits marked-up text into pieces; the last piece (possibly empty) is returned
  // in `last`/`lastCode` instead of being written. False on a bad code.
  bool WritePieces(const QString& text, QString& last, int& lastCode);
  // Styles the open paragraph, starts the next one and empties the span list.
  void CloseParagraph(bool addBreak);
  // Notices a pane emptied or rewritten behind the renderer's back.
  void Sync();
  // Size, colour and face of a code in this pass; reports a slot that is not a number.
  QTextCharFormat FormatOf(const StyleRule& rule, int baseSize) const;
  void ShowPaneAfterError();
  // Turns the open paragraph's column gaps into tabs and lays out the table it ends.
  void AlignColumns();
  void LayOutTable();

  RichPane& pane_;
  StyleTable table_;
  const SettingsSlots& slots_;
  PictureProvider pictures_;
  std::vector<StyleSpan> spans_;
  // The rows of the table the last closed paragraphs form: per row its paragraph,
  // its cells (the source column each starts at and its characters in the paragraph)
  // and the point size each run of characters was styled with, so that a table too
  // wide for the pane can be drawn smaller and still keep its columns.
  struct TableCell {
    int column;
    int from, to;  // positions inside the paragraph
  };
  struct StyledRun {
    int from, length;
    qreal points;
  };
  struct TableRow {
    int block;
    int lead;  // leading spaces
    std::vector<TableCell> cells;
    std::vector<StyledRun> runs;
  };
  // Width of the text area a paragraph may fill, or 0 while the pane has none.
  qreal TextAreaWidth() const;
  // Draws a row's (every row's) text at `scale` times the size each run was styled with.
  void ScaleRow(const TableRow& row, qreal scale);
  void ScaleTableRows(qreal scale);
  qreal tableScale_ = 1.0;
  std::vector<TableRow> tableRows_;
  bool open_ = false;   // whether the pane has an open paragraph
  int knownLength_ = 1; // document length after the renderer's last change
};

}  // namespace lx
