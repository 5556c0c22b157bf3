#include "renderer.h"

#include <QColor>
#include <QFontMetricsF>
#include <QTextFragment>
#include <QTextOption>
#include <algorithm>
#include <map>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QUrl>
#include <QtDebug>

#include "app/core/errors.h"
#include "app/core/qtext.h"

namespace lx {
namespace {

TextErrorReporter& Reporter() {
  static TextErrorReporter reporter;
  return reporter;
}

}  // namespace

TextErrorReporter SetTextErrorReporter(TextErrorReporter reporter) {
  TextErrorReporter previous = std::move(Reporter());
  Reporter() = std::move(reporter);
  return previous;
}

void ReportTextError(const QString& message) {
  if (Reporter())
    Reporter()(message);
  else
    qWarning().noquote() << message;
}

MarkupRenderer::MarkupRenderer(RichPane& pane, const StyleTable& table, const SettingsSlots& settings,
                               PictureProvider pictures)
    : pane_(pane), table_(table), slots_(settings), pictures_(std::move(pictures)) {
  Sync();
}

void MarkupRenderer::Sync() {
  const QTextDocument* doc = pane_.document();
  if (doc->characterCount() == knownLength_) return;
  spans_.clear();
  tableRows_.clear();
  tableScale_ = 1.0;
  open_ = !doc->isEmpty() || doc->blockCount() > 1;
  knownLength_ = doc->characterCount();
}

void MarkupRenderer::clear() {
  pane_.ClearPane();
  spans_.clear();
  tableRows_.clear();
  tableScale_ = 1.0;
  open_ = false;
  knownLength_ = pane_.document()->characterCount();
}

void MarkupRenderer::putfrag(const QString& text, int code) {
  Sync();
  open_ = true;
  // The open paragraph is the last one, so the fragment starts at the end of the pane text.
  spans_.push_back({pane_.TextLength(), static_cast<int>(text.size()), code, text});
  pane_.AppendToLastParagraph(text);
  knownLength_ = pane_.document()->characterCount();
}

void MarkupRenderer::putfragln(const QString& text, int code) {
  Sync();
  // The first line of a cleared pane is opened, not yet followed by a line break.
  const bool addBreak = open_ || !text.isEmpty();
  putfrag(text, code);
  CloseParagraph(addBreak);
}

void MarkupRenderer::CloseParagraph(bool addBreak) {
  QTextCursor edit(pane_.document());
  edit.beginEditBlock();
  applyspans();
  if (table_.alignColumns) AlignColumns();
  if (addBreak) pane_.AppendParagraph(QString());
  edit.endEditBlock();
  spans_.clear();
  knownLength_ = pane_.document()->characterCount();
}

bool MarkupRenderer::WritePieces(const QString& text, QString& last, int& lastCode) {
  int style = 3;
  QString pending;
  for (qsizetype i = 0; i < text.size(); ++i) {
    const QChar ch = text[i];
    if (ch != QLatin1Char('#')) {
      pending += ch;
      continue;
    }
    if (!pending.isEmpty()) {
      putfrag(pending, style);
      pending.clear();
    }
    const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
    if (next < QLatin1Char('0') || next > QLatin1Char('9')) {
      // The code must be a digit: the same wording as any failed number conversion.
      const QString bad = next.isNull() ? QString() : QString(next);
      ReportTextError(QStringLiteral("'%1' is not a valid integer value").arg(bad));
      last.clear();
      lastCode = style;
      return false;
    }
    style = next.digitValue();
    ++i;
  }
  last = pending;
  lastCode = style;
  return true;
}

bool MarkupRenderer::putmarkup(const QString& text) {
  QString last;
  int code = 3;
  const bool ok = WritePieces(text, last, code);
  if (!last.isEmpty()) putfrag(last, code);
  if (!ok) ShowPaneAfterError();
  return ok;
}

bool MarkupRenderer::putmarkupln(const QString& text) {
  QString last;
  int code = 3;
  if (WritePieces(text, last, code)) {
    putfragln(last, code);
    return true;
  }
  // Keep what was written before the bad code, styled, and end the line as asked.
  Sync();
  CloseParagraph(true);
  ShowPaneAfterError();
  return false;
}

void MarkupRenderer::ShowPaneAfterError() {
  if (pane_.isHidden()) pane_.setVisible(true);
}

int MarkupRenderer::BaseSize() const {
  try {
    return slots_.IntOr(kBaseSizeSlot, kDefaultBaseSize);
  } catch (const ConvertError& e) {
    ReportTextError(ToQ(e.what()));
    return kDefaultBaseSize;
  }
}

QTextCharFormat MarkupRenderer::FormatOf(const StyleRule& rule, int baseSize) const {
  QTextCharFormat f;
  f.setFontPointSize(rule.fixedSize ? rule.size : baseSize + rule.size);
  uint32_t rgb = rule.colour;
  if (rule.colourSlot != 0) {
    try {
      rgb = slots_.RgbOr(rule.colourSlot, rule.colour);
    } catch (const ConvertError& e) {
      ReportTextError(ToQ(e.what()));
    }
  }
  f.setForeground(QColor::fromRgb(static_cast<QRgb>(rgb | 0xFF000000u)));
  if (!rule.face.isEmpty()) f.setFontFamilies(QStringList{rule.face});
  return f;
}

void MarkupRenderer::applyspans() {
  if (spans_.empty()) return;
  int base = -1;  // read once per pass, when a fragment first needs it
  std::array<QTextCharFormat, 10> formats;
  std::array<bool, 10> made{};
  QTextDocument* doc = pane_.document();
  QTextCursor c(doc);
  c.beginEditBlock();
  for (const StyleSpan& span : spans_) {
    if (span.code < 0 || span.code > 9) continue;
    const StyleRule& rule = table_.codes[static_cast<size_t>(span.code)];
    const int from = pane_.PositionOfOffset(span.start);
    c.setPosition(from);
    c.setPosition(from + span.length, QTextCursor::KeepAnchor);
    if (rule.defined && span.length > 0) {
      if (!made[span.code]) {
        if (base < 0 && !rule.fixedSize) base = BaseSize();
        formats[span.code] = FormatOf(rule, base);
        made[span.code] = true;
      }
      // A fresh format: nothing of an earlier style stays on the fragment.
      c.setCharFormat(formats[span.code]);
    }
    if (span.code == 9 && span.text.size() == 1 && pictures_) {
      const QImage* image = pictures_(span.text[0]);
      if (image && !image->isNull()) pane_.ReplaceCharByImage(span.start, *image);
    }
  }
  c.endEditBlock();
  // Collapse the selection to offset 0 (the widget's cursor, touched only when needed).
  const QTextCursor caret = pane_.textCursor();
  if (caret.hasSelection() || caret.position() != 0) pane_.setTextCursor(QTextCursor(doc));
}

namespace {

// Width in pixels of the characters [from, to) of a paragraph, in their own formats.
qreal WidthOf(const QTextBlock& block, int from, int to, const QFont& base) {
  qreal width = 0;
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QTextFragment f = it.fragment();
    const int start = f.position() - block.position();
    const int a = std::max(from, start), b = std::min(to, start + f.length());
    if (a >= b) continue;
    const QTextCharFormat format = f.charFormat();
    if (format.isImageFormat()) {
      width += format.toImageFormat().width() * (b - a);
      continue;
    }
    width += QFontMetricsF(format.font().resolve(base)).horizontalAdvance(f.text().mid(a - start, b - a));
  }
  return width;
}

}  // namespace

