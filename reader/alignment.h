#pragma once
// Sentence alignment of the English text and its Russian translation: both texts are
// cut into sentences and the two boundary sequences are matched by sentence lengths.
// Offsets count every character of the pane text, a line break as its CR and LF.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lx {

struct SentenceBoundary {
  int32_t endOffset = 0;  // 1-based index of the character that ended the sentence
  int32_t length = 0;     // characters counted for the sentence
  int32_t partner = 0;    // boundary of the other table
  bool operator==(const SentenceBoundary&) const = default;
};

struct SentenceTable {
  static constexpr size_t kMaxBoundaries = 10000;
  // Boundary k (1-based) is boundaries[k - 1]; boundary 1 is the start of the text.
  std::vector<SentenceBoundary> boundaries;
  int32_t count() const { return static_cast<int32_t>(boundaries.size()); }
  SentenceBoundary& at(int32_t k) { return boundaries[static_cast<size_t>(k - 1)]; }
  const SentenceBoundary& at(int32_t k) const { return boundaries[static_cast<size_t>(k - 1)]; }
};

// Cuts a text at full stops, question and exclamation marks that end at least two
// counted characters. Sentences past the table's capacity are not recorded.
SentenceTable SplitSentences(std::string_view text);

// The boundary counts allow an alignment: more than 10 each, ratio 0.7 to 1.3.
bool AlignmentPossible(int32_t englishCount, int32_t russianCount);

// Runs `FindAlignmentStep` over every English boundary, cancels short zigzags and
// gives every boundary of both tables a partner in 1..N of the other table.
void AlignTexts(SentenceTable& english, SentenceTable& russian);

// Russian boundary near the expected one `e` for English boundary `k`. Lengths are
// 1-based through index - 1 (lengths[0] is boundary 1).
int32_t FindAlignmentStep(const std::vector<int32_t>& englishLengths,
                          const std::vector<int32_t>& russianLengths, int32_t k, int32_t e);

// The boundary at which the sentence holding caret offset p starts (at least 1;
// 0 for an empty table).
int32_t BoundaryOfOffset(const SentenceTable& table, int32_t p);

struct PartnerExcerpt {
  int32_t caret = 0;  // caret offset for the other pane
  std::string text;   // the matching sentences with their neighbours
};

// For boundary `b` of table `a`: where pane B's caret goes and the excerpt of text B
// from `quickStart` sentences before the partner to `quickEnd` after it.
PartnerExcerpt PartnerExcerptOf(const SentenceTable& a, const SentenceTable& b,
                                std::string_view textB, int32_t boundary, int32_t quickStart = -1,
                                int32_t quickEnd = 4);

// Both tables of the reader with the validity of their alignment.
class SentenceAlignment {
 public:
  // Rebuild one table from its text and rerun the validity test against the other.
  void SplitEnglish(std::string_view text);
  void SplitRussian(std::string_view text);
  bool valid() const { return valid_; }
  const SentenceTable& english() const { return english_; }
  const SentenceTable& russian() const { return russian_; }

 private:
  void Check();
  SentenceTable english_;
  SentenceTable russian_;
  bool valid_ = false;
};

}  // namespace lx
