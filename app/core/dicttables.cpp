#include "dicttables.h"

#include "textfile.h"

namespace lx {
namespace {

// Groups lines into records of `per` lines; a short last group is padded with empty lines.
template <typename Fn>
void ForEachRecord(std::string_view bytes, size_t per, Fn&& fn) {
  auto lines = SplitLines(bytes);
  for (size_t i = 0; i < lines.size(); i += per) {
    std::vector<std::string> rec(per);
    for (size_t k = 0; k < per && i + k < lines.size(); ++k) rec[k] = std::move(lines[i + k]);
    if (!fn(rec)) return;
  }
}

}  // namespace

void DictTable::Load(std::string_view bytes) {
  records_.clear();
  records_.reserve(kCapacity);
  ForEachRecord(bytes, 4, [this](std::vector<std::string>& r) {
    return Append({std::move(r[0]), std::move(r[1]), std::move(r[2]), std::move(r[3])});
  });
}

bool DictTable::Append(tdict record) {
  if (count() >= kCapacity) return false;
  records_.push_back(std::move(record));
  return true;
}

std::string DictTable::Serialize() const {
  std::string out;
  for (const auto& r : records_)
    out += r.headword + "\r\n" + r.transcription + "\r\n" + r.article + "\r\n" + r.translation + "\r\n";
  return out;
}

void Dict2Table::Load(std::string_view bytes) {
  records_.clear();
  records_.reserve(kCapacity);
  ForEachRecord(bytes, 2, [this](std::vector<std::string>& r) {
    return Append({std::move(r[0]), std::move(r[1])});
  });
}

bool Dict2Table::Append(tdict2 record) {
  if (count() >= kCapacity) return false;
  records_.push_back(std::move(record));
  return true;
}

std::string Dict2Table::Serialize() const {
  std::string out;
  for (const auto& r : records_) out += r.headword + "\r\n" + r.article + "\r\n";
  return out;
}

}  // namespace lx
