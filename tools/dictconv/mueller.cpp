#include "mueller.h"

#include <algorithm>
#include <stdexcept>

#include "app/core/cp1251.h"
#include "app/core/foldcase.h"

namespace lx::dictconv {
namespace {

constexpr std::string_view kBase64 =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// Next code point of a UTF-8 text; a broken sequence yields U+FFFD and one byte.
char32_t NextCodePoint(std::string_view s, size_t& i) {
  unsigned char c = static_cast<unsigned char>(s[i++]);
  if (c < 0x80) return c;
  int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : -1;
  if (extra < 0 || i + static_cast<size_t>(extra) > s.size()) return 0xFFFD;
  char32_t cp = c & (0x3F >> extra);
  for (int k = 0; k < extra; ++k) {
    unsigned char d = static_cast<unsigned char>(s[i]);
    if ((d & 0xC0) != 0x80) return 0xFFFD;
    cp = (cp << 6) | (d & 0x3F);
    ++i;
  }
  return cp;
}

// Base letter of an accented Latin letter of Latin-1 and Latin Extended-A, or 0.
char StripAccent(char32_t cp) {
  static constexpr std::string_view kLatin1 =  // U+00C0..U+00FF
      "AAAAAAACEEEEIIIIDNOOOOOxOUUUUYTsaaaaaaaceeeeiiiidnooooo/ouuuuyty";
  if (cp >= 0xC0 && cp <= 0xFF) {
    char c = kLatin1[cp - 0xC0];
    return (c == 'x' || c == '/') ? 0 : c;
  }
  static constexpr std::string_view kExtA =  // U+0100..U+017F, in pairs
      "AaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIiIiJjJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";
  if (cp >= 0x100 && cp < 0x100 + kExtA.size()) return kExtA[cp - 0x100];
  return 0;
}

bool IsLatin(unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; }
bool IsCyrillic(unsigned char c) { return c >= 0xC0 || c == 0xA8 || c == 0xB8; }
bool IsLetter(unsigned char c) { return IsLatin(c) || IsCyrillic(c); }
bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

std::string_view Trim(std::string_view s, std::string_view chars = " \t\r") {
  size_t b = s.find_first_not_of(chars);
  if (b == std::string_view::npos) return {};
  size_t e = s.find_last_not_of(chars);
  return s.substr(b, e - b + 1);
}

std::vector<std::string_view> SplitBy(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  size_t start = 0;
  for (;;) {
    size_t p = s.find(sep, start);
    out.push_back(s.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start));
    if (p == std::string_view::npos) return out;
    start = p + 1;
  }
}

// Length of the marker that opens `line` and its kind; 0 when it has none.
size_t MatchMarker(std::string_view line, LineKind& kind, std::string& marker) {
  auto at = [&](size_t i) { return i < line.size() ? static_cast<unsigned char>(line[i]) : 0; };
  auto endsToken = [&](size_t i) { return i >= line.size() || line[i] == ' '; };
  if (at(0) == '_') {
    size_t i = 1;
    while (at(i) == 'I' || at(i) == 'V' || at(i) == 'X') ++i;
    if (i > 1 && (endsToken(i) || at(i) == '[')) {  // "_III[beIl]" lacks its space
      kind = LineKind::Homonym;
      marker = std::string(line.substr(1, i - 1));
      return i;
    }
    return 0;
  }
  if (IsDigit(at(0))) {
    size_t i = 0;
    while (IsDigit(at(i))) ++i;
    if (i > 3) return 0;
    if (at(i) == '.' && endsToken(i + 1)) {
      kind = LineKind::Group;
      marker = std::string(line.substr(0, i + 1));
      return i + 1;
    }
    if (at(i) == ')') {
      kind = LineKind::Sense;
      marker = std::string(line.substr(0, i + 1));
      return i + 1;
    }
    return 0;
  }
  if (at(0) >= 0xE0 && at(1) == ')' && endsToken(2)) {
    kind = LineKind::SubSense;
    marker = std::string(line.substr(0, 2));
    return 2;
  }
  return 0;
}

bool IsPartOfSpeech(std::string_view label) {
  static constexpr std::string_view kPos[] = {"n.", "v.", "a.", "adv.", "prep.", "cj.", "conj.",
                                              "pron.", "int.", "interj.", "num.", "n-card.",
                                              "n-ord.", "pref.", "suf.", "part."};
  for (auto p : kPos)
    if (label == p) return true;
  return false;
}

// Length of the label text after "_" at `token` (letters, "." and "-").
size_t LabelLength(std::string_view token) {
  size_t i = 1;
  while (i < token.size() &&
         (IsLetter(static_cast<unsigned char>(token[i])) || token[i] == '.' || token[i] == '-'))
    ++i;
  return i - 1;
}

bool IsLabelToken(std::string_view token) {
  return token.size() > 1 && token[0] == '_' && IsLetter(static_cast<unsigned char>(token[1]));
}

// "1.", "10)" or a homonym's Roman number standing before a header's transcription.
bool IsSenseNumber(std::string_view token) {
  size_t i = 0;
  while (i < token.size() && ((token[i] >= '0' && token[i] <= '9') || token[i] == 'I' || token[i] == 'V')) ++i;
  return i > 0 && (i == token.size() || (i + 1 == token.size() && (token[i] == '.' || token[i] == ')')));
}

enum class Run { Plain, English, Russian, Pos, Grammar, Usage, Reference, Phonetic };

const char* RunClass(Run r) {
  switch (r) {
    case Run::English: return "ew";
    case Run::Pos: return "ps";
    case Run::Grammar: return "ab";
    case Run::Usage: return "ul";
    case Run::Reference: return "li";
    case Run::Phonetic: return "sy";
    default: return nullptr;
  }
}

// Writes runs of text in their span classes, opening and closing spans only on a change;
// a space between runs of different classes stands outside both spans.
class MarkupWriter {
 public:
  explicit MarkupWriter(std::string& out) : out_(out) {}
  void Put(Run run, std::string_view text) {
    if (run != current_) {
      if (RunClass(current_)) out_ += "</span>";
      FlushSpace();
      if (const char* cls = RunClass(run)) out_ += std::string("<span class=") + cls + ">";
      current_ = run;
    }
    FlushSpace();
    out_ += text;
  }
  // Text that takes the look of the run around it.
  void PutNeutral(std::string_view text) {
    FlushSpace();
    out_ += text;
  }
  void Space() { space_ = true; }
  void EndLine() {
    if (RunClass(current_)) out_ += "</span>";
    current_ = Run::Plain;
    space_ = false;
    out_ += "<br>";
  }

