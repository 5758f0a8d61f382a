#pragma once
// Tiny picture files built from byte tables in the tests, and the checks the
// decoder tests share.
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/full_size_sink.h"

namespace moxilo::testing {

class ByteWriter {
 public:
  ByteWriter& u8(std::uint32_t v) {
    bytes.push_back(static_cast<std::uint8_t>(v));
    return *this;
  }
  ByteWriter& u16(std::uint32_t v) { return u8(v).u8(v >> 8); }
  ByteWriter& u32(std::uint32_t v) { return u16(v).u16(v >> 16); }
  ByteWriter& i32(std::int32_t v) { return u32(static_cast<std::uint32_t>(v)); }
  ByteWriter& raw(std::initializer_list<std::uint8_t> list) {
    bytes.insert(bytes.end(), list);
    return *this;
  }
  ByteWriter& raw(const std::vector<std::uint8_t>& more) {
    bytes.insert(bytes.end(), more.begin(), more.end());
    return *this;
  }
  ByteWriter& zeros(std::size_t count) {
    bytes.insert(bytes.end(), count, 0);
    return *this;
  }
  void putU32(std::size_t at, std::uint32_t v) {
    for (int k = 0; k < 4; ++k) bytes.at(at + k) = static_cast<std::uint8_t>(v >> (8 * k));
  }
  ByteBuffer bytes;
};

// A BMP file: rows in stored order, each padded here to 4 bytes.
struct BmpRecipe {
  std::int32_t width = 1;
  std::int32_t height = 1;
  std::uint32_t bitCount = 24;
  std::uint32_t headerSize = 40;
  std::uint32_t compression = 0;
  std::uint32_t coloursUsed = 0;
  std::vector<Pixel> palette;
  std::vector<std::vector<std::uint8_t>> rows;
  std::int64_t pixelOffset = -1;  // -1: right after the colour table
};

inline ByteBuffer makeBmp(const BmpRecipe& r) {
  ByteWriter w;
  const std::uint32_t headersEnd = 14 + r.headerSize + 4 * static_cast<std::uint32_t>(r.palette.size());
  const std::uint32_t offset = r.pixelOffset < 0 ? headersEnd : static_cast<std::uint32_t>(r.pixelOffset);
  w.raw({'B', 'M'}).u32(0).u32(0).u32(offset);
  w.u32(r.headerSize).i32(r.width).i32(r.height).u16(1).u16(r.bitCount).u32(r.compression);
  w.u32(0).u32(2835).u32(2835).u32(r.coloursUsed).u32(0);
  w.zeros(r.headerSize - 40);
  for (const Pixel p : r.palette) w.u8(p).u8(p >> 8).u8(p >> 16).u8(0);
  while (w.bytes.size() < offset) w.u8(0);
  for (const auto& row : r.rows) {
    w.raw(row);
    while ((w.bytes.size() - offset) % 4 != 0) w.u8(0);
  }
  w.putU32(2, static_cast<std::uint32_t>(w.bytes.size()));
  return w.bytes;
}

// A PCX file of one plane: header, encoded data, and for 8 bits the palette.
struct PcxRecipe {
  std::uint8_t version = 5;
  std::uint8_t bitsPerPixel = 8;
  std::uint8_t planes = 1;
  std::uint16_t left = 0, top = 0, right = 0, bottom = 0;
  std::uint16_t bytesPerLine = 2;
  std::vector<std::uint8_t> data;
  std::vector<Pixel> palette;  // 8 bits: up to 256 entries, the rest black
  bool paletteMarker = true;
};

inline ByteBuffer makePcx(const PcxRecipe& r) {
  ByteWriter w;
  w.u8(0x0A).u8(r.version).u8(1).u8(r.bitsPerPixel);
  w.u16(r.left).u16(r.top).u16(r.right).u16(r.bottom).u16(72).u16(72);
  w.zeros(48).u8(0).u8(r.planes).u16(r.bytesPerLine).u16(1).zeros(58);
  w.raw(r.data);
  if (r.bitsPerPixel == 8) {
    w.u8(r.paletteMarker ? 0x0C : 0x00);
    for (std::size_t k = 0; k < 256; ++k) {
      const Pixel p = k < r.palette.size() ? r.palette[k] : 0;
      w.u8(p >> 16).u8(p >> 8).u8(p);
    }
  }
  return w.bytes;
}

// A file a decoder must refuse, and the failure it must give.
struct FailureCase {
  const char* name;
  ByteBuffer bytes;
  DecodeStatus want;
};

// Decodes `bytes` at full size with `decode` and checks the picture's size and
// its pixels, top-down.
inline void expectFullSizeDecode(DecodeStatus (*decode)(ByteSpan, RowSink&), const ByteBuffer& bytes, Size size,
                                 const std::vector<Pixel>& want, const char* name) {
  FullSizeSink sink;
  ASSERT_EQ(decode(bytes, sink), DecodeStatus::Ok) << name;
  EXPECT_EQ(sink.image().size.width, size.width) << name;
  EXPECT_EQ(sink.image().size.height, size.height) << name;
  EXPECT_EQ(sink.image().pixels, want) << name;
}

}  // namespace moxilo::testing
