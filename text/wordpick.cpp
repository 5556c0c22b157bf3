#include "text/wordpick.h"

#include "app/core/foldcase.h"

namespace lx {

bool IsWordChar(unsigned char c, WordChars set) {
  if ((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')) return true;
  if (c == ':' || c == '\'') return true;
  if (c == '-') return set != WordChars::Reader;
  if (set == WordChars::Latin) return false;
  if (c >= 192 || c == 168 || c == 184) return true;  // А..я, Ё, ё
  return set == WordChars::Dictionary && c == '_';
}

PickedWord PickWordAt(std::string_view line, int column, WordChars set) {
  // Positions run from 1 to n, as the rule is stated; at(p) is L[p].
  const int n = static_cast<int>(line.size());
  auto at = [&](int p) { return static_cast<unsigned char>(line[static_cast<size_t>(p - 1)]); };
  auto word = [&](int p) { return IsWordChar(at(p), set); };
  if (column < 0) return {};
  int p = column + 1;
  if (p > 1 && p <= n && !word(p) && word(p - 1)) --p;  // just behind a word
  if (p > n) return {};
  int s = p;
  while (s > 0 && word(s)) --s;
  int e = p;
  while (e <= n && word(e)) ++e;
  PickedWord picked;
  if (e - s - 1 <= 0) return picked;
  picked.word.assign(line.substr(static_cast<size_t>(s), static_cast<size_t>(e - s - 1)));
  picked.bracketed = s > 0 && at(s) == '[' && e <= n && at(e) == ']';
  if (!picked.bracketed) picked.word = FoldLower(picked.word);
  return picked;
}

std::string LookupKeyOf(std::string_view word) {
  std::string key;
  key.reserve(word.size());
  for (char c : word)
    if (c != ':' && c != '\'') key += c;
  return key;
}

PickAction ResolvePick(const PickedWord& picked, const SoundIndex& index) {
  PickAction action;
  if (picked.empty()) return action;
  if (picked.bracketed) {
    action.soundEntry = index.FindTranscription(picked.word);
    return action;
  }
  action.key = LookupKeyOf(picked.word);
  action.keyEntry = index.FindWord(action.key);
  action.lookUp = true;
  const bool lone = picked.word.size() == 1;
  const char c = picked.word.empty() ? 0 : picked.word[0];
  if (lone && c != 'a' && !(c >= '0' && c <= '9')) action.soundEntry = action.keyEntry;
  return action;
}

}  // namespace lx
