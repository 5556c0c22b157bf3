// Runs a fuzz target's entry over every file of the folders or files it is given,
// so the seed corpus is checked in every build without libFuzzer. Silent unless a
// file cannot be read; a broken property aborts.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

bool RunFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "cannot read %s\n", path.c_str());
    return false;
  }
  const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  size_t files = 0;
  bool ok = true;
  for (int i = 1; i < argc; ++i) {
    const std::filesystem::path arg(argv[i]);
    if (!std::filesystem::is_directory(arg)) {
      ok = RunFile(arg) && ok;
      ++files;
      continue;
    }
    for (const auto& entry : std::filesystem::directory_iterator(arg)) {
      if (!entry.is_regular_file()) continue;
      ok = RunFile(entry.path()) && ok;
      ++files;
    }
  }
  if (files == 0) {
    std::fprintf(stderr, "no seed files\n");
    return 1;
  }
  return ok ? 0 : 1;
}