 private:
  void FlushSpace() {
    if (space_) out_ += ' ';
    space_ = false;
  }
  std::string& out_;
  Run current_ = Run::Plain;
  bool space_ = false;
};

// A token with any Cyrillic letter is Russian ("V-образный"); one with Latin letters only, English.
Run WordRun(std::string_view token) {
  bool latin = false;
  for (unsigned char c : token) {
    if (IsCyrillic(c)) return Run::Russian;
    if (IsLatin(c)) latin = true;
  }
  return latin ? Run::English : Run::Plain;
}

// A parenthesised grammar note after a translation: the prepositions or placeholders
// the word takes, "(by)", "(with, of)", "(to smb.)", "(from -ing)".
bool IsGrammarNote(const std::vector<std::string_view>& tokens, size_t first, size_t& last) {
  static constexpr std::string_view kWords[] = {
      "to", "from", "of", "with", "in", "on", "at", "by", "for", "into", "out", "about", "up", "down",
      "off", "over", "under", "upon", "against", "after", "through", "smb", "smth", "smb's", "one's",
      "oneself", "ing", "as", "that", "than", "or", "and", "the", "a", "an", "away", "back", "round", "along",
      "towards", "toward", "between", "among", "amongst", "across", "behind", "before", "beyond", "within",
      "without", "onto", "past", "since", "till", "until", "via"};
  if (tokens[first].empty() || tokens[first][0] != '(') return false;
  for (size_t i = first; i < tokens.size() && i < first + 8; ++i) {
    for (auto part : SplitBy(tokens[i], ',')) {
      std::string_view word = Trim(part, "().;:-");
      if (word.empty()) continue;
      if (word.back() == '.') word.remove_suffix(1);
      if (std::find(std::begin(kWords), std::end(kWords), word) == std::end(kWords)) return false;
    }
    if (tokens[i].find(')') != std::string_view::npos) {
      last = i;
      return true;
    }
  }
  return false;
}

// Renders the content of one logical line; labels lose their "_".
void RenderContent(std::string_view content, MarkupWriter& w) {
  auto tokens = SplitBy(content, ' ');
  bool reference = false;  // inside "{...}" or after "="
  bool first = true;
  size_t noteEnd = 0;  // tokens up to here belong to a grammar note
  bool inNote = false;
  for (size_t t = 0; t < tokens.size(); ++t) {
    std::string_view token = tokens[t];
    if (token.empty()) continue;
    if (!first) w.Space();
    first = false;
    if (!inNote && !reference && IsGrammarNote(tokens, t, noteEnd)) inNote = true;
    if (inNote) {
      w.Put(Run::Grammar, token);
      inNote = t < noteEnd;
      continue;
    }
    if (token[0] == '{') reference = true;
    if (token == "=") reference = true;
    if (reference) {
      std::string text;
      for (char c : token)
        if (c != '{' && c != '}' && c != '_') text += c;
      // "= adherer [qd'hIqrq]": the transcription keeps its own look inside a reference.
      w.Put(text.starts_with("[") ? Run::Phonetic : Run::Reference, text);
      if (token.find('}') != std::string_view::npos || token.back() == ';') reference = false;
      continue;
    }
    size_t lead = token.find_first_not_of("(\"");
    if (lead > 0 && lead != std::string_view::npos && IsLabelToken(token.substr(lead))) {
      w.PutNeutral(token.substr(0, lead));
      token = token.substr(lead);
    }
    if (IsLabelToken(token)) {
      size_t n = LabelLength(token);
      std::string_view label = token.substr(1, n);
      bool latin = IsLatin(static_cast<unsigned char>(label[0]));
      w.Put(latin ? (IsPartOfSpeech(label) ? Run::Pos : Run::Grammar) : Run::Usage, label);
      w.PutNeutral(token.substr(1 + n));
      continue;
    }
    if (token[0] == '[') {
      w.Put(Run::Phonetic, token);
      continue;
    }
    Run run = WordRun(token);
    if (run == Run::Plain)
      w.PutNeutral(token);
    else
      w.Put(run, token);
  }
}

// Removes the bracketed parts opened by `open` and closed by `close`, nested or not.
std::string RemoveGroups(std::string_view s, char open, char close) {
  std::string out;
  int depth = 0;
  for (char c : s) {
    if (c == open) {
      ++depth;
    } else if (c == close && depth > 0) {
      --depth;
    } else if (depth == 0) {
      out += c;
    }
  }
  return out;
}

bool IsTranslationPhrase(std::string_view p) {
  if (p.empty() || p[0] == '-' || p[0] == '~' || p.back() == '-') return false;
  bool cyr = false;
  int words = 1;
  for (unsigned char c : p) {
    if (IsDigit(c) || c == '.' || c == '_' || c == '~' || c == '/' || c == '"' || c == '\'') return false;
    if (IsCyrillic(c)) cyr = true;
    if (c == ' ') ++words;
  }
  return cyr && words <= 4;
}


// A word of Latin letters (with inner "-" and "'") once the punctuation around it is
// removed; empty when the token is anything else.
std::string LatinWord(std::string_view token) {
  token = Trim(token, "(),;:.!?");
  if (token.empty()) return {};
  for (unsigned char c : token)
    if (!IsLatin(c) && c != '-' && c != '\'') return {};
  if (!IsLatin(static_cast<unsigned char>(token.front())) || !IsLatin(static_cast<unsigned char>(token.back())))
    return {};
  return FoldLower(std::string(token));
}

// The grammar label of a form ("_p." -> "p."), empty for any other token. The source
// writes "_p.." once in a while.
std::string FormLabel(std::string_view token) {
  token = Trim(token, "(");
  if (!IsLabelToken(token)) return {};
  std::string label(token.substr(1, LabelLength(token)));
  while (label.size() > 1 && label.back() == '.' && label[label.size() - 2] == '.') label.pop_back();
  static constexpr std::string_view kForms[] = {"p.", "p-p.", "pres-p.", "pl.", "comp.", "sup.", "obj.", "pres."};
  for (auto f : kForms)
    if (label == f) return label;
  return {};
}

std::vector<std::string_view> Tokens(std::string_view content) {
  std::vector<std::string_view> out;
  for (auto t : SplitBy(content, ' '))
    if (!t.empty()) out.push_back(t);
  return out;
}

// Comma-separated Latin words ("borne, born"); empty when any part is not one.
std::vector<std::string> LatinWords(std::string_view text) {
  std::vector<std::string> out;
  for (auto part : SplitBy(text, ',')) {
    std::string w = LatinWord(Trim(part));
    if (w.empty() || w.find(' ') != std::string::npos) return {};
    out.push_back(std::move(w));
  }
  return out;
}
// "тот" (та, то, те) before a clause that "кто" or "что" opens.
bool IsPronounBeforeClause(std::string_view pronoun, std::string_view next) {
  static constexpr std::string_view kPronouns[] = {"\xf2\xee\xf2", "\xf2\xe0", "\xf2\xee", "\xf2\xe5"};  // тот та то те
  static constexpr std::string_view kOpeners[] = {"\xea\xf2\xee", "\xf7\xf2\xee"};  // кто что
  bool isPronoun = false;
  for (auto p : kPronouns) isPronoun = isPronoun || pronoun == p;
  if (!isPronoun) return false;
  for (auto o : kOpeners)
    if (next.substr(0, o.size()) == o && (next.size() == o.size() || next[o.size()] == ' ')) return true;
  return false;
}

// How much less a translation says about the Russian word: a poetic, dated, dialect or
// slang sense ("_поэт. вечер" of "even"), or a sense of a part of speech other than the
// word's main one ("слово" of the noun "say").
int MarginalSensePenalty(std::string_view content, const std::string& pos, const std::string& firstPos) {
  static constexpr std::string_view kMarginal[] = {
      "_\xef\xee\xfd\xf2.", "_\xf3\xf1\xf2.", "_\xe0\xf0\xf5.", "_\xe4\xe8\xe0\xeb.",  // поэт. уст. арх. диал.
      "_\xf0\xe5\xe4\xea.", "_\xe6\xe0\xf0\xe3.", "_\xf8\xee\xf2\xeb.", "_\xf1\xeb.",  // редк. жарг. шотл. сл.
      "_\xe8\xf0\xee\xed.", "_\xf8\xf3\xf2\xeb.", "_\xe1\xe8\xe1\xeb.", "_\xe2\xf3\xeb\xfc\xe3."};  // ирон. шутл. библ. вульг.
  int penalty = !pos.empty() && !firstPos.empty() && pos != firstPos ? 4 : 0;
  for (auto token : SplitBy(content, ' ')) {
    token = Trim(token, "(");
    for (auto label : kMarginal)
      if (token == label) return penalty + 8;
  }
  return penalty;
}

}  // namespace

