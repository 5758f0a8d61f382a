// Replays inputs through a fuzzer's entry point without libFuzzer: each
// argument is a file or a folder (walked recursively). Used by the native tests.
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

int replayFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  int replayed = 0;
  for (int k = 1; k < argc; ++k) {
    const std::filesystem::path path = argv[k];
    if (std::filesystem::is_directory(path)) {
      for (const auto& entry : std::filesystem::recursive_directory_iterator(path)) {
        if (entry.is_regular_file()) replayed += replayFile(entry.path());
      }
    } else if (std::filesystem::is_regular_file(path)) {
      replayed += replayFile(path);
    } else {
      std::fprintf(stderr, "no such file or folder: %s\n", argv[k]);
      return 2;
    }
  }
  std::printf("replayed %d inputs\n", replayed);
  return replayed > 0 ? 0 : 1;
}
