#include "dictionary/wordforms.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstdlib>

#include "app/core/cp1251.h"
#include "app/core/textfile.h"
#include "dictionary/lookup.h"

namespace lx {
namespace {

bool ByteLess(std::string_view a, std::string_view b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  });
}

bool EndsWith(std::string_view s, std::string_view ending) {
  return s.size() >= ending.size() && s.substr(s.size() - ending.size()) == ending;
}

bool IsVowel(char c) { return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u'; }
bool IsConsonant(char c) { return c >= 'a' && c <= 'z' && !IsVowel(c); }

// A stem like "hop", "us", "writ": one vowel between a consonant (or the start) and a
// final consonant other than w, x and y. Such a stem most often lost a final e
// ("hoping", "using", "writing").
bool EndsConsonantVowelConsonant(std::string_view s) {
  const size_t n = s.size();
  if (n < 2) return false;
  const char last = s[n - 1];
  if (!IsConsonant(last) || last == 'w' || last == 'x' || last == 'y') return false;
  if (!IsVowel(s[n - 2])) return false;
  return n == 2 || IsConsonant(s[n - 3]);
}

// A doubled final consonant ("stopp", "bigg", "add").
bool EndsDoubled(std::string_view s) {
  const size_t n = s.size();
  return n >= 3 && s[n - 1] == s[n - 2] && IsConsonant(s[n - 1]);
}

// The dictionary forms of a stem left by -ed, -ing, -er or -est, most likely first.
void StemCandidates(std::string_view stem, bool comparative, std::vector<EndingCandidate>& out) {
  const std::string s(stem);
  if (EndsDoubled(s)) {
    out.push_back({s, comparative});                           // added -> add, called -> call
    out.push_back({s.substr(0, s.size() - 1), comparative});  // stopped -> stop
  } else if (EndsConsonantVowelConsonant(s)) {
    out.push_back({s + "e", comparative});  // using -> use, later -> late
    out.push_back({s, comparative});        // visited -> visit
  } else {
    out.push_back({s, comparative});        // wanted -> want
    out.push_back({s + "e", comparative});  // relating -> relate, larger -> large
  }
}

std::vector<EndingCandidate> Unique(std::vector<EndingCandidate> v) {
  std::vector<EndingCandidate> out;
  for (auto& c : v)
    if (c.lemma.size() >= 2 &&
        std::none_of(out.begin(), out.end(), [&](const EndingCandidate& o) { return o.lemma == c.lemma; }))
      out.push_back(std::move(c));
  return out;
}

// An article that treats its headword as an adjective or adverb.
bool IsAdjectiveOrAdverb(const tdict& record) {
  return record.article.find("<span class=ps>a.</span>") != std::string::npos ||
         record.article.find("<span class=ps>adv.</span>") != std::string::npos;
}

// Contractions as a click gives them (apostrophes removed). Pronoun forms lead to the
// pronoun, negations to their verb.
constexpr Contraction kContractions[] = {
    {"aint", "ain't", "am not", "be", false},
    {"arent", "aren't", "are not", "be", false},
    {"cant", "can't", "cannot", "can", true},
    {"couldnt", "couldn't", "could not", "could", false},
    {"couldve", "could've", "could have", "could", false},
    {"didnt", "didn't", "did not", "do", false},
    {"doesnt", "doesn't", "does not", "do", false},
    {"dont", "don't", "do not", "do", false},
    {"hadnt", "hadn't", "had not", "have", false},
    {"hasnt", "hasn't", "has not", "have", false},
    {"havent", "haven't", "have not", "have", false},
    {"hed", "he'd", "he would", "he", false},
    {"hell", "he'll", "he will", "he", false},
    {"heres", "here's", "here is", "here", false},
    {"hes", "he's", "he is", "he", false},
    {"hows", "how's", "how is", "how", false},
    {"id", "I'd", "I would", "i", false},
    {"ill", "I'll", "I will", "i", false},
    {"im", "I'm", "I am", "i", false},
    {"isnt", "isn't", "is not", "be", false},
    {"itd", "it'd", "it would", "it", false},
    {"itll", "it'll", "it will", "it", false},
    {"its", "it's", "it is", "it", false},
    {"ive", "I've", "I have", "i", false},
    {"lets", "let's", "let us", "let", false},
    {"mightnt", "mightn't", "might not", "might", false},
    {"mustnt", "mustn't", "must not", "must", false},
    {"neednt", "needn't", "need not", "need", false},
    {"shant", "shan't", "shall not", "shall", true},
    {"shed", "she'd", "she would", "she", false},
    {"shell", "she'll", "she will", "she", false},
    {"shes", "she's", "she is", "she", false},
    {"shouldnt", "shouldn't", "should not", "should", false},
    {"shouldve", "should've", "should have", "should", false},
    {"thatll", "that'll", "that will", "that", false},
    {"thats", "that's", "that is", "that", false},
    {"theres", "there's", "there is", "there", false},
    {"theyd", "they'd", "they would", "they", false},
    {"theyll", "they'll", "they will", "they", false},
    {"theyre", "they're", "they are", "they", false},
    {"theyve", "they've", "they have", "they", false},
    {"wasnt", "wasn't", "was not", "be", false},
    {"wed", "we'd", "we would", "we", false},
    {"well", "we'll", "we will", "we", false},
    {"were", "we're", "we are", "we", false},
    {"werent", "weren't", "were not", "be", false},
    {"weve", "we've", "we have", "we", false},
    {"whats", "what's", "what is", "what", false},
    {"wheres", "where's", "where is", "where", false},
    {"whod", "who'd", "who would", "who", false},
    {"wholl", "who'll", "who will", "who", false},
    {"whos", "who's", "who is", "who", false},
    {"wont", "won't", "will not", "will", true},
    {"wouldnt", "wouldn't", "would not", "would", false},
    {"wouldve", "would've", "would have", "would", false},
    {"youd", "you'd", "you would", "you", false},
    {"youll", "you'll", "you will", "you", false},
    {"youre", "you're", "you are", "you", false},
    {"youve", "you've", "you have", "you", false},
};

// Restricted edit distance (swaps of neighbours count one) if it is at most `limit`,
// else limit + 1.
int EditDistance(std::string_view a, std::string_view b, int limit) {
  const int n = static_cast<int>(a.size()), m = static_cast<int>(b.size());
  if (std::abs(n - m) > limit) return limit + 1;
  constexpr int kMax = 64;
  if (n >= kMax || m >= kMax) return limit + 1;
  std::array<std::array<int, kMax>, 3> rows;  // rows i-2, i-1, i; each filled before it is read
  for (int j = 0; j <= m; ++j) rows[1][j] = j;
  for (int i = 1; i <= n; ++i) {
    auto& cur = rows[(i + 1) % 3];
    const auto& prev = rows[i % 3];
    const auto& prev2 = rows[(i + 2) % 3];
    cur[0] = i;
    int rowMin = cur[0];
    for (int j = 1; j <= m; ++j) {
      const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
      int v = std::min({prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + cost});
      if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) v = std::min(v, prev2[j - 2] + 1);
      cur[j] = v;
      rowMin = std::min(rowMin, v);
    }
    if (rowMin > limit) return limit + 1;
  }
  return std::min(rows[(n + 1) % 3][m], limit + 1);
}

}  // namespace

