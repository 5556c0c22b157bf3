#include "renderer.h"

#include <QColor>
#include <QFontMetricsF>
#include <QTextOption>
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
  open_ = !doc->isEmpty() || doc->blockCount() > 1;
  knownLength_ = doc->characterCount();
}

void MarkupRenderer::clear() {
  pane_.ClearPane();
  spans_.clear();
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

void MarkupRenderer::AlignColumns() {
  QTextDocument* doc = pane_.document();
  const QTextBlock block = doc->lastBlock();
  const QString text = block.text();
  qsizetype i = 0;
  while (i < text.size() && text[i] == QLatin1Char(' ')) ++i;  // a leading indent stays as it is
  struct Gap {
    int start, length;
  };
  std::vector<Gap> gaps;
  while (i < text.size()) {
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
    // A new paragraph takes the layout of the one before it: no stops of an earlier table.
    if (!block.blockFormat().tabPositions().isEmpty()) {
      QTextBlockFormat layout = block.blockFormat();
      layout.setTabPositions({});
      QTextCursor(block).setBlockFormat(layout);
    }
    return;
  }
  // One column is the average width of a lower-case letter of the body text, over
  // both alphabets (Cyrillic letters run wider than Latin ones).
  QFont body = pane_.font();
  body.setPointSize(BaseSize());
  static const QString kLetters = QString::fromUtf8(u8"abcdefghijklmnopqrstuvwxyzабвгдеёжзийклмнопрстуфхцчшщъыьэюя");
  const qreal column = QFontMetricsF(body).horizontalAdvance(kLetters) / kLetters.size();
  QList<QTextOption::Tab> tabs;
  for (const Gap& g : gaps) tabs.append(QTextOption::Tab((g.start + g.length) * column, QTextOption::LeftTab));
  QTextCursor c(doc);
  for (auto g = gaps.rbegin(); g != gaps.rend(); ++g) {
    c.setPosition(block.position() + g->start + 1);
    const QTextCharFormat format = c.charFormat();
    c.setPosition(block.position() + g->start);
    c.setPosition(block.position() + g->start + g->length, QTextCursor::KeepAnchor);
    c.insertText(QStringLiteral("\t"), format);
  }
  QTextBlockFormat layout = block.blockFormat();
  layout.setTabPositions(tabs);
  c.setBlockFormat(layout);
}

}  // namespace lx