bool DecodeIndexNumber(std::string_view digits, uint64_t& value) {
  if (digits.empty() || digits.size() > 10) return false;
  value = 0;
  for (char c : digits) {
    size_t d = kBase64.find(c);
    if (d == std::string_view::npos) return false;
    value = value * 64 + d;
  }
  return true;
}

std::vector<IndexEntry> ParseIndex(std::string_view text) {
  std::vector<IndexEntry> out;
  size_t lineNo = 0;
  for (auto line : SplitBy(text, '\n')) {
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty()) continue;
    auto f = SplitBy(line, '\t');
    IndexEntry e;
    if (f.size() != 3 || f[0].empty() || !DecodeIndexNumber(f[1], e.offset) ||
        !DecodeIndexNumber(f[2], e.length))
      throw std::runtime_error("index line " + std::to_string(lineNo) + " is malformed");
    e.word = std::string(f[0]);
    out.push_back(std::move(e));
  }
  return out;
}

bool IsArticleEntry(std::string_view word) {
  if (word.starts_with("00-database") || word.starts_with("00database")) return false;
  return !word.empty() && word[0] != '_';
}

std::string ConvertTranscription(std::string_view utf8) {
  std::vector<char32_t> cps;
  for (size_t i = 0; i < utf8.size();) cps.push_back(NextCodePoint(utf8, i));
  std::string out;
  for (size_t i = 0; i < cps.size(); ++i) {
    char32_t c = cps[i];
    char32_t next = i + 1 < cps.size() ? cps[i + 1] : 0;
    switch (c) {
      case U'\u2197': case U'\u02C8': out += '\''; break;  // primary stress
      case U'\u2198': case U'\u02CC': break;                // secondary stress is not written
      case U'\u026A': case 'y': out += 'I'; break;          // y is a typo for the short i
      case U'\u025C': case U'\u0259': out += 'q'; break;
      case U'\u025B': out += 'e'; break;
      case 'e': out += (next == U'\u025C' || next == U'\u0259') ? 'F' : 'e'; break;
      case U'\u028A': out += 'u'; break;
      case 'o': out += (next == U'\u028A') ? 'q' : 'O'; break;
      case U'\u0258': case U'\u0254': case U'\u0252': out += 'O'; break;
      case U'\u00E6': out += 'x'; break;
      case U'\u028C': out += 'A'; break;
      case U'\u0251': out += 'a'; break;
      case U'\u0283': out += 'S'; break;
      case U'\u0292': out += 'Z'; break;
      case U'\u03B8': out += 'T'; break;
      case U'\u00F0': out += 'D'; break;
      case U'\u014B': out += 'N'; break;
      case U'\u02D0': case ':': out += ':'; break;
      case 'c': out += 'k'; break;  // a typo for k
      case '-': case '\'': out += static_cast<char>(c); break;
      default:
        if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) out += static_cast<char>(c);
        break;  // anything else (".", spaces, commas) would break a click on the word
    }
  }
  return out;
}