void WordForms::Load(std::string_view bytes) {
  entries_.clear();
  ForEachLine(bytes, [&](std::string_view line) {
    auto f = SplitFields(line);
    if (f.size() < 3 || f[0].empty() || f[1].empty()) return;
    entries_.push_back({std::move(f[0]), std::move(f[1]), std::move(f[2])});
  });
  // Kept in form order whatever the file holds; entries of one form keep theirs.
  std::stable_sort(entries_.begin(), entries_.end(),
                   [](const Entry& a, const Entry& b) { return ByteLess(a.form, b.form); });
}

std::vector<const WordForms::Entry*> WordForms::Find(std::string_view form) const {
  std::vector<const Entry*> out;
  auto it = std::lower_bound(entries_.begin(), entries_.end(), form,
                             [](const Entry& e, std::string_view k) { return ByteLess(e.form, k); });
  for (; it != entries_.end() && it->form == form; ++it) out.push_back(&*it);
  return out;
}

std::optional<int> HeadwordPosition(const DictTable& table, std::string_view key) {
  const auto& r = table.records();
  auto it = std::lower_bound(r.begin(), r.end(), key,
                             [](const tdict& t, std::string_view k) { return ByteLess(t.headword, k); });
  if (it == r.end() || it->headword != key) return std::nullopt;
  return static_cast<int>(it - r.begin()) + 1;
}

const Contraction* FindContraction(std::string_view key) {
  for (const auto& c : kContractions)
    if (key == c.key) return &c;
  return nullptr;
}

