// Decode-and-scale speed and memory of BMP and PCX pictures, against
// ImageMagick and netpbm on the same files in the same run:
//   - megapixels a second from the file's bytes to the 136 x 130 box (area
//     averaging and sampling), against `convert -filter box -resize` and
//     `bmptopnm | pamscale` (`pcxtoppm | pamscale`); the peers' times include
//     their process start, so the ratios flatter them on small files;
//   - the peak memory of one decode-and-scale beyond the file's bytes,
//     measured with getrusage in a fresh process (goal: under 4 MB).
// The inputs are written once into the work folder (default: the build folder):
//   pictures_bench [work-folder]
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/gif_animation.h"
#include "bench/bench_support.h"

namespace fs = std::filesystem;
using namespace moxilo;
using bench_support::bestOf;
using bench_support::readFile;
using bench_support::runShell;

extern char** environ;

namespace {

constexpr Size kBox{136, 130};
constexpr int kRuns = 3;
constexpr std::uint32_t kWidth = 6000, kHeight = 4000;
constexpr double kMegapixels = kWidth * double{kHeight} / 1e6;

// A photo-like pattern: smooth gradients with a little hashed noise.
std::uint8_t channel(std::uint32_t x, std::uint32_t y, int c) {
  const std::uint32_t noise = ((x * 2654435761u) ^ (y * 40503u + static_cast<std::uint32_t>(c) * 977u)) >> 28;
  return static_cast<std::uint8_t>(((x * (c + 1) / 30) + (y * (3 - c) / 20) + noise) & 0xFF);
}

void put32(std::ofstream& out, std::uint32_t v) {
  const char b[4] = {static_cast<char>(v), static_cast<char>(v >> 8), static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
  out.write(b, 4);
}
void put16(std::ofstream& out, std::uint32_t v) {
  const char b[2] = {static_cast<char>(v), static_cast<char>(v >> 8)};
  out.write(b, 2);
}

fs::path makeBmp(const fs::path& dir) {
  const fs::path path = dir / "bench-24mp.bmp";
  if (fs::exists(path)) return path;
  const std::uint32_t stride = (kWidth * 3 + 3) / 4 * 4;
  std::ofstream out(path, std::ios::binary);
  out.write("BM", 2);
  put32(out, 54 + stride * kHeight);
  put32(out, 0);
  put32(out, 54);
  put32(out, 40);
  put32(out, kWidth);
  put32(out, kHeight);
  put16(out, 1);
  put16(out, 24);
  for (int k = 0; k < 6; ++k) put32(out, 0);
  std::vector<char> row(stride, 0);
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      for (int c = 0; c < 3; ++c) row[3 * x + c] = static_cast<char>(channel(x, y, c));
    }
    out.write(row.data(), stride);
  }
  return path;
}

// An 8-bit PCX of the same pattern quantised to 256 grey levels, run-length
// encoded per scanline.
fs::path makePcx(const fs::path& dir) {
  const fs::path path = dir / "bench-24mp.pcx";
  if (fs::exists(path)) return path;
  std::ofstream out(path, std::ios::binary);
  const char lead[4] = {0x0A, 5, 1, 8};
  out.write(lead, 4);
  put16(out, 0);
  put16(out, 0);
  put16(out, kWidth - 1);
  put16(out, kHeight - 1);
  put16(out, 72);
  put16(out, 72);
  const std::vector<char> zeros(128, 0);
  out.write(zeros.data(), 49);
  out.put(1);
  put16(out, kWidth);
  put16(out, 1);
  out.write(zeros.data(), 58);
  std::vector<char> encoded;
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    encoded.clear();
    std::uint32_t x = 0;
    while (x < kWidth) {
      const std::uint8_t v = channel(x / 4 * 4, y, 1);  // runs of four, as flat areas give
      std::uint32_t run = 1;
      while (x + run < kWidth && run < 63 && channel((x + run) / 4 * 4, y, 1) == v) ++run;
      if (run > 1 || v >= 0xC0) encoded.push_back(static_cast<char>(0xC0 | run));
      encoded.push_back(static_cast<char>(v));
      x += run;
    }
    out.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
  }
  out.put(0x0C);
  for (int k = 0; k < 256; ++k) {
    for (int c = 0; c < 3; ++c) out.put(static_cast<char>(k));
  }
  return path;
}

