// moxilo-probe: a developer's look at a picture file through exactly the
// program's recognition, decoders and scalers.
//
//   moxilo-probe FILE                   kind, size, frame count and delays
//   moxilo-probe FILE --full OUT        the full-size still image
//   moxilo-probe FILE --scaled OUT      the still image scaled to the box
//       [--sample] [--box WxH]          (colour-on-colour; box size, 136x130)
//   moxilo-probe FILE --frames PREFIX   each composed frame of one pass of an
//                                       animation, PREFIX-000.ppm and so on
// OUT ending in .pam is written as PAM, anything else as binary PPM.
// Exit code: 0 when the file is a picture, 1 when it gives nothing, 2 on misuse.
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "avatar/picture/decode_still.h"
#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/full_size_sink.h"
#include "avatar/picture/gif_animation.h"
#include "avatar/picture/icon_directory.h"
#include "avatar/picture/recognise.h"

namespace moxilo {
namespace {

constexpr Size kProgramBox = {136, 130};

bool writeImage(const std::string& path, Size size, std::span<const Pixel> pixels) {
  std::ofstream out(path, std::ios::binary);
  const bool pam = path.size() >= 4 && path.compare(path.size() - 4, 4, ".pam") == 0;
  if (pam) {
    out << "P7\nWIDTH " << size.width << "\nHEIGHT " << size.height
        << "\nDEPTH 3\nMAXVAL 255\nTUPLTYPE RGB\nENDHDR\n";
  } else {
    out << "P6\n" << size.width << " " << size.height << "\n255\n";
  }
  std::vector<char> rgb;
  rgb.reserve(pixels.size() * 3);
  for (const Pixel p : pixels) {
    rgb.push_back(static_cast<char>(p >> 16));
    rgb.push_back(static_cast<char>(p >> 8));
    rgb.push_back(static_cast<char>(p));
  }
  out.write(rgb.data(), static_cast<std::streamsize>(rgb.size()));
  return static_cast<bool>(out);
}

int nothing(std::string_view why) {
  std::printf("nothing: %.*s\n", static_cast<int>(why.size()), why.data());
  return 1;
}

int describe(ByteSpan bytes, PictureKind kind) {
  std::printf("kind: %.*s\n", static_cast<int>(toString(kind).size()), toString(kind).data());
  const DecodedPicture picture = decodePicture(bytes, kProgramBox, ScaleMode::AreaAverage);
  if (std::holds_alternative<std::monostate>(picture)) return nothing("not decoded");
  if (const auto* icon = std::get_if<IconImage>(&picture)) {
    std::uint32_t index = 0;
    chooseIconEntry(bytes, index);
    std::printf("icon entry: %u\nsize: %dx%d\nbits: %d\nframes: 1\n", index, icon->width, icon->height,
                icon->bitCount);
    return 0;
  }
  if (const auto* animation = std::get_if<std::unique_ptr<GifAnimation>>(&picture)) {
    GifAnimation& a = **animation;
    std::printf("size: %dx%d\nframes: %d\ndelays ms:", a.size().width, a.size().height, a.frameCount());
    std::printf(" %d", a.currentDelayMs());
    for (int k = 1; k < a.frameCount(); ++k) std::printf(" %d", a.advance());
    std::printf("\n");
    return 0;
  }
  FullSizeSink sink;
  const DecodeStatus status = decodeStill(bytes, kind, sink);
  if (status != DecodeStatus::Ok) return nothing(toString(status));
  std::printf("size: %dx%d\nframes: 1\n", sink.image().size.width, sink.image().size.height);
  return 0;
}

int writeFull(ByteSpan bytes, PictureKind kind, const std::string& out) {
  FullSizeSink sink;
  const DecodeStatus status = decodeStill(bytes, kind, sink);
  if (status != DecodeStatus::Ok) return nothing(toString(status));
  return writeImage(out, sink.image().size, sink.image().pixels) ? 0 : 2;
}

int writeScaled(ByteSpan bytes, Size box, ScaleMode mode, const std::string& out) {
  const DecodedPicture picture = decodePicture(bytes, box, mode);
  const auto* still = std::get_if<StillImage>(&picture);
  if (!still) return nothing("no still image");
  return writeImage(out, still->size, still->pixels) ? 0 : 2;
}

int writeFrames(ByteSpan bytes, const std::string& prefix) {
  std::unique_ptr<GifAnimation> animation = GifAnimation::create(bytes);
  if (!animation) return nothing("no animation");
  for (int k = 0; k < animation->frameCount(); ++k) {
    if (k > 0) animation->advance();
    char name[16];
    std::snprintf(name, sizeof name, "-%03d.ppm", k);
    if (!writeImage(prefix + name, animation->size(), animation->canvas())) return 2;
  }
  return 0;
}

int usage() {
  std::fprintf(stderr,
               "usage: moxilo-probe FILE [--full OUT | --scaled OUT [--sample] [--box WxH] | --frames PREFIX]\n");
  return 2;
}

int run(int argc, char** argv) {
  if (argc < 2) return usage();
  std::ifstream in(argv[1], std::ios::binary);
  if (!in) return usage();
  const ByteBuffer bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  std::string action, out;
  Size box = kProgramBox;
  ScaleMode mode = ScaleMode::AreaAverage;
  for (int k = 2; k < argc; ++k) {
    const std::string_view arg = argv[k];
    if ((arg == "--full" || arg == "--scaled" || arg == "--frames") && k + 1 < argc) {
      action = arg;
      out = argv[++k];
    } else if (arg == "--sample") {
      mode = ScaleMode::Sample;
    } else if (arg == "--box" && k + 1 < argc) {
      if (std::sscanf(argv[++k], "%dx%d", &box.width, &box.height) != 2) return usage();
    } else {
      return usage();
    }
  }
  const std::optional<PictureKind> kind = recognisePicture(bytes);
  if (!kind) return nothing("not recognised");
  if (action.empty()) return describe(bytes, *kind);
  if (action == "--full") return writeFull(bytes, *kind, out);
  if (action == "--scaled") return writeScaled(bytes, box, mode, out);
  return writeFrames(bytes, out);
}

}  // namespace
}  // namespace moxilo

int main(int argc, char** argv) { return moxilo::run(argc, argv); }
