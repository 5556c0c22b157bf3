#include "dicttables.h"

#include <array>

#include "textfile.h"

namespace lx {
namespace {

// Groups lines into records of `per` lines; a short last group is padded with empty
// lines. fn returns false to stop (the table is full).
template <size_t per, typename Fn>
void ForEachRecord(std::string_view bytes, Fn&& fn) {
  std::array<std::string_view, per> rec{};
  size_t filled = 0;
  bool stopped = false;
  ForEachLine(bytes, [&](std::string_view line) {
    if (stopped) return;
    rec[filled++] = line;
    if (filled == per) {
      filled = 0;
      stopped = !fn(rec);
      rec = {};
    }
  });
  if (filled > 0 && !stopped) fn(rec);
}

}  // namespace

void DictTable::Load(std::string_view bytes) {
  records_.clear();
  records_.reserve(kCapacity);
  ForEachRecord<4>(bytes, [this](const std::array<std::string_view, 4>& r) {
    return Append({std::string(r[0]), std::string(r[1]), std::string(r[2]), std::string(r[3])});
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
  ForEachRecord<2>(bytes, [this](const std::array<std::string_view, 2>& r) {
    return Append({std::string(r[0]), std::string(r[1])});
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
