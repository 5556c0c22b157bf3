// noun.txt: the parser keeps its limits, and the drills built from whatever it
// read draw and answer without fault.
#include "drills/sentences.h"
#include "fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  const lx::NounGroups nouns = lx::ParseNounGroups(bytes);
  for (const auto& group : nouns.groups) FUZZ_CHECK(group.size() <= lx::NounGroups::kMaxEntries);
  lx::VerbTable verbs;
  verbs.verbs.push_back({"write", "\xef\xe8\xf1\xe0\xf2\xfc", "wrote", "written", "writing", "writes"});
  const lx::RandomSource random = fuzz::SeededRandom(bytes);
  const lx::Practice4Task t4 = lx::DrawPractice4(nouns, verbs, random);
  FUZZ_CHECK(!t4.sentence.empty());
  lx::Practice4Answer(t4, nouns, verbs);
  const lx::Practice5Task t5 = lx::DrawPractice5(nouns, verbs, random);
  lx::Practice5Answer(t5, nouns, verbs);
  return 0;
}
