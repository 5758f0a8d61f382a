// Decode-and-scale speed and memory of JPEG and GIF pictures against peers
// measured in the same run:
//   - a 24-megapixel JPEG to the 136 x 130 box, against djpeg's streaming decode
//     of the same file (goal: within 1.5 x);
//   - a 200-frame GIF animation composed frame by frame (and scaled to the box
//     as the animation thread does), against gif2rgb and ImageMagick -coalesce;
//   - the peak memory of the JPEG decode-and-scale beyond the file's bytes
//     (goal: under 4 MB), and of playing the animation.
// The inputs are made once in the work folder (default: the build folder):
//   jpeg_gif_bench [work-folder]
#include <gif_lib.h>
#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <variant>
#include <vector>

#include "avatar/picture/area_scaler.h"
#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/gif_animation.h"
#include "bench/bench_support.h"

namespace fs = std::filesystem;
using namespace moxilo;
using bench_support::bestOf;
using bench_support::readFile;
using bench_support::runShell;

namespace {

constexpr Size kBox{136, 130};
constexpr int kRuns = 5;
constexpr int kFrames = 200;

// A photo-like 6000 x 4000 JPEG: a colour gradient under noise, quality 90.
fs::path makeJpeg(const fs::path& dir) {
  const fs::path path = dir / "bench-24mp.jpg";
  if (!fs::exists(path)) {
    std::printf("making %s with ImageMagick...\n", path.c_str());
    runShell("convert -size 6000x4000 gradient:'#2050a0'-'#f0c040' -attenuate 0.4 +noise Gaussian -quality 90 '" +
             path.string() + "'");
  }
  return path;
}

int appendToFile(GifFileType* gif, const GifByteType* data, int count) {
  return static_cast<int>(std::fwrite(data, 1, static_cast<std::size_t>(count), static_cast<FILE*>(gif->UserData)));
}

// A 400 x 300 animation of 200 frames: a full first frame, then 160 x 120
// patches wandering over it with transparency and every disposal method.
fs::path makeGif(const fs::path& dir) {
  const fs::path path = dir / "bench-200-frames.gif";
  if (fs::exists(path)) return path;
  FILE* file = std::fopen(path.c_str(), "wb");
  int error = 0;
  GifFileType* gif = EGifOpen(file, appendToFile, &error);
  std::vector<GifColorType> colours(256);
  for (int i = 0; i < 256; ++i) {
    colours[i] = {static_cast<GifByteType>(i), static_cast<GifByteType>((i * 7) & 0xFF),
                  static_cast<GifByteType>(255 - i)};
  }
  ColorMapObject* map = GifMakeMapObject(256, colours.data());
  EGifSetGifVersion(gif, true);
  EGifPutScreenDesc(gif, 400, 300, 8, 0, map);
  std::uint32_t seed = 12345;
  auto noise = [&seed] {
    seed = seed * 1103515245 + 12345;
    return static_cast<GifPixelType>((seed >> 16) & 0x3F);
  };
  for (int f = 0; f < kFrames; ++f) {
    const int w = f == 0 ? 400 : 160;
    const int h = f == 0 ? 300 : 120;
    const int left = f == 0 ? 0 : (f * 17) % (400 - w);
    const int top = f == 0 ? 0 : (f * 11) % (300 - h);
    const GifByteType control[4] = {static_cast<GifByteType>(((f % 3 + 1) << 2) | 1), 4, 0, 0};
    EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control);
    EGifPutImageDesc(gif, left, top, w, h, false, nullptr);
    std::vector<GifPixelType> row(static_cast<std::size_t>(w));
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) {
        row[x] = ((x / 8 + y / 8 + f) % 5 == 0) ? 0 : static_cast<GifPixelType>((x + y + f) % 192 + noise());
      }
      EGifPutLine(gif, row.data(), w);
    }
  }
  EGifCloseFile(gif, &error);
  GifFreeMapObject(map);
  std::fclose(file);
  return path;
}

// Runs `work` in a child process and gives the peak resident memory it added
// beyond what the process held when it started (the file bytes included). The
// free heap is given back first, so that reused pages of earlier runs do not
// hide the work's own; writing 5 to clear_refs resets the peak to the current
// size (Linux).
long long peakExtraBytes(const std::function<void()>& work) {
  int pipeEnds[2];
  if (pipe(pipeEnds) != 0) return -1;
  const pid_t child = fork();
  if (child == 0) {
    auto status = [](const char* field) {
      std::ifstream in("/proc/self/status");
      std::string line;
      while (std::getline(in, line)) {
        if (line.rfind(field, 0) == 0) return std::atoll(line.c_str() + std::string(field).size()) * 1024;
      }
      return 0LL;
    };
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long long before = status("VmRSS:");
    work();
    const long long extra = status("VmHWM:") - before;
    if (write(pipeEnds[1], &extra, sizeof extra) != sizeof extra) _exit(1);
    _exit(0);
  }
  long long extra = -1;
  if (read(pipeEnds[0], &extra, sizeof extra) != sizeof extra) extra = -1;
  waitpid(child, nullptr, 0);
  close(pipeEnds[0]);
  close(pipeEnds[1]);
  return extra;
}

