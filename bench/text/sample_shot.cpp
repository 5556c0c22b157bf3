// Renders a sample topic (styles 1 to 7, a transcription, an inline picture) into a
// lesson pane and saves it as a PNG, to look at the result under a real display.
// Usage: text_sample_shot OUT.png [FONT_DIR]
#include <QApplication>
#include <QDir>
#include <QFont>
#include <QFontDatabase>
#include <QPainter>
#include <cstdio>

#include "text/picturetable.h"
#include "text/renderer.h"
#include "text/styletables.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s OUT.png [FONT_DIR]\n", argv[0]);
    return 2;
  }
  if (argc > 2) {
    for (const QString& name : QDir(argv[2]).entryList({"*.ttf"}))
      QFontDatabase::addApplicationFont(QDir(argv[2]).filePath(name));
  }
  // A picture for the letter "q" of lesson 3: a small help sign.
  QImage help(20, 20, QImage::Format_RGB32);
  help.fill(Qt::white);
  {
    QPainter p(&help);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(QColor(0x20, 0x60, 0xC0));
    p.setPen(Qt::NoPen);
    p.drawEllipse(1, 1, 18, 18);
    p.setPen(Qt::white);
    p.setFont(QFont("DejaVu Sans", 10, QFont::Bold));
    p.drawText(help.rect(), Qt::AlignCenter, "?");
  }
  lx::SettingsSlots settings;
  lx::RichPane pane;
  pane.setFont(QFont("Georgia", 12, QFont::Bold));
  pane.resize(640, 300);
  lx::MarkupRenderer r(pane, lx::styles::lesson3(), settings,
                       [&](QChar c) { return c == QChar('q') ? &help : nullptr; });
  pane.hide();
  r.clear();
  r.putmarkupln(QString());
  r.putmarkupln(QString::fromUtf8("#2Урок 3 - части речи."));
  r.putmarkupln(QString());
  r.putmarkupln(QString::fromUtf8("#11. #3Существительное: #4book #5[buk]#3 - книга."));
  r.putmarkupln(QString::fromUtf8("#12. #3Глагол: #6to think #5[TINk]#3 - думать."));
  r.putmarkupln(QString::fromUtf8("#13. #7Запомните:#3 прилагательное не изменяется по родам."));
  r.putmarkupln(QString::fromUtf8("#3Чтобы открыть справку, нажмите кнопку #9q#3."));
  pane.SetCaretOffset(0);
  pane.show();
  QCoreApplication::processEvents();
  const bool saved = pane.grab().save(argv[1]);
  std::printf("%s %s\n", saved ? "saved" : "could not save", argv[1]);
  return saved ? 0 : 1;
}