std::string SourceToCp1251(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    if (utf8[i] == '[') {
      size_t close = utf8.find_first_of("]\n", i + 1);
      if (close != std::string_view::npos && utf8[close] == ']') {
        out += '[' + ConvertTranscription(utf8.substr(i + 1, close - i - 1)) + ']';
        i = close + 1;
        continue;
      }
    }
    char32_t cp = NextCodePoint(utf8, i);
    if (cp == '<') {
      out += '\x8B';
    } else if (cp == '>') {
      out += '\x9B';
    } else if (cp < 0x80) {
      out += static_cast<char>(cp);
    } else if (int b = UnicodeToCp1251(cp); b >= 0) {
      out += static_cast<char>(b);
    } else if (char base = StripAccent(cp)) {
      out += base;
    }
  }
  return out;
}

std::vector<SourceLine> SplitSourceLines(std::string_view body) {
  std::vector<SourceLine> lines;
  for (auto raw : SplitBy(body, '\n')) {
    std::string_view line = Trim(raw);
    if (line.empty()) continue;
    SourceLine sl;
    if (size_t n = MatchMarker(line, sl.kind, sl.marker)) {
      sl.content = std::string(Trim(line.substr(n)));
      lines.push_back(std::move(sl));
    } else if (lines.empty()) {
      sl.content = std::string(line);
      lines.push_back(std::move(sl));
    } else {
      std::string& c = lines.back().content;
      bool hyphenated = c.size() >= 2 && c.back() == '-' &&
                        IsLetter(static_cast<unsigned char>(c[c.size() - 2]));
      if (!hyphenated && !c.empty()) c += ' ';
      c += line;
    }
  }
  return lines;
}

