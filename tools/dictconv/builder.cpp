#include "builder.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <map>
#include <stdexcept>
#include <unordered_map>

#include "app/core/cp1251.h"
#include "app/core/foldcase.h"
#include "app/core/textfile.h"

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

// How common an English word is, as a number to sort by: more common is larger.
using Commonness = std::function<double(const std::string& english)>;

constexpr size_t kMaxEquivalents = 15;  // the useful ones of a long article

// The equivalents of a Russian key, the everyday words first: by how common the English
// word is, with a word's place among the senses of its own article as a lesser weight.
std::string RussianArticle(std::vector<Equivalent>& eq, const Commonness& commonness) {
  std::vector<std::pair<double, const Equivalent*>> ranked;
  for (const auto& e : eq) ranked.push_back({commonness(e.english) - 0.5 * e.rank, &e});
  std::stable_sort(ranked.begin(), ranked.end(), [](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first > b.first;
    if (a.second->english.size() != b.second->english.size()) return a.second->english.size() < b.second->english.size();
    return a.second->english < b.second->english;
  });
  std::string out;
  std::vector<std::pair<std::string, std::string>> seen;
  for (const auto& [score, e] : ranked) {
    auto key = std::make_pair(FoldLower(e->english), e->pos);
    if (std::find(seen.begin(), seen.end(), key) != seen.end()) continue;
    if (seen.size() == kMaxEquivalents) break;
    seen.push_back(key);
    out += "<span class=ew>" + e->english + "</span>";
    if (!e->pos.empty()) out += " <span class=ps>" + e->pos + "</span>";
    out += "<br>";
  }
  return out;
}

// Everyday equivalents the inversion cannot find: the source gives "мы" after a broken
// label, "и" inside a description, and "можно", "нужно", "надо", "дать" only in phrases.
struct Supplement {
  const char* russianUtf8;
  const char* english;
  const char* pos;
};
constexpr Supplement kSupplements[] = {
    {"мы", "we", "pron."},    {"и", "and", "cj."},       {"можно", "may", "v."},   {"можно", "can", "v."},
    {"нужно", "need", "v."},  {"нужно", "must", "v."},   {"надо", "must", "v."},   {"надо", "need", "v."},
    {"дать", "give", "v."},   {"дать", "let", "v."},
    // The source translates these verbs in the imperfective only ("открывать").
    {"открыть", "open", "v."}, {"закрыть", "close", "v."}, {"закрыть", "shut", "v."},
    {"начать", "begin", "v."}, {"начать", "start", "v."}, {"забыть", "forget", "v."},
};

// A translation that only refers to another word: "от", "и от" (left of "_p. и _p-p. от buy").
bool NamesOnlyTheLemma(const std::string& translation) {
  static const std::string kFrom = "\xee\xf2", kAndFrom = "\xe8 \xee\xf2";  // от, и от
  auto startsWithWord = [&](const std::string& w) {
    return translation.compare(0, w.size(), w) == 0 &&
           (translation.size() == w.size() || translation[w.size()] == ';' || translation[w.size()] == ',');
  };
  return translation.empty() || startsWithWord(kFrom) || startsWithWord(kAndFrom);
}

// Forms whose lemma is a headword, in the order given, without repeats, sorted by form.
std::vector<FormLink> UsableForms(const std::vector<FormLink>& all, const DictTable& english) {
  std::map<std::string, std::vector<FormLink>> byForm;
  auto isHeadword = [&](const std::string& w) {
    const auto& r = english.records();
    auto it = std::lower_bound(r.begin(), r.end(), w, [](const tdict& t, const std::string& k) {
      return std::lexicographical_compare(t.headword.begin(), t.headword.end(), k.begin(), k.end(),
                                          [](char a, char b) { return static_cast<unsigned char>(a) < static_cast<unsigned char>(b); });
    });
    return it != r.end() && it->headword == w;
  };
  for (const auto& f : all) {
    if (f.form == f.lemma || !isHeadword(f.lemma)) continue;
    auto& list = byForm[f.form];
    if (std::none_of(list.begin(), list.end(), [&](const FormLink& g) { return g.lemma == f.lemma; }))
      list.push_back(f);
  }
  std::vector<FormLink> out;
  for (auto& [form, list] : byForm)
    for (auto& f : list) out.push_back(std::move(f));
  return out;
}

}  // namespace

