// Sentence splitting of any text: boundaries ascend and count their sentences;
// two texts cut from the input align as the literal transcription does, and the
// partner excerpts stay inside the other text.
#include "fuzz_check.h"
#include "literal_alignment.h"
#include "reader/alignment.h"

namespace {

void CheckTable(const lx::SentenceTable& t, std::string_view text) {
  FUZZ_CHECK(t.count() >= 1 && static_cast<size_t>(t.count()) <= lx::SentenceTable::kMaxBoundaries);
  FUZZ_CHECK(t.at(1) == (lx::SentenceBoundary{0, 0, 0}));
  for (int32_t k = 2; k <= t.count(); ++k) {
    const lx::SentenceBoundary& b = t.at(k);
    FUZZ_CHECK(b.length >= 2 && b.endOffset - t.at(k - 1).endOffset == b.length + 1);
    FUZZ_CHECK(static_cast<size_t>(b.endOffset) <= text.size());
    FUZZ_CHECK(lx::BoundaryOfOffset(t, b.endOffset) == k - 1);
  }
  const int32_t last = lx::BoundaryOfOffset(t, static_cast<int32_t>(text.size()) + 1);
  FUZZ_CHECK(last >= 1 && last <= t.count());
}

std::vector<int32_t> WithDummy(const lx::SentenceTable& t) {
  std::vector<int32_t> out{0};
  for (const auto& b : t.boundaries) out.push_back(b.length);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  CheckTable(lx::SplitSentences(text), text);

  // The English text up to the first NUL (or the first half), the Russian after it.
  size_t cut = text.find('\0');
  if (cut == std::string_view::npos) cut = size / 2;
  const std::string_view english = text.substr(0, cut), russian = text.substr(std::min(size, cut + 1));
  lx::SentenceAlignment a;
  a.SplitEnglish(english);
  a.SplitRussian(russian);
  if (!a.valid()) return 0;
  const lx::SentenceTable &en = a.english(), &ru = a.russian();
  for (const auto& b : en.boundaries) FUZZ_CHECK(b.partner >= 1 && b.partner <= ru.count());
  for (const auto& b : ru.boundaries) FUZZ_CHECK(b.partner >= 1 && b.partner <= en.count());
  // The literal search builds a full table per step, so only short texts are compared.
  if (en.count() <= 40 && ru.count() <= 40) {
    std::vector<int32_t> pe, pr;
    literal::AlignTexts(pe, pr, WithDummy(en), WithDummy(ru));
    for (int32_t k = 1; k <= en.count(); ++k) FUZZ_CHECK(en.at(k).partner == pe[static_cast<size_t>(k)]);
    for (int32_t k = 1; k <= ru.count(); ++k) FUZZ_CHECK(ru.at(k).partner == pr[static_cast<size_t>(k)]);
  }
  for (int32_t k : {1, en.count() / 2, en.count()}) {
    const lx::PartnerExcerpt x = lx::PartnerExcerptOf(en, ru, russian, k, -1, 4);
    FUZZ_CHECK(x.caret >= 0 && static_cast<size_t>(x.caret) <= russian.size());
    FUZZ_CHECK(x.text.size() <= russian.size() && russian.find(x.text) != std::string_view::npos);
    lx::PartnerExcerptOf(ru, en, english, k, -100000, 100000);
  }
  return 0;
}
