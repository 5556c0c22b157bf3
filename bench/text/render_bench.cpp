// Times a topic of 400 spans in 60 paragraphs written into a hidden pane, as the
// lesson windows write them, and a 1 MB plain text loaded into a pane.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "text/renderer.h"
#include "text/styletables.h"

namespace {

double RenderTopic(lx::RichPane& pane, const lx::SettingsSlots& settings) {
  lx::MarkupRenderer r(pane, lx::styles::lesson3(), settings);
  QElapsedTimer clock;
  clock.start();
  pane.hide();
  r.clear();
  r.putmarkupln(QString());
  int spans = 0;
  std::optional<lx::RichPane::Batch> batch(pane);  // as the lesson windows write a text
  for (int p = 0; p < 60 && spans < 400; ++p) {
    // Paragraphs of 6 or 7 fragments: a code, a word in brackets, body text.
    const int pieces = p % 3 == 0 ? 6 : 7;
    QString line;
    for (int i = 0; i < pieces && spans < 400; ++i, ++spans)
      line += QStringLiteral("#%1piece %2 of the topic text ").arg(1 + (i % 7)).arg(spans);
    r.putmarkupln(line);
  }
  batch.reset();
  pane.SetCaretOffset(0);
  pane.ScrollCaretIntoView();
  pane.show();
  QCoreApplication::processEvents();
  return clock.nsecsElapsed() / 1e6;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  lx::SettingsSlots settings;
  lx::RichPane pane;
  pane.resize(700, 500);
  pane.show();

  std::vector<double> times;
  for (int run = 0; run < 10; ++run) times.push_back(RenderTopic(pane, settings));
  std::sort(times.begin(), times.end());
  std::printf("topic of 400 spans in 60 paragraphs: median %.1f ms, best %.1f ms, worst %.1f ms\n",
              times[times.size() / 2], times.front(), times.back());

  QTemporaryDir dir;
  const QString path = dir.filePath("big.txt");
  QFile f(path);
  if (!f.open(QIODevice::WriteOnly)) return 1;
  const QByteArray line = "The quick brown fox jumps over the lazy dog, again and again.\r\n";
  while (f.size() < 1024 * 1024) f.write(line);
  f.close();
  QElapsedTimer clock;
  clock.start();
  pane.LoadTextFile(path);
  QCoreApplication::processEvents();
  std::printf("1 MB plain text loaded: %.1f ms (%d paragraphs)\n", clock.nsecsElapsed() / 1e6,
              pane.document()->blockCount());
  return 0;
}
