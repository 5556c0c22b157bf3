#pragma once
// Headword lookups over the dictionary tables: exact, and the near match the
// dictionary window uses for words that are not headwords themselves.
#include <optional>
#include <string_view>

#include "app/core/dicttables.h"

namespace lx {

// Position (from 1) of the first English record whose headword equals the key.
std::optional<int> FindExactHeadword(const DictTable& table, std::string_view key);

// The headword equal to the key, or the best-scoring one of the 32 records on either
// side of where the key would stand; nothing when the key sorts after every headword.
std::optional<int> FindHeadword(const DictTable& table, std::string_view key);
std::optional<int> FindHeadword(const Dict2Table& table, std::string_view key);

int EnglishMatchScore(std::string_view key, std::string_view headword);
int RussianMatchScore(std::string_view key, std::string_view headword);

}  // namespace lx