// Peak resident memory of one decode-and-scale beyond the file's bytes, in a
// fresh process of this program. A spawned process's getrusage peak starts at
// its parent's, so this runs before the parent has touched any picture.
long long peakExtraBytes(const fs::path& file) {
  std::string self = fs::read_symlink("/proc/self/exe");
  std::string flag = "--memory", name = file.string();
  char* argv[] = {self.data(), flag.data(), name.data(), nullptr};
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
  pid_t child = 0;
  const int failed = posix_spawn(&child, self.c_str(), &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipeEnds[1]);
  long long extra = -1;
  if (!failed) {
    char text[64] = {};
    if (read(pipeEnds[0], text, sizeof text - 1) > 0) extra = std::atoll(text);
    waitpid(child, nullptr, 0);
  }
  close(pipeEnds[0]);
  return extra;
}

long peakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

int measureMemory(const char* file) {
  const ByteBuffer bytes = readFile(file);
  const long before = peakKilobytes();
  const DecodedPicture picture = decodePicture(bytes, kBox, ScaleMode::AreaAverage);
  const long after = peakKilobytes();
  if (!std::holds_alternative<StillImage>(picture)) return 1;
  std::printf("%lld\n", static_cast<long long>(after - before) * 1024);
  return 0;
}

void bench(const char* title, const fs::path& path, const std::string& netpbmDecoder, long long extra) {
  const ByteBuffer bytes = readFile(path);
  std::printf("\n%s %s: %u x %u, %.1f MB\n", title, path.filename().c_str(), kWidth, kHeight, bytes.size() / 1e6);
  bool ok = true;
  auto decodeScale = [&](ScaleMode mode) {
    ok = ok && std::holds_alternative<StillImage>(decodePicture(bytes, kBox, mode));
  };
  const double area = bestOf(kRuns, [&] { decodeScale(ScaleMode::AreaAverage); });
  const double sample = bestOf(kRuns, [&] { decodeScale(ScaleMode::Sample); });
  std::string magickCommand = "convert '";
  magickCommand.append(path.string()).append("' -filter box -resize '136x130!' ppm:/dev/null");
  std::string netpbmCommand = netpbmDecoder;
  netpbmCommand.append(" '").append(path.string()).append("' 2>/dev/null | pamscale -width 136 -height 130 >/dev/null");
  const double magick = bestOf(kRuns, [&] { runShell(magickCommand); });
  const double netpbm = bestOf(kRuns, [&] { runShell(netpbmCommand); });
  if (!ok) std::printf("  DECODE FAILED\n");
  auto line = [](const char* what, double s, double peer) {
    std::printf("  %-34s %8.1f ms %7.1f Mpx/s", what, s * 1e3, kMegapixels / s);
    if (peer > 0) std::printf("  %.1f x faster", peer / s);
    std::printf("\n");
  };
  line("ImageMagick box resize", magick, 0);
  line("netpbm decode | pamscale", netpbm, 0);
  line("ours, area average (vs ImageMagick)", area, magick);
  line("ours, area average (vs netpbm)", area, netpbm);
  line("ours, sample (vs ImageMagick)", sample, magick);
  std::printf("  peak memory beyond the file's bytes: %.2f MB (goal < 4 MB); file %.1f MB\n", extra / 1048576.0,
              bytes.size() / 1048576.0);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--memory") == 0) return measureMemory(argv[2]);
  const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::path(MOXILO_BINARY_DIR);
  fs::create_directories(dir);
  const fs::path bmp = makeBmp(dir), pcx = makePcx(dir);
  const long long bmpExtra = peakExtraBytes(bmp), pcxExtra = peakExtraBytes(pcx);
  bench("BMP", bmp, "bmptopnm", bmpExtra);
  bench("PCX", pcx, "pcxtoppm", pcxExtra);
  return 0;
}
