// Start-up time against the size of the start-up files: the whole program created
// over a words.txt of the usual size and of ten times that size, and over an info.txt
// padded to many megabytes. Loading must grow linearly: the tenfold index should take
// about ten times as long, not a hundred.
#include <unistd.h>

#include <QApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/Project1.h"
#include "app/errorbox.h"

namespace fs = std::filesystem;

namespace {

constexpr int kUsualWords = 40000;  // about the size of the built sound index

fs::path Folder(const std::string& name) {
  const fs::path root = fs::temp_directory_path() / ("lexitar-bench-" + name + "-" + std::to_string(getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "data" / "html");
  // The dictionaries of the build when they are there, else one record each.
  const fs::path built = fs::path(lx::DataDir::OfExecutable().root()) / ".." / "data";
  for (const char* f : {"dict1.txt", "dict2.txt"}) {
    if (fs::exists(built / f)) fs::create_symlink(fs::canonical(built / f), root / "data" / f);
    else std::ofstream(root / "data" / f, std::ios::binary) << "a\r\n\r\n\r\n\r\n";
  }
  std::ofstream(root / "data" / "w01.txt", std::ios::binary) << "";
  return root;
}

void WriteWords(const fs::path& root, int lines) {
  std::ofstream out(root / "data" / "words.txt", std::ios::binary);
  for (int i = 0; i < lines; ++i)
    out << "word" << i << "\tw3:d" << i << "\tsound" << (i % 40) << ".mp3\t" << i * 10 << '\t' << i * 10 + 9 << "\r\n";
}

void WriteInfo(const fs::path& root, size_t bytes) {
  std::ofstream out(root / "data" / "info.txt", std::ios::binary);
  const std::string line(98, '7');  // numbers, as hand-edited slots might hold
  for (size_t written = 0; written < bytes; written += line.size() + 2) out << line << "\r\n";
}

// Seconds to create every window of the program over `root`.
double StartSeconds(const fs::path& root) {
  const auto t0 = std::chrono::steady_clock::now();
  {
    lx::Project1 program(lx::DataDir(root.string()));
    if (!program.form1()->startupComplete()) std::fprintf(stderr, "start-up did not complete in %s\n", root.c_str());
  }
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

int main(int argc, char** argv) {
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  lx::SetErrorReporter([](const QString& m) { std::fprintf(stderr, "error: %s\n", m.toUtf8().constData()); });
  struct Case {
    const char* name;
    int words;
    size_t infoBytes;
  } cases[] = {{"usual", kUsualWords, 0},
               {"words-x10", 10 * kUsualWords, 0},
               {"info-50MB", kUsualWords, 50u << 20}};
  double usual = 0;
  for (const Case& c : cases) {
    const fs::path root = Folder(c.name);
    WriteWords(root, c.words);
    WriteInfo(root, c.infoBytes);
    StartSeconds(root);  // warms the caches
    double best = 1e9;
    for (int run = 0; run < 3; ++run) best = std::min(best, StartSeconds(root));
    if (usual == 0) usual = best;
    std::printf("start-up, %-10s (%7d words, info.txt %5zu KB): %.3f s, %.1f x the usual\n", c.name, c.words,
                c.infoBytes >> 10, best, best / usual);
    fs::remove_all(root);
  }
  return 0;
}