void MarkupRenderer::AlignColumns() {
  QTextDocument* doc = pane_.document();
  const QTextBlock block = doc->lastBlock();
  const QString text = block.text();
  qsizetype first = 0;
  while (first < text.size() && text[first] == QLatin1Char(' ')) ++first;  // a leading indent stays
  struct Gap {
    int start, length;
  };
  std::vector<Gap> gaps;
  for (qsizetype i = first; i < text.size();) {
    if (text[i] != QLatin1Char(' ')) {
      ++i;
      continue;
    }
    qsizetype end = i;
    while (end < text.size() && text[end] == QLatin1Char(' ')) ++end;
    if (end - i >= 2 && end < text.size()) gaps.push_back({static_cast<int>(i), static_cast<int>(end - i)});
    i = end;
  }
  if (gaps.empty()) {
    tableRows_.clear();
    tableScale_ = 1.0;
    // A new paragraph takes the layout of the one before it: no stops of an earlier table.
    if (!block.blockFormat().tabPositions().isEmpty()) {
      QTextBlockFormat layout = block.blockFormat();
      layout.setTabPositions({});
      QTextCursor(block).setBlockFormat(layout);
    }
    return;
  }
  QTextCursor c(doc);
  for (auto g = gaps.rbegin(); g != gaps.rend(); ++g) {
    c.setPosition(block.position() + g->start + 1);
    const QTextCharFormat format = c.charFormat();
    c.setPosition(block.position() + g->start);
    c.setPosition(block.position() + g->start + g->length, QTextCursor::KeepAnchor);
    c.insertText(QStringLiteral("\t"), format);
  }
  // Cells as they stand once each gap is one tab; `column` stays the source column.
  TableRow row{block.blockNumber(), static_cast<int>(first), {}, {}};
  int from = static_cast<int>(first), removed = 0, column = static_cast<int>(first);
  for (const Gap& g : gaps) {
    row.cells.push_back({column, from, g.start - removed});
    removed += g.length - 1;
    from = g.start - removed + g.length;
    column = g.start + g.length;
  }
  row.cells.push_back({column, from, static_cast<int>(text.size()) - removed});
  const QTextBlock laid = doc->findBlockByNumber(row.block);
  const qreal basePoints = doc->defaultFont().pointSizeF();
  for (auto it = laid.begin(); !it.atEnd(); ++it) {
    const QTextFragment f = it.fragment();
    if (f.charFormat().isImageFormat()) continue;
    const qreal points = f.charFormat().fontPointSize();
    row.runs.push_back({f.position() - laid.position(), f.length(), points > 0 ? points : basePoints});
  }
  if (!tableRows_.empty() && tableRows_.back().block != row.block - 1) {
    tableRows_.clear();
    tableScale_ = 1.0;
  }
  tableRows_.push_back(std::move(row));
  // A row joining a table already drawn smaller starts at the table's size.
  if (tableScale_ != 1.0) ScaleRow(tableRows_.back(), tableScale_);
  LayOutTable();
}

