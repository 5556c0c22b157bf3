// dictconv INDEX DICT OUTDIR [--counts=CNTLIST] [VERB_TABLE...]: builds OUTDIR/dict1.txt, OUTDIR/dict2.txt and
// the table of word forms OUTDIR/forms.txt from the Mueller dictionary in dictd form (DICT
// may be gzip or dictzip compressed) and the course's verb tables; WordNet's sense counts
// (cntlist.rev) order the Russian table's equivalents.
#include <zlib.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>

#include "app/core/textfile.h"
#include "builder.h"

namespace {

std::string ReadCompressed(const std::string& path) {
  gzFile f = gzopen(path.c_str(), "rb");
  if (!f) throw std::runtime_error("cannot open " + path);
  std::string out;
  char buf[1 << 16];
  int n;
  while ((n = gzread(f, buf, sizeof buf)) > 0) out.append(buf, static_cast<size_t>(n));
  int err = Z_OK;
  const char* msg = gzerror(f, &err);
  std::string what = (n < 0 || err != Z_OK) ? msg : "";
  int closed = gzclose(f);
  if (n < 0 || err != Z_OK || closed != Z_OK)
    throw std::runtime_error(path + " is corrupt or truncated" + (what.empty() ? "" : ": " + what));
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: dictconv INDEX DICT OUTDIR [--counts=CNTLIST] [VERB_TABLE...]\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  try {
    std::string indexText;
    if (!lx::ReadFileBytes(argv[1], indexText))
      throw std::runtime_error(std::string("cannot read ") + argv[1]);
    auto index = lx::dictconv::ParseIndex(indexText);
    std::string text = ReadCompressed(argv[2]);
    std::vector<lx::dictconv::FormLink> courseForms;
    lx::dictconv::WordCounts counts;
    for (int i = 4; i < argc; ++i) {
      const std::string arg = argv[i];
      if (arg.rfind("--counts=", 0) == 0) {
        std::string countsText;
        if (!lx::ReadFileBytes(arg.substr(9), countsText)) throw std::runtime_error("cannot read " + arg.substr(9));
        counts = lx::dictconv::ParseSenseCounts(countsText);
        continue;
      }
      std::string table;
      if (!lx::ReadFileBytes(argv[i], table)) throw std::runtime_error(std::string("cannot read ") + argv[i]);
      for (auto& f : lx::dictconv::CourseVerbForms(table)) courseForms.push_back(std::move(f));
    }
    auto tables = lx::dictconv::BuildTables(index, text, courseForms, counts);
    std::string out = argv[3];
    if (!lx::WriteFileAtomic(out + "/dict1.txt", tables.english.Serialize()) ||
        !lx::WriteFileAtomic(out + "/dict2.txt", tables.russian.Serialize()) ||
        !lx::WriteFileAtomic(out + "/forms.txt", lx::dictconv::SerializeForms(tables.forms)))
      throw std::runtime_error("cannot write the tables into " + out);
    int withTranscription = 0;
    for (const auto& r : tables.english.records()) withTranscription += !r.transcription.empty();
    double secs = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("dictconv: %d English records (%d with a transcription), %d Russian records "
                "of %d candidates, %zu word forms, %.2f s\n",
                tables.english.count(), withTranscription, tables.russian.count(),
                tables.russianCandidates, tables.forms.size(), secs);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "dictconv: %s\n", e.what());
    return 1;
  }
  return 0;
}
