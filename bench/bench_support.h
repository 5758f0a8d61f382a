#pragma once
// Timing, shell and file helpers shared by the native benchmarks.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "base/byte_buffer.h"

namespace moxilo::bench_support {

// The best of `runs` timed runs, in seconds: the least disturbed by the other
// work on the machine.
inline double bestOf(int runs, const std::function<void()>& run) {
  double best = 1e9;
  for (int i = 0; i < runs; ++i) {
    const auto start = std::chrono::steady_clock::now();
    run();
    best = std::min(best, std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
  }
  return best;
}

// Runs a shell command; a failing peer ends the benchmark.
inline void runShell(const std::string& command) {
  if (std::system(command.c_str()) != 0) {
    std::fprintf(stderr, "failed: %s\n", command.c_str());
    std::exit(1);
  }
}

// Reads a file into a buffer of exactly its size, so that the buffer's growth
// does not raise the peak that a memory probe measures.
inline ByteBuffer readFile(const std::filesystem::path& path) {
  ByteBuffer bytes(std::filesystem::file_size(path));
  std::ifstream(path, std::ios::binary)
      .read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return bytes;
}

}  // namespace moxilo::bench_support