qreal MarkupRenderer::TextAreaWidth() const {
  const QTextDocument* doc = pane_.document();
  const qreal width = doc->textWidth();
  return width > 0 ? width - 2 * doc->documentMargin() : 0;
}

void MarkupRenderer::ScaleRow(const TableRow& row, qreal scale) {
  QTextDocument* doc = pane_.document();
  QTextCursor c(doc);
  const int at = doc->findBlockByNumber(row.block).position();
  for (const StyledRun& run : row.runs) {
    c.setPosition(at + run.from);
    c.setPosition(at + run.from + run.length, QTextCursor::KeepAnchor);
    QTextCharFormat size;
    size.setFontPointSize(run.points * scale);
    c.mergeCharFormat(size);
  }
}

void MarkupRenderer::ScaleTableRows(qreal scale) {
  if (scale == tableScale_) return;
  tableScale_ = scale;
  for (const TableRow& r : tableRows_) ScaleRow(r, scale);
}

void MarkupRenderer::LayOutTable() {
  // Each column starts where the widest cell before it ends, plus a gap of about
  // three spaces; columns are the source columns cells start at, so a row that leaves
  // a column empty spans it. A table wider than the pane first closes its gaps to one
  // space, then is drawn smaller until every row fits on one line.
  QTextDocument* doc = pane_.document();
  const QFont base = doc->defaultFont();
  const qreal space = QFontMetricsF(base).horizontalAdvance(QLatin1Char(' '));
  // The first line of a paragraph starts after its indent; a pixel or two of slack
  // covers rounding in the line breaker.
  const QTextBlockFormat rowLayout = doc->findBlockByNumber(tableRows_.front().block).blockFormat();
  const qreal area = TextAreaWidth() - rowLayout.textIndent() - rowLayout.leftMargin() - rowLayout.rightMargin() - 2;
  std::map<int, qreal> stop;  // source column -> x
  bool wideGaps = tableScale_ == 1.0;
  for (int attempt = 0; attempt < 6; ++attempt) {
    const qreal gap = (wideGaps ? 3 : 1) * space * tableScale_;
    // Cell widths in the current size.
    std::vector<std::vector<qreal>> widths;
    std::vector<qreal> leads;
    for (const TableRow& r : tableRows_) {
      const QTextBlock block = doc->findBlockByNumber(r.block);
      leads.push_back(WidthOf(block, 0, r.lead, base));
      auto& w = widths.emplace_back();
      for (const TableCell& cell : r.cells) w.push_back(WidthOf(block, cell.from, cell.to, base));
    }
    stop.clear();
    for (size_t i = 0; i < tableRows_.size(); ++i) {
      const TableRow& r = tableRows_[i];
      qreal& x = stop[r.cells.front().column];
      x = std::max(x, leads[i]);
      for (size_t k = 1; k < r.cells.size(); ++k) stop.emplace(r.cells[k].column, 0.0);
    }
    for (auto& [column, x] : stop)
      for (size_t i = 0; i < tableRows_.size(); ++i) {
        const TableRow& r = tableRows_[i];
        for (size_t k = 1; k < r.cells.size(); ++k)
          if (r.cells[k].column == column) x = std::max(x, stop[r.cells[k - 1].column] + widths[i][k - 1] + gap);
      }
    qreal right = 0;
    for (size_t i = 0; i < tableRows_.size(); ++i)
      right = std::max(right, stop[tableRows_[i].cells.back().column] + widths[i].back());
    if (area <= 0 || right <= area) break;
    if (wideGaps) {
      wideGaps = false;
      continue;
    }
    // Text shrinks about in proportion to its size; a little more leaves room for hinting.
    const qreal scale = tableScale_ * area / right * 0.98;
    if (scale < 0.4) break;
    ScaleTableRows(scale);
  }
  for (const TableRow& r : tableRows_) {
    QList<QTextOption::Tab> tabs;
    for (size_t k = 1; k < r.cells.size(); ++k) tabs.append(QTextOption::Tab(stop[r.cells[k].column], QTextOption::LeftTab));
    const QTextBlock block = doc->findBlockByNumber(r.block);
    QTextBlockFormat layout = block.blockFormat();
    if (layout.tabPositions() == tabs) continue;
    layout.setTabPositions(tabs);
    QTextCursor(block).setBlockFormat(layout);
  }
}

}  // namespace lx