std::vector<EndingCandidate> EndingCandidates(std::string_view key) {
  std::vector<EndingCandidate> out;
  const size_t n = key.size();
  auto cut = [&](size_t k) { return std::string(key.substr(0, n - k)); };
  if (n > 4 && EndsWith(key, "ies")) out.push_back({cut(3) + "y"});         // copies -> copy
  if (n > 4 && EndsWith(key, "ied")) out.push_back({cut(3) + "y"});         // copied -> copy
  if (n > 5 && EndsWith(key, "iest")) out.push_back({cut(4) + "y", true});  // easiest -> easy
  if (n > 4 && EndsWith(key, "ier")) out.push_back({cut(3) + "y", true});   // easier -> easy
  if (n > 3 && EndsWith(key, "es")) {
    const std::string stem = cut(2);
    const bool sibilant = EndsWith(stem, "ss") || EndsWith(stem, "sh") || EndsWith(stem, "ch") ||
                          EndsWith(stem, "x") || EndsWith(stem, "z");
    // goes -> go, heroes -> hero; but toes -> toe
    const bool oStem = stem.back() == 'o' && IsConsonant(stem[stem.size() - 2]) &&
                       (stem.size() > 2 || stem == "do" || stem == "go");
    if (sibilant || oStem) {
      out.push_back({stem});    // boxes -> box, does -> do
      out.push_back({cut(1)});
    } else {
      out.push_back({cut(1)});  // uses -> use
      out.push_back({stem});    // buses -> bus
    }
  } else if (n > 2 && EndsWith(key, "s") && !EndsWith(key, "ss") && !EndsWith(key, "us") && !EndsWith(key, "is")) {
    out.push_back({cut(1)});  // books -> book
  }
  if (n > 3 && EndsWith(key, "ed")) StemCandidates(key.substr(0, n - 2), false, out);
  if (n > 4 && EndsWith(key, "ing")) {
    const std::string_view stem = key.substr(0, n - 3);
    if (stem.size() <= 2 && EndsWith(stem, "y"))
      out.push_back({std::string(stem.substr(0, stem.size() - 1)) + "ie"});  // dying -> die
    StemCandidates(stem, false, out);
  }
  if (n > 4 && EndsWith(key, "er")) StemCandidates(key.substr(0, n - 2), true, out);
  if (n > 5 && EndsWith(key, "est")) StemCandidates(key.substr(0, n - 3), true, out);
  return Unique(std::move(out));
}

EnglishLookup LookUpEnglish(const DictTable& table, const WordForms& forms, std::string_view key) {
  EnglishLookup result;
  const Contraction* contraction = FindContraction(key);
  auto reach = [&](LookupRoute route, std::string_view lemma) {
    const auto entry = HeadwordPosition(table, lemma);
    if (!entry) return false;
    result.route = route;
    result.entry = entry;
    result.lemma = std::string(lemma);
    return true;
  };
  if (contraction && contraction->beforeHeadword && reach(LookupRoute::Contraction, contraction->mainWord)) {
    result.contraction = contraction;
    return result;
  }
  if (const auto exact = HeadwordPosition(table, key)) {
    result.route = LookupRoute::Headword;
    result.entry = exact;
    result.contraction = contraction;  // "ill" is also "I'll"
    return result;
  }
  if (contraction && reach(LookupRoute::Contraction, contraction->mainWord)) {
    result.contraction = contraction;
    return result;
  }
  for (const WordForms::Entry* form : forms.Find(key))
    if (reach(LookupRoute::Form, form->lemma)) {
      result.label = form->label;
      return result;
    }
  // A headword that is itself a form ("wast" of "be") is a poor lemma: "wasted" is a
  // form of "waste". Such candidates are taken only when nothing else fits.
  const auto candidates = EndingCandidates(key);
  for (const bool acceptForms : {false, true})
    for (const EndingCandidate& candidate : candidates) {
      if (!acceptForms && !forms.Find(candidate.lemma).empty()) continue;
      // "programmer" is no form of "program", but "bigger" is one of "big".
      const auto entry = HeadwordPosition(table, candidate.lemma);
      if (entry && (!candidate.comparative || IsAdjectiveOrAdverb(table.record(*entry))) &&
          reach(LookupRoute::Ending, candidate.lemma))
        return result;
    }
  const auto near = FindHeadword(table, key);
  if (near && EnglishMatchScore(key, table.record(*near).headword) > 0) {
    result.route = LookupRoute::NearMatch;
    result.entry = near;
  } else {
    result.route = LookupRoute::Unknown;
  }
  return result;
}

