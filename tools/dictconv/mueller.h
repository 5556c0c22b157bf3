#pragma once
// Reading the Mueller English-Russian dictionary in dictd form (mueller7.index and the
// text of mueller7.dict) and turning one source article into a course record.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lx::dictconv {

struct IndexEntry {
  std::string word;  // UTF-8, as in the index
  uint64_t offset = 0;
  uint64_t length = 0;
};

// A dictd index number: base64 digits, most significant first. False on a bad digit,
// an empty text or an overflow.
bool DecodeIndexNumber(std::string_view digits, uint64_t& value);

// Lines "word TAB offset TAB length". Throws std::runtime_error naming the line on a
// malformed line.
std::vector<IndexEntry> ParseIndex(std::string_view text);

// The entries that are articles: not the database notes ("00-database-...", "00database...")
// nor the key of abbreviations ("_a.", "_n.", ...).
bool IsArticleEntry(std::string_view word);

// Source transcription (UTF-8, without brackets) in the codes of the phonetic font.
std::string ConvertTranscription(std::string_view utf8);

// UTF-8 text to Windows-1251: bracketed groups become converted transcriptions, accented
// Latin letters lose their accents, "<" and ">" become angle quotes so they never read
// as markup; anything else the code page lacks is dropped.
std::string SourceToCp1251(std::string_view utf8);

enum class LineKind { Lead, Homonym, Group, Sense, SubSense };

// One logical line of an article: the source's wrapped lines joined back.
struct SourceLine {
  LineKind kind = LineKind::Lead;
  std::string marker;   // "I", "2.", "10)", "а)"; empty for the lead line
  std::string content;  // Windows-1251, after the marker
};

// Splits an article body (Windows-1251, the headword line removed) into logical lines:
// a line starts at a homonym mark "_I", a group "1.", a sense "1)" (also "10)word") or a
// sub-sense "а)"; other lines continue the one before, a word hyphenated at the line end
// joining without a space.
std::vector<SourceLine> SplitSourceLines(std::string_view body);

struct RussianLink {
  std::string russian;  // a translation phrase, Windows-1251, not yet lower case
  std::string pos;      // part of speech of its sense, e.g. "n.", may be empty
  int rank = 0;         // 4 x the sense's place in its part of speech + the phrase's place in it
};

// A word form that an article names with its dictionary form: "_p. от go" in the article
// of "went", "(went - gone)" after "_v." in the article of "go", "(_pl. admen)".
struct FormLink {
  std::string form;   // Windows-1251, lower case
  std::string lemma;  // Windows-1251, lower case
  std::string label;  // grammar label: "p.", "p-p.", "p. p-p.", "pres-p.", "pl.", "comp.", ...;
                      // "abbr" for an abbreviation ("_сокр. от bicycle"), which is no form
};

struct ConvertedArticle {
  std::string headword;       // as the article spells it, Windows-1251
  std::string transcription;  // phonetic codes, may be empty
  std::string article;        // one line of article markup
  std::string translation;    // short plain Russian translation
  std::vector<RussianLink> links;
  std::vector<FormLink> forms;
};

// The word forms one logical line of the article of `headword` names (both lower case,
// Windows-1251): the headword as a form of another word ("_p. и _p-p. от buy",
// "... гл. to be"), or forms of the headword ("_v. (went - gone)", "(_pl. admen)").
std::vector<FormLink> FormLinksOfLine(std::string_view headword, std::string_view content);

// Converts one source article (UTF-8, starting with its headword line).
ConvertedArticle ConvertArticle(std::string_view utf8);

// The translation phrases of a sense: the Russian text before its first English word,
// without labels, parenthesised comments, transcriptions and references, split at ";"
// into groups and at "," into phrases.
std::vector<std::vector<std::string>> SenseTranslations(std::string_view content);

}  // namespace lx::dictconv
