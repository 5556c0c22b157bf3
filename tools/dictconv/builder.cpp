#include "builder.h"

#include <algorithm>
#include <map>
#include <stdexcept>
#include <unordered_map>

#include "app/core/foldcase.h"

namespace lx::dictconv {
namespace {

struct Equivalent {
  std::string english;  // headword as the source spells it
  std::string pos;
  int rank;
};

struct EnglishDraft {
  tdict record;
  bool lowerSpelling = false;  // the source spells it in lower case: it goes first
};

std::string RussianArticle(std::vector<Equivalent>& eq) {
  std::stable_sort(eq.begin(), eq.end(), [](const Equivalent& a, const Equivalent& b) {
    if (a.rank != b.rank) return a.rank < b.rank;
    if (a.english.size() != b.english.size()) return a.english.size() < b.english.size();
    return a.english < b.english;
  });
  std::string out;
  std::vector<std::pair<std::string, std::string>> seen;
  for (auto& e : eq) {
    auto key = std::make_pair(FoldLower(e.english), e.pos);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    seen.push_back(key);
    out += "<span class=ew>" + e.english + "</span>";
    if (!e.pos.empty()) out += " <span class=ps>" + e.pos + "</span>";
    out += "<br>";
  }
  return out;
}

}  // namespace

BuildResult BuildTables(const std::vector<IndexEntry>& index, std::string_view text) {
  std::map<std::string, EnglishDraft> english;  // ordered by unsigned bytes
  std::unordered_map<std::string, std::vector<Equivalent>> russian;
  for (const auto& entry : index) {
    if (!IsArticleEntry(entry.word)) continue;
    if (entry.offset > text.size() || entry.length > text.size() - entry.offset)
      throw std::runtime_error("the article of \"" + entry.word +
                               "\" lies beyond the end of the dictionary text");
    ConvertedArticle a = ConvertArticle(text.substr(entry.offset, entry.length));
    std::string spelled = a.headword.empty() ? SourceToCp1251(entry.word) : a.headword;
    std::string head = FoldLower(spelled);
    if (head.empty()) continue;
    bool lower = head == spelled;
    auto [it, fresh] = english.try_emplace(head);
    EnglishDraft& d = it->second;
    if (fresh) {
      d.record = {head, a.transcription, a.article, a.translation};
      d.lowerSpelling = lower;
    } else {
      // Another spelling of the same word: both articles go into one record, the
      // lower-case spelling first; a transcription that differs stays in its article.
      std::string extra = a.article;
      if (!a.transcription.empty() && a.transcription != d.record.transcription &&
          !d.record.transcription.empty())
        extra = "<span class=sy>[" + a.transcription + "]</span><br>" + extra;
      if (lower && !d.lowerSpelling) {
        std::string old = d.record.article;
        if (!d.record.transcription.empty() && d.record.transcription != a.transcription)
          old = "<span class=sy>[" + d.record.transcription + "]</span><br>" + old;
        d.record.article = a.article + old;
        if (!a.transcription.empty()) d.record.transcription = a.transcription;
        if (!a.translation.empty()) d.record.translation = a.translation;
        d.lowerSpelling = true;
      } else {
        d.record.article += extra;
        if (d.record.transcription.empty()) d.record.transcription = a.transcription;
        if (d.record.translation.empty()) d.record.translation = a.translation;
      }
    }
    // A compound is a weaker equivalent than a single word at the same place.
    int penalty = spelled.find_first_of(" -'") == std::string::npos ? 0 : 8;
    for (auto& link : a.links)
      russian[FoldLower(link.russian)].push_back({spelled, link.pos, link.rank + penalty});
  }

  BuildResult result;
  if (english.size() > static_cast<size_t>(DictTable::kCapacity))
    throw std::runtime_error("the English table would hold " + std::to_string(english.size()) +
                             " records, more than " + std::to_string(DictTable::kCapacity));
  for (auto& [head, d] : english) result.english.Append(std::move(d.record));

  // The most useful keys: single words first, then phrases; within each, the keys
  // that more English words translate to, then the shorter ones.
  struct Candidate {
    const std::string* key;
    bool phrase;
    size_t sources;
  };
  std::vector<Candidate> candidates;
  for (auto& [key, eq] : russian) {
    std::vector<std::string> words;
    for (auto& e : eq) words.push_back(FoldLower(e.english));
    std::sort(words.begin(), words.end());
    size_t distinct = static_cast<size_t>(std::unique(words.begin(), words.end()) - words.begin());
    candidates.push_back({&key, key.find(' ') != std::string::npos, distinct});
  }
  result.russianCandidates = static_cast<int>(candidates.size());
  std::sort(candidates.begin(), candidates.end(), [](const Candidate& a, const Candidate& b) {
    if (a.phrase != b.phrase) return !a.phrase;
    if (a.sources != b.sources) return a.sources > b.sources;
    if (a.key->size() != b.key->size()) return a.key->size() < b.key->size();
    return *a.key < *b.key;
  });
  if (candidates.size() > static_cast<size_t>(Dict2Table::kCapacity))
    candidates.resize(Dict2Table::kCapacity);
  std::sort(candidates.begin(), candidates.end(),
            [](const Candidate& a, const Candidate& b) { return *a.key < *b.key; });
  for (auto& c : candidates) result.russian.Append({*c.key, RussianArticle(russian[*c.key])});
  return result;
}

}  // namespace lx::dictconv