std::vector<std::vector<std::string>> SenseTranslations(std::string_view content) {
  static const std::string kFrom = "\xee\xf2", kAndFrom = "\xe8 \xee\xf2";  // от, и от
  std::string text;
  for (auto token : SplitBy(content, ' ')) {
    if (IsLabelToken(token)) token = token.substr(1 + LabelLength(token));
    if (token.empty()) continue;
    if (!text.empty()) text += ' ';
    text += token;
  }
  text = RemoveGroups(RemoveGroups(RemoveGroups(text, '(', ')'), '[', ']'), '{', '}');
  size_t cut = text.find('=');
  for (size_t i = 0; i < text.size() && i < cut; ++i)
    if (IsLatin(static_cast<unsigned char>(text[i]))) cut = i;
  if (cut != std::string::npos) text.resize(cut);
  std::vector<std::vector<std::string>> groups;
  for (auto g : SplitBy(text, ';')) {
    std::vector<std::string> phrases;
    for (auto p : SplitBy(g, ',')) {
      std::string_view t = Trim(p, " \t:!?\xAB\xBB");
      std::string phrase;
      for (char c : t)  // collapse the spaces left by removed parts
        if (c != ' ' || (!phrase.empty() && phrase.back() != ' ')) phrase += c;
      // "от" is what a grammar note leaves ("_p. и _p-p. от buy", "_сокр. от bicycle").
      if (phrase == kFrom || phrase == kAndFrom) continue;
      // "тот, кто связывает" is one phrase, not "тот" and "кто связывает".
      if (!phrases.empty() && IsPronounBeforeClause(phrases.back(), phrase)) {
        phrases.back() += ", " + phrase;
        continue;
      }
      if (IsTranslationPhrase(phrase)) phrases.push_back(std::move(phrase));
    }
    if (!phrases.empty()) groups.push_back(std::move(phrases));
  }
  return groups;
}