namespace {

std::string EnglishSpan(std::string_view words) { return "<span class=ew>" + std::string(words) + "</span>"; }

// The Russian name of a form's grammar label (UTF-8); empty when it has none.
std::string LabelName(std::string_view label) {
  static constexpr std::pair<std::string_view, const char*> kNames[] = {
      {"p.", "прошедшее время"},
      {"p-p.", "причастие прошедшего времени"},
      {"p. p-p.", "прошедшее время и причастие прошедшего времени"},
      {"pres-p.", "причастие настоящего времени"},
      {"pres.", "настоящее время"},
      {"pl.", "множественное число"},
      {"comp.", "сравнительная степень"},
      {"sup.", "превосходная степень"},
      {"obj.", "объектный падеж"},
      {"v.", "форма глагола"},
  };
  for (const auto& [code, name] : kNames)
    if (label == code) return name;
  return {};
}

}  // namespace

std::string LookupNoteMarkup(const EnglishLookup& found, std::string_view key,
                             const std::vector<std::string>& suggestions) {
  const std::string keyText(key);
  switch (found.route) {
    case LookupRoute::Headword:
      if (!found.contraction) return {};
      return Utf8ToCp1251("Также сокращение: ") + EnglishSpan(found.contraction->spelled) + " = " +
             EnglishSpan(found.contraction->expansion) + "<br>";
    case LookupRoute::Contraction:
      return EnglishSpan(found.contraction->spelled) + " = " + EnglishSpan(found.contraction->expansion) + "<br>";
    case LookupRoute::Form:
    case LookupRoute::Ending: {
      if (found.label == "'") return {};
      const std::string name = LabelName(found.label);
      return EnglishSpan(keyText) + Utf8ToCp1251(" — форма слова ") + EnglishSpan(found.lemma) +
             (name.empty() ? "" : Utf8ToCp1251(" (" + name + ")")) + "<br>";
    }
    case LookupRoute::NearMatch:
    case LookupRoute::Unknown: {
      std::string note = "<span class=na0>" + Utf8ToCp1251("Слова «") + keyText + Utf8ToCp1251("» нет в словаре.") +
                         "</span><br>";
      if (!suggestions.empty()) {
        note += Utf8ToCp1251(suggestions.size() == 1 ? "Может быть: " : "Может быть, одно из этих: ");
        for (size_t i = 0; i < suggestions.size(); ++i) note += (i ? ", " : "") + EnglishSpan(suggestions[i]);
        note += "<br>";
      }
      if (found.route == LookupRoute::NearMatch) note += Utf8ToCp1251("Ближайшее слово словаря:") + "<br>";
      return note;
    }
  }
  return {};
}

namespace {

uint32_t LetterSet(std::string_view word) {
  uint32_t set = 0;
  for (char c : word)
    if (c >= 'a' && c <= 'z') set |= 1u << (c - 'a');
  return set;
}

}  // namespace

SpellingSuggester::SpellingSuggester(const DictTable& table) : table_(table) {
  letters_.reserve(table.records().size());
  for (const tdict& r : table.records()) letters_.push_back(LetterSet(r.headword));
}

std::vector<std::string> SpellingSuggester::Suggest(std::string_view key, size_t limit,
                                                    const std::function<int(std::string_view)>& rank) const {
  struct Found {
    int distance;
    int rank;
    size_t position;
  };
  std::vector<Found> found;
  const auto& records = table_.records();
  const uint32_t keyLetters = LetterSet(key);
  for (size_t i = 0; i < records.size(); ++i) {
    const std::string& h = records[i].headword;
    if (h.size() + 2 < key.size() || h.size() > key.size() + 2 || h == key) continue;
    // Two edits bring in at most two letters the key lacks and remove at most two it has.
    if (std::popcount(letters_[i] & ~keyLetters) > 2 || std::popcount(keyLetters & ~letters_[i]) > 2) continue;
    const int d = EditDistance(key, h, 2);
    if (d <= 2) found.push_back({d, 0, i});
  }
  if (rank)
    for (auto& f : found) f.rank = rank(records[f.position].headword);
  std::sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
    if (a.distance != b.distance) return a.distance < b.distance;
    if (a.rank != b.rank) return a.rank < b.rank;
    return a.position < b.position;
  });
  std::vector<std::string> out;
  for (size_t k = 0; k < found.size() && out.size() < limit; ++k) out.push_back(records[found[k].position].headword);
  return out;
}

std::vector<std::string> SpellingSuggestions(const DictTable& table, std::string_view key, size_t limit,
                                             const std::function<int(std::string_view)>& rank) {
  return SpellingSuggester(table).Suggest(key, limit, rank);
}

}  // namespace lx
