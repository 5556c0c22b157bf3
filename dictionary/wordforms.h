#pragma once
// From the word a learner clicks or types to the article they mean: the headword
// itself, a contraction's main word, an inflected form's dictionary form (from the
// table of forms built at set-up, then from the regular endings), and, for a word the
// dictionary does not know, the headwords that are spelled nearly alike.
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/dicttables.h"

namespace lx {

// data/forms.txt: "form TAB lemma TAB label" lines (Windows-1251), sorted by form.
class WordForms {
 public:
  struct Entry {
    std::string form;
    std::string lemma;
    std::string label;  // "p.", "p-p.", "pres-p.", "pl.", "comp.", "sup.", "v.", "'", ...
  };
  // Lines without three fields are skipped.
  void Load(std::string_view bytes);
  // The entries of a form, in file order.
  std::vector<const Entry*> Find(std::string_view form) const;
  size_t size() const { return entries_.size(); }

 private:
  std::vector<Entry> entries_;
};

// Position (from 1) of the record whose headword equals the key, by bisection of the
// sorted table.
std::optional<int> HeadwordPosition(const DictTable& table, std::string_view key);

// A contraction as a click gives it, without its apostrophe.
struct Contraction {
  const char* key;        // "dont"
  const char* spelled;    // "don't"
  const char* expansion;  // "do not"
  const char* mainWord;   // "do": the headword shown
  bool beforeHeadword;    // the contraction is far more common than the headword of its key (cant, wont)
};
const Contraction* FindContraction(std::string_view key);

// A dictionary form the regular endings suggest for a key.
struct EndingCandidate {
  std::string lemma;
  bool comparative = false;  // -er, -est: only an adjective or adverb has such forms
};

// The dictionary forms the regular endings suggest for a key, most likely first
// (-ies -> -y, -es, -s, -ed and -ing with a final e restored or a doubled consonant
// undone, -ier/-iest -> -y, -er/-est). Not checked against any table.
std::vector<EndingCandidate> EndingCandidates(std::string_view key);

enum class LookupRoute {
  Headword,     // the key is a headword
  Contraction,  // a contraction's main word
  Form,         // a form of the table of forms
  Ending,       // a regular ending removed
  NearMatch,    // unknown word; the near match shares a real prefix with it
  Unknown,      // unknown word; nothing related nearby
};

struct EnglishLookup {
  LookupRoute route = LookupRoute::Unknown;
  std::optional<int> entry;        // the record to show
  std::string lemma;               // Contraction, Form, Ending: the headword reached
  std::string label;               // Form: its grammar label
  const Contraction* contraction = nullptr;  // Contraction; also a Headword key that is one (ill)
};

// The click path for an English key already folded to lower case: the exact headword,
// a contraction, the table of forms, the regular endings, then the near match.
EnglishLookup LookUpEnglish(const DictTable& table, const WordForms& forms, std::string_view key);

// The lines (article markup, Windows-1251) the dictionary shows before the article to
// say how the key led to it: "went — форма слова go (прошедшее время)", "don't = do not",
// or, for an unknown word, that it is unknown and which headwords are spelled nearly
// alike. Empty for a headword that is nothing else.
std::string LookupNoteMarkup(const EnglishLookup& found, std::string_view key,
                             const std::vector<std::string>& suggestions);

// Headwords within two edits (insertions, deletions, substitutions, swaps of neighbours)
// of a key: closest first, then the more common (`rank` gives a word's place in a list of
// common words, lower is more common; none: by headword order), at most `limit`. Built
// once over a table: it keeps each headword's letters as a set to skip most of them fast.
class SpellingSuggester {
 public:
  explicit SpellingSuggester(const DictTable& table);
  std::vector<std::string> Suggest(std::string_view key, size_t limit,
                                   const std::function<int(std::string_view)>& rank = {}) const;

 private:
  const DictTable& table_;
  std::vector<uint32_t> letters_;  // bit i: letter 'a' + i occurs in the headword
};

// One suggestion list without keeping the suggester.
std::vector<std::string> SpellingSuggestions(const DictTable& table, std::string_view key, size_t limit,
                                             const std::function<int(std::string_view)>& rank = {});

}  // namespace lx
