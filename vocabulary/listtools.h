#pragma once
// The list commands of lesson 6 that work on the whole list: the sorts, merge, cut,
// building a list from a text and the quick translation. Plain C++; each changes
// the list in one step, so subscribers hear of it once.
#include <cstddef>
#include <functional>
#include <string_view>

#include "vocabulary/headwordindex.h"
#include "vocabulary/wordlist.h"

namespace lx {

// Stable ascending sorts: by word bytes, by part-of-speech code, by mark byte.
void SortByWord(WordList& list);
void SortByPos(WordList& list);
void SortByMark(WordList& list);

// Appends one entry per line of a list file's text, duplicates included; the number
// of lines left out because the list became full.
size_t MergeLines(std::string_view bytes, WordList& list);

// Whether a list entry goes when a cut file holds `read`: the same word with equal
// parts of speech or either untagged, or an untagged entry that is one of the
// forms of a verb read from the file.
bool CutMatches(const tspi& entry, const tspi& read);
// Removes from the list every entry that an entry of the file's text matches.
// Returns the number of entries removed.
size_t CutLines(std::string_view bytes, WordList& list);

// Progress of a long command: called with (done, total) whenever the percentage
// it gives moves on.
using ProgressFn = std::function<void(size_t done, size_t total)>;

// The 13 characters a text is cut into words at.
bool IsTextSeparator(char c);

// Replaces the list by the dictionary words of a text, most frequent first (equal
// counts in order of first appearance). Tokens are folded to lower case; one-letter
// words are never added; "s", "ing" and "ed" endings are tried off in turn.
void BuildFromText(std::string_view text, const HeadwordIndex& headwords, WordList& list,
                   const ProgressFn& progress = {});

// Fills each empty translation whose word is an exact headword with the
// dictionary's translation (tabs become spaces). Returns the number filled.
size_t QuickTranslate(WordList& list, const HeadwordIndex& headwords, const ProgressFn& progress = {});

}  // namespace lx
