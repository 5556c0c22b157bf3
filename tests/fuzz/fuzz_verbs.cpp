// verb.txt: the parser keeps its limits, and the drills built from whatever it
// read draw and answer without fault.
#include "drills/sentences.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const lx::VerbTable verbs = lx::ParseVerbTable(bytes);
  FUZZ_CHECK(verbs.verbs.size() <= lx::VerbTable::kMaxVerbs);
  lx::NounGroups nouns;
  for (auto& group : nouns.groups) group.push_back({"it", "\xfd\xf2\xee"});
  const lx::RandomSource random = fuzz::SeededRandom(bytes);
  const lx::Practice4Task t4 = lx::DrawPractice4(nouns, verbs, random);
  lx::Practice4Answer(t4, nouns, verbs);
  const lx::Practice5Task t5 = lx::DrawPractice5(nouns, verbs, random);
  lx::Practice5Answer(t5, nouns, verbs);
  return 0;
}