std::vector<FormLink> FormLinksOfLine(std::string_view headword, std::string_view content) {
  static const std::string kFrom = "\xee\xf2";    // от
  static const std::string kAnd = "\xe8";         // и
  static const std::string kVerb = "\xe3\xeb.";   // гл.
  static const std::string kAbbreviation = "_\xf1\xee\xea\xf0.";  // _сокр.
  std::vector<FormLink> out;
  const auto tokens = Tokens(content);
  const std::string head(headword);
  auto add = [&](std::string form, std::string lemma, std::string label) {
    if (form.empty() || lemma.empty() || form == lemma) return;
    out.push_back({std::move(form), std::move(lemma), std::move(label)});
  };
  for (size_t i = 0; i < tokens.size(); ++i) {
    // "_p. и _p-p. от buy": the headword is a form of the word after "от".
    if (tokens[i] == kFrom && i + 1 < tokens.size()) {
      std::string labels;
      for (size_t j = i; j-- > 0;) {
        if (tokens[j] == kAnd) continue;
        std::string label = FormLabel(tokens[j]);
        if (label.empty() && Trim(tokens[j], "(") == kAbbreviation) label = "abbr";
        if (label.empty() && IsLabelToken(Trim(tokens[j], "("))) continue;  // "_разг.", "_ам."
        if (label.empty()) break;
        labels = labels.empty() ? label : label + " " + labels;
      }
      if (!labels.empty()) add(head, LatinWord(tokens[i + 1]), labels);
    }
    // "... времени гл. to be"
    if (tokens[i] == kVerb && i + 2 < tokens.size() && tokens[i + 1] == "to")
      add(head, LatinWord(tokens[i + 2]), "v.");
    // "_v. (went - gone)": the past and the past participle of the headword.
    if (tokens[i] == "_v." && i + 1 < tokens.size() && tokens[i + 1].starts_with("(")) {
      const size_t open = static_cast<size_t>(tokens[i + 1].data() - content.data());
      const size_t close = content.find(')', open);
      if (close != std::string_view::npos) {
        const std::string_view inner = content.substr(open + 1, close - open - 1);
        const size_t dash = inner.find(" - ");
        if (dash != std::string_view::npos) {
          auto past = LatinWords(inner.substr(0, dash)), participle = LatinWords(inner.substr(dash + 3));
          if (!past.empty() && !participle.empty()) {
            for (auto& f : past) add(f, head, "p.");
            for (auto& f : participle) add(f, head, "p-p.");
          }
        }
      }
    }
    // "(_pl. admen)": an irregular plural, written whole (not an ending such as "os").
    if (tokens[i] == "(_pl." && i + 1 < tokens.size() && head.find(' ') == std::string::npos) {
      std::string form = LatinWord(tokens[i + 1]);
      if (form.size() >= 3 && head.size() >= 2 && form.compare(0, 2, head, 0, 2) == 0 &&
          form.size() + 2 >= head.size())
        add(form, head, "pl.");
    }
  }
  return out;
}

