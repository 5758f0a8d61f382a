#pragma once
// Builds small GIF files for the tests with giflib's encoder, from a
// description of the screen and the frames.
#include <gif_lib.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "avatar/picture/decoded_picture.h"

namespace moxilo::test {

struct GifTestFrame {
  int left = 0;
  int top = 0;
  int width = 1;
  int height = 1;
  std::vector<std::uint8_t> indices;  // width * height, top-down
  bool interlaced = false;
  std::vector<Pixel> localColours;    // a power of two entries, or none
  bool control = true;                // writes a graphic control extension
  int disposal = 0;
  int delay = 0;  // hundredths of a second
  std::optional<std::uint8_t> transparent;
};

struct GifTestFile {
  int width = 1;
  int height = 1;
  std::vector<Pixel> globalColours;  // a power of two entries, or none
  std::vector<GifTestFrame> frames;
};

inline ColorMapObject* makeColourMap(const std::vector<Pixel>& colours) {
  if (colours.empty()) return nullptr;
  std::vector<GifColorType> entries;
  for (const Pixel p : colours) {
    entries.push_back({static_cast<GifByteType>(p >> 16), static_cast<GifByteType>(p >> 8),
                       static_cast<GifByteType>(p)});
  }
  return GifMakeMapObject(static_cast<int>(entries.size()), entries.data());
}

inline int appendToBuffer(GifFileType* gif, const GifByteType* data, int count) {
  auto* out = static_cast<ByteBuffer*>(gif->UserData);
  out->insert(out->end(), data, data + count);
  return count;
}

// Rows of an interlaced image in the order they are stored: every 8th from 0,
// every 8th from 4, every 4th from 2, every 2nd from 1.
inline std::vector<int> interlacedOrder(int height) {
  std::vector<int> order;
  for (const auto& [first, step] : {std::pair{0, 8}, {4, 8}, {2, 4}, {1, 2}}) {
    for (int y = first; y < height; y += step) order.push_back(y);
  }
  return order;
}

inline ByteBuffer makeGif(const GifTestFile& file) {
  ByteBuffer out;
  int error = 0;
  GifFileType* gif = EGifOpen(&out, appendToBuffer, &error);
  if (gif == nullptr) throw std::runtime_error("EGifOpen");
  EGifSetGifVersion(gif, true);
  ColorMapObject* global = makeColourMap(file.globalColours);
  bool ok = EGifPutScreenDesc(gif, file.width, file.height, 8, 0, global) == GIF_OK;
  GifFreeMapObject(global);
  for (const GifTestFrame& frame : file.frames) {
    if (frame.control) {
      const GifByteType control[4] = {
          static_cast<GifByteType>((frame.disposal << 2) | (frame.transparent ? 1 : 0)),
          static_cast<GifByteType>(frame.delay & 0xFF), static_cast<GifByteType>(frame.delay >> 8),
          frame.transparent.value_or(0)};
      ok = ok && EGifPutExtension(gif, GRAPHICS_EXT_FUNC_CODE, 4, control) == GIF_OK;
    }
    ColorMapObject* local = makeColourMap(frame.localColours);
    ok = ok && EGifPutImageDesc(gif, frame.left, frame.top, frame.width, frame.height, frame.interlaced,
                                local) == GIF_OK;
    GifFreeMapObject(local);
    std::vector<int> order;
    for (int y = 0; y < frame.height; ++y) order.push_back(y);
    if (frame.interlaced) order = interlacedOrder(frame.height);
    for (const int y : order) {
      std::vector<GifPixelType> row(frame.indices.begin() + y * frame.width,
                                    frame.indices.begin() + (y + 1) * frame.width);
      ok = ok && EGifPutLine(gif, row.data(), frame.width) == GIF_OK;
    }
  }
  ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
  if (!ok) throw std::runtime_error("giflib could not write the test file");
  return out;
}

}  // namespace moxilo::test
