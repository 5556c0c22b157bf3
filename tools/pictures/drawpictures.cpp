// Draws the course's inline pictures (icons of the lesson buttons and the
// illustrations of the lesson descriptions) as Windows bitmaps: DIR/hNN.m.
#include <QFile>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QFontMetricsF>
#include <QPainterPath>
#include <cstdio>
#include <functional>

#include "articulation.h"
#include "text/icons.h"

namespace {

using namespace lx::palette;
const QColor kBack(0xD8, 0xE6, 0xEB);  // the lesson panes' default background

void Label(QPainter& p, const QRectF& r, const QString& text, int size, const QColor& color, bool bold = true) {
  QFont f("DejaVu Sans", size);
  f.setPixelSize(size);
  f.setBold(bold);
  p.setFont(f);
  p.setPen(color);
  p.drawText(r, Qt::AlignCenter, text);
}

// Icons, 24 x 24. Those that stand for a window's button are that button's icon.
void Help(QPainter& p) { lx::PaintIcon(p, lx::Icon::Help, 24); }
void Exercises(QPainter& p) { lx::PaintIcon(p, lx::Icon::Exercises, 24); }
void Dictionary(QPainter& p) { lx::PaintIcon(p, lx::Icon::Dictionary, 24); }

void Alphabet(QPainter& p) { lx::PaintIcon(p, lx::Icon::Alphabet, 24); }

void Sounds(QPainter& p) {
  p.setPen(Qt::NoPen);
  p.setBrush(kInk);
  QPainterPath speaker;
  speaker.moveTo(3, 9);
  speaker.lineTo(7, 9);
  speaker.lineTo(12, 4);
  speaker.lineTo(12, 20);
  speaker.lineTo(7, 15);
  speaker.lineTo(3, 15);
  speaker.closeSubpath();
  p.drawPath(speaker);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kBlue, 1.6));
  p.drawArc(QRectF(9, 7, 8, 10), -50 * 16, 100 * 16);
  p.drawArc(QRectF(8, 3, 14, 18), -50 * 16, 100 * 16);
}

void Words(QPainter& p) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPaper);
  QPainterPath bubble;
  bubble.addRoundedRect(QRectF(1.5, 2.5, 21, 14), 4, 4);
  bubble.moveTo(6, 16.5);
  bubble.lineTo(5, 22);
  bubble.lineTo(11, 16.5);
  p.drawPath(bubble.simplified());
  Label(p, QRectF(1, 2, 22, 15), "abc", 9, kGreen);
}

void Read(QPainter& p) {
  p.setPen(QPen(kInk, 1.4));
  p.setBrush(Qt::white);
  QPainterPath eye;
  eye.moveTo(1, 12);
  eye.quadTo(12, 1, 23, 12);
  eye.quadTo(12, 23, 1, 12);
  p.drawPath(eye);
  p.setBrush(kBlue);
  p.drawEllipse(QPointF(12, 12), 4.5, 4.5);
  p.setBrush(kInk);
  p.drawEllipse(QPointF(12, 12), 2, 2);
}

void Listen(QPainter& p) {
  p.setPen(QPen(kInk, 2));
  p.setBrush(Qt::NoBrush);
  p.drawArc(QRectF(3, 3, 18, 18), 0, 180 * 16);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRoundedRect(QRectF(1, 11, 6, 10), 2, 2);
  p.drawRoundedRect(QRectF(17, 11, 6, 10), 2, 2);
}