void benchJpeg(const fs::path& path) {
  const ByteBuffer bytes = readFile(path);
  std::printf("\nJPEG %s: %.1f MB\n", path.filename().c_str(), bytes.size() / 1e6);
  bool ok = true;
  auto decodeScale = [&](ScaleMode mode) {
    const DecodedPicture picture = decodePicture(bytes, kBox, mode);
    ok = ok && std::holds_alternative<StillImage>(picture);
  };
  const double ours = bestOf(kRuns, [&] { decodeScale(ScaleMode::AreaAverage); });
  const double sampled = bestOf(kRuns, [&] { decodeScale(ScaleMode::Sample); });
  const double djpeg = bestOf(kRuns, [&] { runShell("djpeg -outfile /dev/null '" + path.string() + "'"); });
  if (!ok) std::printf("  DECODE FAILED\n");
  std::printf("  djpeg streaming decode         %7.1f ms  %6.1f Mpx/s\n", djpeg * 1e3, 24.0 / djpeg);
  std::printf("  decode + area-average to box   %7.1f ms  %6.1f Mpx/s  ratio %.2f (goal <= 1.5)\n", ours * 1e3,
              24.0 / ours, ours / djpeg);
  std::printf("  decode + sample to box         %7.1f ms  %6.1f Mpx/s  ratio %.2f\n", sampled * 1e3, 24.0 / sampled,
              sampled / djpeg);
  const long long extra = peakExtraBytes([&] { decodeScale(ScaleMode::AreaAverage); });
  std::printf("  peak memory beyond the file's bytes: %.2f MB (goal < 4 MB); file %.2f MB\n", extra / 1048576.0,
              bytes.size() / 1048576.0);
}

void playAll(GifAnimation& animation, bool scale) {
  for (int i = 1; i < animation.frameCount(); ++i) {
    animation.advance();
    if (!scale) continue;
    AreaScaler scaler(kBox);
    const Size size = animation.size();
    scaler.begin(static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height));
    for (int y = 0; y < size.height; ++y) {
      scaler.row(static_cast<std::uint32_t>(y),
                 animation.canvas().subspan(static_cast<std::size_t>(y) * size.width, size.width));
    }
    (void)scaler.take();
  }
}

void benchGif(const fs::path& path) {
  const ByteBuffer bytes = readFile(path);
  const auto probe = GifAnimation::create(bytes);
  if (!probe) {
    std::printf("GIF DECODE FAILED\n");
    return;
  }
  const double pixels = kFrames * 160.0 * 120 / 1e6;
  std::printf("\nGIF %s: %d frames, %d x %d, %.2f MB\n", path.filename().c_str(), probe->frameCount(),
              probe->size().width, probe->size().height, bytes.size() / 1e6);
  const double compose = bestOf(kRuns, [&] {
    const auto animation = GifAnimation::create(bytes);
    playAll(*animation, false);
  });
  const double composeScale = bestOf(kRuns, [&] {
    const auto animation = GifAnimation::create(bytes);
    playAll(*animation, true);
  });
  const double gif2rgb = bestOf(kRuns, [&] { runShell("gif2rgb -1 -o /dev/null '" + path.string() + "'"); });
  const double magick = bestOf(kRuns, [&] { runShell("convert '" + path.string() + "' -coalesce rgb:/dev/null"); });
  std::printf("  gif2rgb (all frames onto one screen)  %7.1f ms\n", gif2rgb * 1e3);
  std::printf("  ImageMagick -coalesce                 %7.1f ms\n", magick * 1e3);
  std::printf("  ours: compose every frame             %7.1f ms  %6.1f Mpx/s  ratio %.2f to gif2rgb, %.2f to "
              "ImageMagick\n",
              compose * 1e3, pixels / compose, compose / gif2rgb, compose / magick);
  std::printf("  ours: compose and scale every frame   %7.1f ms  %.2f ms a frame\n", composeScale * 1e3,
              composeScale * 1e3 / kFrames);
  for (const int passes : {1, 5}) {
    const long long extra = peakExtraBytes([&] {
      const auto animation = GifAnimation::create(bytes);
      for (int p = 0; p < passes; ++p) playAll(*animation, true);
    });
    std::printf("  peak memory playing %d pass(es): %.2f MB (canvas %.2f MB)\n", passes, extra / 1048576.0,
                probe->canvas().size_bytes() / 1048576.0);
  }
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path dir = argc > 1 ? fs::path(argv[1]) : fs::path(MOXILO_BINARY_DIR) / "bench-data";
  fs::create_directories(dir);
  benchJpeg(makeJpeg(dir));
  benchGif(makeGif(dir));
  return 0;
}
