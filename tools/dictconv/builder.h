#pragma once
// Builds the course's two dictionary tables from the source index and article text.
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/core/dicttables.h"
#include "mueller.h"

namespace lx::dictconv {

struct BuildResult {
  DictTable english;
  Dict2Table russian;
  int russianCandidates = 0;  // keys before the choice of the best ones
  // Word forms whose dictionary form is an English headword, sorted by form: what the
  // articles say, then the course's verb tables, then keys without apostrophes.
  std::vector<FormLink> forms;
};

// The forms of the course's verb tables: "arise TAB v TAB ... TAB arose TAB arisen TAB
// arising" (data/verbs.txt) or "answer TAB ... TAB answered TAB answered TAB answering TAB
// answers" (data/verb.txt); a cell may list several forms separated by commas.
std::vector<FormLink> CourseVerbForms(std::string_view tableCp1251);

// The table of forms as data/forms.txt stores it: "form TAB lemma TAB label", CR LF.
std::string SerializeForms(const std::vector<FormLink>& forms);

// Every article entry of `index` read from `text` (the decompressed .dict). Entries whose
// headwords fold to the same lower case share one record. Throws std::runtime_error when
// an entry points outside the text or a table would exceed its capacity.
// How often each English word (lower case) is used: WordNet's sense counts.
using WordCounts = std::unordered_map<std::string, long>;

// WordNet's cntlist.rev ("sense_key sense_number count" lines): the counts summed per word.
WordCounts ParseSenseCounts(std::string_view text);

// `courseForms` are further forms (the course's verb tables). A record whose short translation
// only names its lemma ("от go") takes the lemma's translation. The equivalents of a Russian
// key come the more common English words first (`counts`, then the size of their articles).
BuildResult BuildTables(const std::vector<IndexEntry>& index, std::string_view text,
                        const std::vector<FormLink>& courseForms = {}, const WordCounts& counts = {});

}  // namespace lx::dictconv