std::vector<FormLink> CourseVerbForms(std::string_view table) {
  std::vector<FormLink> out;
  ForEachLine(table, [&](std::string_view line) {
    const auto f = SplitFields(line);
    if (f.size() < 5) return;
    const bool irregular = f[1] == "v";  // verbs.txt: word, "v", translation, past, participle, -ing
    const std::string lemma = FoldLower(f[0]);
    const size_t first = irregular ? 3 : 2;
    static const char* const kLabels[] = {"p.", "p-p.", "pres-p.", "pres."};
    for (size_t k = 0; k < 4 && first + k < f.size(); ++k)
      for (auto part : SplitFields(f[first + k], ',')) {
        size_t b = part.find_first_not_of(' '), e = part.find_last_not_of(' ');
        if (b == std::string::npos) continue;
        std::string form = FoldLower(part.substr(b, e - b + 1));
        if (!form.empty() && form != lemma && form.find(' ') == std::string::npos)
          out.push_back({form, lemma, kLabels[k]});
      }
  });
  return out;
}

WordCounts ParseSenseCounts(std::string_view text) {
  WordCounts counts;
  ForEachLine(text, [&](std::string_view line) {
    const size_t percent = line.find('%');
    const size_t last = line.rfind(' ');
    if (percent == std::string_view::npos || last == std::string_view::npos || last < percent) return;
    long n = 0;
    for (char c : line.substr(last + 1)) {
      if (c < '0' || c > '9') return;
      n = n * 10 + (c - '0');
    }
    counts[FoldLower(line.substr(0, percent))] += n;
  });
  return counts;
}

std::string SerializeForms(const std::vector<FormLink>& forms) {
  std::string out;
  for (const auto& f : forms) out += f.form + '\t' + f.lemma + '\t' + f.label + "\r\n";
  return out;
}

BuildResult BuildTables(const std::vector<IndexEntry>& index, std::string_view text,
                        const std::vector<FormLink>& courseForms, const WordCounts& counts) {
  std::vector<FormLink> articleForms;
  std::map<std::string, EnglishDraft> english;  // ordered by unsigned bytes
  std::unordered_map<std::string, std::vector<Equivalent>> russian;
  for (const auto& entry : index) {
    if (!IsArticleEntry(entry.word)) continue;
    if (entry.offset > text.size() || entry.length > text.size() - entry.offset)
      throw std::runtime_error("the article of \"" + entry.word +
                               "\" lies beyond the end of the dictionary text");
    ConvertedArticle a = ConvertArticle(text.substr(entry.offset, entry.length));
    for (auto& f : a.forms) articleForms.push_back(std::move(f));
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

  for (const auto& s : kSupplements)
    if (english.count(s.english)) russian[Utf8ToCp1251(s.russianUtf8)].push_back({s.english, s.pos, 0});

  BuildResult result;
  if (english.size() > static_cast<size_t>(DictTable::kCapacity))
    throw std::runtime_error("the English table would hold " + std::to_string(english.size()) +
                             " records, more than " + std::to_string(DictTable::kCapacity));
  // The forms: the articles first (a form's own article says best what it is), then the
  // course's tables, then headwords spelled with an apostrophe, which a click reaches
  // without it ("o'clock" as "oclock").
  std::vector<FormLink> all = articleForms;
  all.insert(all.end(), courseForms.begin(), courseForms.end());
  for (auto& [head, d] : english)
    if (head.find('\'') != std::string::npos && head.find(' ') == std::string::npos) {
      std::string key;
      for (char c : head)
        if (c != '\'') key += c;
      if (!english.count(key)) all.push_back({key, head, "'"});
    }
  {
    DictTable lookup;
    for (auto& [head, d] : english) lookup.Append({head, {}, {}, {}});
    result.forms = UsableForms(all, lookup);
  }
  // A form (or an abbreviation) whose short translation only names its lemma takes the
  // lemma's. Abbreviations then leave the table of forms: "bike" is no form of "bicycle".
  // Twice, for chains: "'em" names "them", which names "they".
  for (int pass = 0; pass < 2; ++pass)
    for (const auto& f : result.forms) {
      auto form = english.find(f.form), lemma = english.find(f.lemma);
      if (form == english.end() || lemma == english.end()) continue;
      if (NamesOnlyTheLemma(form->second.record.translation) && !NamesOnlyTheLemma(lemma->second.record.translation))
        form->second.record.translation = lemma->second.record.translation;
    }
  std::erase_if(result.forms, [](const FormLink& f) { return f.label.find("abbr") != std::string::npos; });
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
  // An English word is as common as its sense counts say; words the counts lack (the
  // pronouns, conjunctions, rare words) by the size of their own article.
  const Commonness commonness = [&](const std::string& spelled) {
    const std::string key = FoldLower(spelled);
    const auto c = counts.find(key);
    const double count = c == counts.end() ? 0.0 : static_cast<double>(c->second);
    const auto a = english.find(key);
    const double article = a == english.end() ? 0.0 : static_cast<double>(a->second.record.article.size());
    return std::log2(1.0 + count) + 0.5 * std::log2(1.0 + article / 64.0);
  };
  for (auto& c : candidates) result.russian.Append({*c.key, RussianArticle(russian[*c.key], commonness)});
  return result;
}

}  // namespace lx::dictconv