// Illustrations, 96 x 64, on the pane colour.
void Frame(QPainter& p, int w, int h) {
  p.fillRect(QRect(0, 0, w, h), kBack);
  p.setPen(QPen(kInk, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(0.5, 0.5, w - 1, h - 1), 6, 6);
}

void Mouth(QPainter& p) {  // lesson 1: the organs of speech
  Frame(p, 96, 64);
  p.setPen(QPen(kRed, 2));
  p.setBrush(QColor(0xF4, 0xC0, 0xB0));
  p.drawEllipse(QRectF(14, 18, 44, 28));
  p.setBrush(QColor(0x90, 0x20, 0x30));
  p.drawEllipse(QRectF(22, 26, 28, 12));
  p.setPen(QPen(kBlue, 2));
  p.setBrush(Qt::NoBrush);
  for (int r = 0; r < 3; ++r) p.drawArc(QRectF(58 + r * 6, 20 - r * 4, 12 + r * 4, 24 + r * 8), -45 * 16, 90 * 16);
}

void Phonetic(QPainter& p) {  // lesson 1: transcription
  Frame(p, 96, 64);
  Label(p, QRectF(0, 6, 96, 30), "[ ə æ ʃ θ ]", 18, kRed);
  Label(p, QRectF(0, 36, 96, 22), "sounds", 12, kInk);
}

void Letters(QPainter& p) {  // lesson 1: letters and sounds
  Frame(p, 96, 64);
  Label(p, QRectF(4, 8, 40, 48), "Bb", 26, kBlue);
  p.setPen(QPen(kInk, 2));
  p.drawLine(QPointF(46, 32), QPointF(56, 32));
  p.drawLine(QPointF(52, 28), QPointF(56, 32));
  p.drawLine(QPointF(52, 36), QPointF(56, 32));
  Label(p, QRectF(56, 8, 38, 48), "[bi:]", 15, kRed);
}

void Book(QPainter& p) {  // lesson 2 and the reader: an open book
  Frame(p, 96, 64);
  p.setPen(QPen(kInk, 1.5));
  p.setBrush(kPaper);
  QPainterPath left, right;
  left.moveTo(48, 16);
  left.quadTo(30, 8, 12, 14);
  left.lineTo(12, 52);
  left.quadTo(30, 46, 48, 54);
  left.closeSubpath();
  right.moveTo(48, 16);
  right.quadTo(66, 8, 84, 14);
  right.lineTo(84, 52);
  right.quadTo(66, 46, 48, 54);
  right.closeSubpath();
  p.drawPath(left);
  p.drawPath(right);
  p.setPen(QPen(kBlue, 1));
  for (int y = 22; y <= 44; y += 6) {
    p.drawLine(QPointF(17, y), QPointF(43, y + 1));
    p.drawLine(QPointF(53, y + 1), QPointF(79, y));
  }
}

// A word with its vowel letter in the colour lesson 2 marks taught letters with,
// its transcription in the course's notation, and the kind of syllable.
void SyllableWord(QPainter& p, const QString& before, const QString& vowel, const QString& after,
                  const QString& transcription, const QString& kind) {
  Frame(p, 96, 64);
  QFont f("DejaVu Sans");
  f.setPixelSize(20);
  f.setBold(true);
  const QFontMetricsF m(f);
  const qreal width = m.horizontalAdvance(before + vowel + after);
  qreal x = (96 - width) / 2;
  p.setFont(f);
  const struct {
    const QString& text;
    QColor colour;
  } pieces[] = {{before, kBlue}, {vowel, QColor(0x80, 0x00, 0x40)}, {after, kBlue}};
  for (const auto& piece : pieces) {
    p.setPen(piece.colour);
    p.drawText(QPointF(x, 24), piece.text);
    x += m.horizontalAdvance(piece.text);
  }
  Label(p, QRectF(0, 26, 96, 20), transcription, 15, kRed);
  Label(p, QRectF(0, 46, 96, 14), kind, 10, kInk, false);
}

// "t": before the rules of the open syllable; "r": before those of the closed one.
void OpenSyllable(QPainter& p) { SyllableWord(p, "n", "o", "te", "[n\u0259ut]", "открытый слог"); }
void ClosedSyllable(QPainter& p) { SyllableWord(p, "n", "o", "t", "[n\u0254t]", "закрытый слог"); }

// A word in a rounded block of its colour, with its part of speech under it.
void Tagged(QPainter& p, const QRectF& r, const QString& word, const QString& tag, const QColor& colour) {
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRoundedRect(r, 5, 5);
  Label(p, r, word, 15, Qt::white);
  Label(p, QRectF(r.x() - 12, r.bottom() + 3, r.width() + 24, 14), tag, 10, colour, false);
}

void PartsOfSpeech(QPainter& p) {  // lesson 3: a sentence taken apart
  Frame(p, 240, 96);
  Label(p, QRectF(0, 6, 240, 18), "The big dog runs fast.", 14, kInk);
  const struct {
    qreal x, w;
    const char* word;
    const char* tag;
    QColor colour;
  } words[] = {{8, 40, "the", "артикль", QColor(0x80, 0x80, 0x80)},
               {54, 40, "big", "прилаг.", kGreen},
               {100, 40, "dog", "сущ.", kBlue},
               {146, 42, "runs", "глагол", kRed},
               {194, 38, "fast", "наречие", QColor(0xA0, 0x60, 0x10)}};
  for (const auto& w : words) Tagged(p, QRectF(w.x, 34, w.w, 30), w.word, w.tag, w.colour);
}

// A clause in a paper box.
void Clause(QPainter& p, const QRectF& r, const QString& text, const QColor& colour) {
  p.setPen(QPen(kInk, 1.2));
  p.setBrush(kPaper);
  p.drawRoundedRect(r, 6, 6);
  Label(p, r, text, 13, colour);
}

void LinkedSentences(QPainter& p) {  // lesson 5: a main clause and a clause joined to it
  Frame(p, 240, 96);
  Clause(p, QRectF(8, 10, 128, 30), "I will stay home", kBlue);
  Clause(p, QRectF(104, 56, 128, 30), "it rains.", kGreen);
  p.setPen(QPen(kRed, 2.2));
  p.setBrush(Qt::NoBrush);
  QPainterPath link;
  link.moveTo(72, 40);
  link.cubicTo(72, 62, 86, 71, 104, 71);
  p.drawPath(link);
  p.setPen(Qt::NoPen);
  p.setBrush(kRed);
  p.drawRoundedRect(QRectF(50, 58, 34, 22), 5, 5);
  Label(p, QRectF(50, 58, 34, 22), "if", 14, Qt::white);
}

void Timeline(QPainter& p) {  // lesson 4: past, present and future on one line
  Frame(p, 240, 96);
  p.setPen(QPen(kInk, 2));
  p.drawLine(QPointF(12, 50), QPointF(226, 50));
  p.drawLine(QPointF(218, 44), QPointF(226, 50));
  p.drawLine(QPointF(218, 56), QPointF(226, 50));
  const struct {
    qreal x;
    const char* when;
    const char* form;
    const char* example;
    QColor colour;
  } marks[] = {{44, "вчера", "worked", "was", kBlue},
               {118, "сейчас", "works", "is", kRed},
               {192, "завтра", "will work", "will be", kGreen}};
  for (const auto& m : marks) {
    p.setPen(Qt::NoPen);
    p.setBrush(m.colour);
    p.drawEllipse(QPointF(m.x, 50), 5, 5);
    Label(p, QRectF(m.x - 40, 8, 80, 16), m.when, 11, kInk, false);
    Label(p, QRectF(m.x - 40, 24, 80, 18), m.example, 14, m.colour);
    Label(p, QRectF(m.x - 40, 62, 80, 18), m.form, 14, m.colour);
  }
}

struct Picture {
  const char* stem;
  int width, height;
  void (*draw)(QPainter&);
};

const Picture kPictures[] = {
    {"h01", 24, 24, Help},          {"h02", 96, 64, Mouth},          {"h03", 96, 64, Phonetic},
    {"h04", 96, 64, Letters},       {"h05", 24, 24, Alphabet},       {"h06", 24, 24, Exercises},
    {"h07", 24, 24, Sounds},        {"h08", 24, 24, Words},          {"h09", 96, 64, Book},
    {"h10", 24, 24, Dictionary},    {"h11", 24, 24, Read},           {"h12", 24, 24, Listen},
    {"h13", 96, 64, ClosedSyllable}, {"h14", 96, 64, OpenSyllable},       {"h15", 240, 96, PartsOfSpeech},
    {"h16", 240, 96, LinkedSentences}, {"h17", 240, 96, Timeline},
};

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: drawpictures DATA_DIR\n");
    return 2;
  }
  QGuiApplication app(argc, argv);
  const QString dir = QString::fromLocal8Bit(argv[1]);
  std::vector<pictures::Drawing> all;
  for (const auto& pic : kPictures)
    all.push_back({pic.stem, pic.width, pic.height, [&pic](QPainter& p) {
                     if (pic.width == 24) p.fillRect(QRect(0, 0, 24, 24), kBack);
                     pic.draw(p);
                   }});
  // Lesson 1's pictures; the last one written tells the set-up step they are done.
  for (auto& pic : pictures::ArticulationPictures()) all.push_back(std::move(pic));
  for (const auto& pic : all) {
    QImage image(pic.width, pic.height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    pic.draw(painter);
    painter.end();
    const QString path = dir + "/" + QString::fromStdString(pic.stem) + ".m";
    const QString temp = path + ".new";
    if (!image.save(temp, "BMP") || (QFile::exists(path) && !QFile::remove(path)) || !QFile::rename(temp, path)) {
      std::fprintf(stderr, "drawpictures: cannot write %s\n", qPrintable(path));
      return 1;
    }
  }
  return 0;
}
