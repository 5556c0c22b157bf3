#include "richpane.h"

#include <QAbstractTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFragment>
#include <QTextLayout>
#include <QUrl>
#include <algorithm>

#include "app/core/errors.h"
#include <vector>

#include "app/core/qtext.h"
#include "app/core/textfile.h"

namespace lx {
namespace {

// Makes sure the block has been laid out, so its QTextLayout holds its lines.
void EnsureLaidOut(const QTextDocument* doc, const QTextBlock& block) {
  doc->documentLayout()->blockBoundingRect(block);
}

}  // namespace

RichPane::Batch::Batch(RichPane& pane) : cursor_(pane.document()) { cursor_.beginEditBlock(); }

RichPane::Batch::~Batch() { cursor_.endEditBlock(); }

RichPane::RichPane(QWidget* parent) : QTextEdit(parent) {
  setReadOnly(true);
  setUndoRedoEnabled(false);
  setAcceptRichText(false);
}

int RichPane::BlockOffset(int blockNumber) const {
  return document()->findBlockByNumber(blockNumber).position() + blockNumber;
}

int RichPane::PositionOfOffset(int offset) const {
  const QTextDocument* doc = document();
  if (offset <= 0) return 0;
  // Paragraph start offsets grow with the paragraph number: search for the last one <= offset.
  int lo = 0, hi = doc->blockCount() - 1;
  while (lo < hi) {
    const int mid = (lo + hi + 1) / 2;
    if (BlockOffset(mid) <= offset)
      lo = mid;
    else
      hi = mid - 1;
  }
  const QTextBlock block = doc->findBlockByNumber(lo);
  const int inBlock = std::min(offset - BlockOffset(lo), block.length() - 1);
  return block.position() + inBlock;
}

int RichPane::OffsetOfPosition(int position) const {
  const QTextDocument* doc = document();
  position = std::clamp(position, 0, doc->characterCount() - 1);
  return position + doc->findBlock(position).blockNumber();
}

int RichPane::TextLength() const {
  const QTextDocument* doc = document();
  // characterCount() counts one separator per paragraph, the last one included.
  return doc->characterCount() - 1 + (doc->blockCount() - 1);
}

QString RichPane::PaneText() const {
  QString out;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    if (b != document()->begin()) out += QStringLiteral("\r\n");
    out += b.text();
  }
  return out;
}

void RichPane::ClearPane() {
  clear();
  // clear() may drop document resources and the indent; keep the indent for new text.
  if (firstLineIndent_ != 0) SetFirstLineIndent(firstLineIndent_);
}

void RichPane::AppendParagraph(const QString& text) {
  QTextCursor c(document());
  c.movePosition(QTextCursor::End);
  c.insertBlock();
  c.insertText(text, QTextCharFormat());
}

QString RichPane::LastParagraphText() const { return document()->lastBlock().text(); }

int RichPane::LastParagraphStart() const { return BlockOffset(document()->blockCount() - 1); }

void RichPane::SetLastParagraphText(const QString& text) {
  QTextCursor c(document());
  c.movePosition(QTextCursor::End);
  c.movePosition(QTextCursor::StartOfBlock, QTextCursor::KeepAnchor);
  c.insertText(text, QTextCharFormat());
}

void RichPane::AppendToLastParagraph(const QString& text) {
  QTextCursor c(document());
  c.movePosition(QTextCursor::End);
  c.insertText(text, QTextCharFormat());
}

void RichPane::SelectRange(int start, int length) {
  QTextCursor c(document());
  const int from = PositionOfOffset(start);
  c.setPosition(from);
  c.setPosition(PositionOfOffset(start + std::max(0, length)), QTextCursor::KeepAnchor);
  setTextCursor(c);
}

void RichPane::SetSelectionSize(int points) {
  QTextCharFormat f;
  f.setFontPointSize(points);
  textCursor().mergeCharFormat(f);
}

void RichPane::SetSelectionColor(const QColor& colour) {
  QTextCharFormat f;
  f.setForeground(colour);
  textCursor().mergeCharFormat(f);
}

void RichPane::SetSelectionFace(const QString& face) {
  QTextCursor c = textCursor();
  if (!face.isEmpty()) {
    QTextCharFormat f;
    f.setFontFamilies(QStringList{face});
    c.mergeCharFormat(f);
    return;
  }
  // No face: take the family property off each fragment, so the pane's font shows.
  const int from = c.selectionStart(), to = c.selectionEnd();
  struct Piece { int start, end; QTextCharFormat format; };
  std::vector<Piece> pieces;  // collected first: reformatting merges fragments
  for (QTextBlock b = document()->findBlock(from); b.isValid() && b.position() < to; b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment frag = it.fragment();
      const int s = std::max(from, frag.position());
      const int e = std::min(to, frag.position() + frag.length());
      if (s >= e) continue;
      QTextCharFormat f = frag.charFormat();
      f.clearProperty(QTextFormat::FontFamily);
      f.clearProperty(QTextFormat::FontFamilies);
      pieces.push_back({s, e, f});
    }
  }
  QTextCursor piece(document());
  for (const Piece& p : pieces) {
    piece.setPosition(p.start);
    piece.setPosition(p.end, QTextCursor::KeepAnchor);
    piece.setCharFormat(p.format);
  }
}

