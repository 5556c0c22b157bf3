#pragma once
// The lesson 6 word list: entries, list primitives and the tab-separated file format.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace lx {

// Part-of-speech code 0..9; 0 means no tag, 9 is a verb.
using PosCode = int32_t;
constexpr PosCode kPosNone = 0;
constexpr PosCode kPosVerb = 9;

// File and grid tag of a code ("" for 0 and for codes outside 0..9).
std::string_view PosTag(PosCode code);
// Exact, case-sensitive match against the tag table; anything else gives 0.
PosCode PosFromTag(std::string_view tag);

// One word list entry. `mark` is ' ' for a word still to learn; any other byte
// counts as known, and only 'z' survives a save.
struct tspi {
  PosCode pos = kPosNone;
  char mark = ' ';
  std::string word;
  std::string translation;
  std::string form2;
  std::string form3;
  std::string form4;

  bool known() const { return mark != ' '; }
  bool operator==(const tspi&) const = default;
};

class WordList {
 public:
  static constexpr size_t kCapacity = 50000;

  size_t count() const { return entries_.size(); }
  bool empty() const { return entries_.empty(); }
  bool full() const { return entries_.size() >= kCapacity; }
  // Entries are numbered from 1.
  const tspi& at(size_t k) const { return entries_.at(k - 1); }
  tspi& at(size_t k) { return entries_.at(k - 1); }
  const std::vector<tspi>& entries() const { return entries_; }

  // False (and no change) when the list is full.
  bool Append(tspi entry);
  // Appends a new entry with this word unless an entry's word equals it exactly.
  // True when an entry was added.
  bool AppendWord(std::string_view word);
  // Inserts an empty entry at position k (1..count+1); later entries move down.
  bool InsertEmpty(size_t k);
  // Deletes entry k; later entries move up.
  bool Delete(size_t k);
  // Swaps entries k and k + 1.
  bool SwapWithNext(size_t k);
  void Clear();
  // Replaces every entry at once (a sort, a cut, a build); entries beyond the
  // capacity are dropped.
  void Assign(std::vector<tspi> entries);

  // Change notification: subscribers run after every change of the list (append,
  // insert, delete, swap, clear, a whole load). Callers that edit an entry in place
  // through at() call NotifyChanged themselves.
  // Subscribe returns a number that Unsubscribe takes, for subscribers that go
  // before the list does.
  int Subscribe(std::function<void()> changed);
  void Unsubscribe(int subscription);
  void NotifyChanged();
  // Holds notifications back while it lives; one notification follows if anything changed.
  class Batch {
   public:
    explicit Batch(WordList& list) : list_(list) { ++list_.held_; }
    ~Batch();
    Batch(const Batch&) = delete;
    Batch& operator=(const Batch&) = delete;
   private:
    WordList& list_;
  };

 private:
  std::vector<tspi> entries_;
  std::vector<std::pair<int, std::function<void()>>> subscribers_;
  int nextSubscription_ = 1;
  int held_ = 0;
  bool pending_ = false;
};

// One file line into an entry, and an entry into its line (without the line end).
tspi ParseWordLine(std::string_view line);
std::string FormatWordLine(const tspi& entry);

// Appends one entry per line of `bytes`; lines beyond the capacity are not read.
// Returns the number of lines left unread because the list was full.
size_t AppendWordLines(std::string_view bytes, WordList& list);
// The whole file text of a list (CR LF after every line; empty for an empty list).
std::string FormatWordList(const WordList& list);

// Empties the list and reads the file. Throws FileError when the file cannot be
// read; the list is then empty. Returns the number of lines beyond the capacity.
size_t LoadWordList(const std::string& path, WordList& list);
// Writes a temporary file and renames it over `path`, so a failure leaves the old
// file whole. False when the file could not be written.
bool SaveWordList(const std::string& path, const WordList& list);

// A list file name: ".txt" is appended unless the name already ends in it, in any case.
std::string WithTxtExtension(std::string_view name);

}  // namespace lx