ConvertedArticle ConvertArticle(std::string_view utf8) {
  ConvertedArticle a;
  size_t nl = utf8.find('\n');
  std::string body = SourceToCp1251(nl == std::string_view::npos ? "" : utf8.substr(nl + 1));
  MarkupWriter w(a.article);
  a.headword = SourceToCp1251(Trim(utf8.substr(0, nl == std::string_view::npos ? utf8.size() : nl)));
  std::string pos;
  std::string firstPos;  // the word's main part of speech: the first of its homonym
  int sense = 0;  // translating lines since the last homonym or group
  int sensesInTranslation = 0;
  for (auto& line : SplitSourceLines(body)) {
    std::string_view content = line.content;
    bool header = line.kind == LineKind::Lead || line.kind == LineKind::Homonym ||
                  line.kind == LineKind::Group;
    // A header's transcription stands first, or after its labels ("1. _n. [haUs]").
    std::string headerText;
    if (header) {
      const size_t open = content.find('[');
      const size_t close = open == std::string_view::npos ? open : content.find(']', open);
      bool onlyLabels = close != std::string_view::npos;
      if (onlyLabels)
        for (auto token : SplitBy(content.substr(0, open), ' '))
          if (!token.empty() && !IsLabelToken(token) && !IsSenseNumber(token)) onlyLabels = false;
      if (onlyLabels) {
        std::string t(content.substr(open + 1, close - open - 1));
        if (a.transcription.empty()) a.transcription = t;
        if (t == a.transcription) {
          headerText = std::string(Trim(content.substr(0, open))) + ' ' + std::string(Trim(content.substr(close + 1)));
          content = Trim(headerText);
        }
      }
    }
    if (line.kind == LineKind::Homonym) {
      pos.clear();
      firstPos.clear();  // another homonym is another word
    }
    if (line.kind == LineKind::Homonym || line.kind == LineKind::Group) sense = 0;
    if (header) {
      for (auto token : SplitBy(content, ' '))
        if (IsLabelToken(token)) {
          std::string_view label = token.substr(1, LabelLength(token));
          if (IsPartOfSpeech(label)) {
            pos = std::string(label);
            if (firstPos.empty()) firstPos = pos;
            break;
          }
        }
    }
    if (!line.marker.empty()) {
      w.Put(Run::Plain, "");
      a.article += "<span class=nr>" + line.marker + "</span>";
      // A homonym's first group number shares its line: "I 1. n."
      const size_t space = content.find(' ');
      const std::string_view first = content.substr(0, space);
      if (line.kind == LineKind::Homonym && !first.empty() && first.back() == '.' && IsSenseNumber(first)) {
        a.article += " <span class=nr>" + std::string(first) + "</span>";
        content = space == std::string_view::npos ? std::string_view() : Trim(content.substr(space + 1));
      }
      if (!content.empty()) a.article += ' ';
    }
    if (!line.marker.empty() || !content.empty()) {
      RenderContent(content, w);
      w.EndLine();
    }
    for (auto& link : FormLinksOfLine(FoldLower(a.headword), line.content)) a.forms.push_back(std::move(link));
    if (line.kind == LineKind::SubSense) continue;  // sub-senses translate idioms
    auto groups = SenseTranslations(content);
    int order = 0;
    for (auto& g : groups)
      for (auto& p : g) a.links.push_back({p, pos, sense * 4 + std::min(order++, 3) + MarginalSensePenalty(content, pos, firstPos)});
    if (!groups.empty()) ++sense;
    if (!groups.empty() && sensesInTranslation < 3 && a.translation.size() < 40) {
      std::string part;
      for (size_t k = 0; k < groups[0].size() && k < 2; ++k) part += (k ? ", " : "") + groups[0][k];
      a.translation += (a.translation.empty() ? "" : "; ") + part;
      ++sensesInTranslation;
    }
  }
  return a;
}

}  // namespace lx::dictconv