bool RichPane::ReplaceSelectionByImage(const QImage& image) {
  QTextCursor c = textCursor();
  if (c.selectionEnd() - c.selectionStart() != 1) return false;
  return ReplaceCharByImage(OffsetOfPosition(c.selectionStart()), image);
}

bool RichPane::ReplaceCharByImage(int offset, const QImage& image) {
  if (image.isNull()) return false;
  const int pos = PositionOfOffset(offset);
  const QTextBlock block = document()->findBlock(pos);
  if (pos - block.position() >= block.length() - 1) return false;  // a paragraph end
  const QString name = QStringLiteral("lexitar-picture:%1").arg(++imageCounter_);
  document()->addResource(QTextDocument::ImageResource, QUrl(name), image);
  QTextImageFormat f;
  f.setName(name);
  f.setWidth(image.width());
  f.setHeight(image.height());
  QTextCursor c(document());
  c.setPosition(pos);
  c.setPosition(pos + 1, QTextCursor::KeepAnchor);
  c.insertImage(f);
  return true;
}

int RichPane::CaretOffset() const { return OffsetOfPosition(textCursor().position()); }

void RichPane::SetCaretOffset(int offset) {
  QTextCursor c(document());
  c.setPosition(PositionOfOffset(offset));
  setTextCursor(c);
}

int RichPane::CaretLine() const {
  const int pos = textCursor().position();
  const QTextBlock block = document()->findBlock(pos);
  int line = 0;
  for (QTextBlock b = document()->begin(); b != block; b = b.next()) {
    EnsureLaidOut(document(), b);
    line += std::max(1, b.layout()->lineCount());
  }
  EnsureLaidOut(document(), block);
  const QTextLine tl = block.layout()->lineForTextPosition(pos - block.position());
  return line + (tl.isValid() ? tl.lineNumber() : 0);
}

int RichPane::CaretColumn() const {
  const int pos = textCursor().position();
  const QTextBlock block = document()->findBlock(pos);
  EnsureLaidOut(document(), block);
  const int inBlock = pos - block.position();
  const QTextLine tl = block.layout()->lineForTextPosition(inBlock);
  return tl.isValid() ? inBlock - tl.textStart() : inBlock;
}

int RichPane::LineCount() const {
  int lines = 0;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    EnsureLaidOut(document(), b);
    lines += std::max(1, b.layout()->lineCount());
  }
  return lines;
}

int RichPane::PositionOfLine(int line) const {
  if (line < 0) return -1;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    EnsureLaidOut(document(), b);
    const int n = std::max(1, b.layout()->lineCount());
    if (line < n) return b.position() + (b.layout()->lineCount() ? b.layout()->lineAt(line).textStart() : 0);
    line -= n;
  }
  return -1;
}

QString RichPane::LineText(int line) const {
  const int pos = PositionOfLine(line);
  if (pos < 0) return {};
  const QTextBlock block = document()->findBlock(pos);
  const QTextLine tl = block.layout()->lineForTextPosition(pos - block.position());
  if (!tl.isValid()) return block.text();
  return block.text().mid(tl.textStart(), tl.textLength());
}

int RichPane::LineStart(int line) const {
  const int pos = PositionOfLine(line);
  return pos < 0 ? -1 : OffsetOfPosition(pos);
}

void RichPane::SetFirstLineIndent(qreal pixels) {
  firstLineIndent_ = pixels;
  QTextCursor c(document());
  c.select(QTextCursor::Document);
  QTextBlockFormat f;
  f.setTextIndent(pixels);
  c.mergeBlockFormat(f);
}

bool RichPane::LoadTextFile(const QString& path) {
  std::string bytes;
  if (!ReadFileBytes(path.toStdString(), bytes)) return false;
  QString text = ToQ(bytes);
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(QChar('\r'), QChar('\n'));
  setPlainText(text);
  if (firstLineIndent_ != 0) SetFirstLineIndent(firstLineIndent_);
  return true;
}

void SetPaneBackground(QTextEdit& pane, const SettingsSlots& settings, int slot, uint32_t defaultRgb) {
  uint32_t rgb = defaultRgb;
  try {
    rgb = settings.RgbOr(slot, defaultRgb);
  } catch (const ConvertError&) {
  }
  QPalette palette = pane.palette();
  palette.setColor(QPalette::Base, QColor::fromRgb(rgb));
  pane.setPalette(palette);
}

}  // namespace lx
