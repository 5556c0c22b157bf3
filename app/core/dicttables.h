#pragma once
// The dictionary tables: English (data\dict1.txt, four lines a record) and Russian
// (data\dict2.txt, two lines a record), both sorted by headword bytes.
#include <string>
#include <string_view>
#include <vector>

namespace lx {

struct tdict {
  std::string headword;
  std::string transcription;
  std::string article;
  std::string translation;
};

struct tdict2 {
  std::string headword;
  std::string article;
};

class DictTable {
 public:
  static constexpr int kCapacity = 48525;
  // Records past the capacity are not loaded; a last record cut short keeps empty fields.
  void Load(std::string_view bytes);
  int count() const { return static_cast<int>(records_.size()); }
  const tdict& record(int n) const { return records_[static_cast<size_t>(n - 1)]; }  // from 1
  const std::vector<tdict>& records() const { return records_; }
  // False when the table is full.
  bool Append(tdict record);
  std::string Serialize() const;

 private:
  std::vector<tdict> records_;
};

class Dict2Table {
 public:
  static constexpr int kCapacity = 45680;
  void Load(std::string_view bytes);
  int count() const { return static_cast<int>(records_.size()); }
  const tdict2& record(int n) const { return records_[static_cast<size_t>(n - 1)]; }
  const std::vector<tdict2>& records() const { return records_; }
  bool Append(tdict2 record);
  std::string Serialize() const;

 private:
  std::vector<tdict2> records_;
};

}  // namespace lx
