#pragma once
// The engine's skin format: the six-byte signature, then a readable key/value
// body ended by a CRC-32 line. Layout and keys are described in skinh/README.md.
// Platform-free: the parser takes a byte span and never trusts it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "base/byte_buffer.h"

namespace moxilo::skinh {

inline constexpr std::array<std::uint8_t, 6> kSkinSignature = {0x2E, 0x53, 0x48, 0x45, 0x00, 0x03};
inline constexpr int kSkinFormatVersion = 1;
inline constexpr std::size_t kMaxSkinBytes = 64 * 1024;
inline constexpr std::size_t kMaxLineBytes = 512;
inline constexpr std::size_t kMaxNameBytes = 48;
inline constexpr int kMaxGradientStops = 4;
inline constexpr int kMaxGlyphSide = 16;
inline constexpr int kMaxButtonRadius = 8;
inline constexpr int kMinShadowSize = 2;
inline constexpr int kMaxShadowSize = 16;

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// Colours spaced evenly from top to bottom.
struct Gradient {
  std::array<Rgb, kMaxGradientStops> stops{};
  int count = 0;
  bool operator==(const Gradient&) const = default;
};

// A one-bit picture, at most 16 x 16: bit 15 of a row is its leftmost pixel.
struct Glyph {
  int width = 0;
  int height = 0;
  std::array<std::uint16_t, kMaxGlyphSide> rows{};
  bool pixel(int x, int y) const { return (rows[y] >> (15 - x)) & 1; }
  bool operator==(const Glyph&) const = default;
};

struct Skin {
  std::string name;
  Rgb face;
  Rgb text;
  Gradient captionActive;
  Gradient captionInactive;
  Rgb captionTextActive;
  Rgb captionTextInactive;
  Rgb frameActive;
  Rgb frameInactive;
  Rgb frameLight;
  Gradient closeNormal;
  Gradient closeHover;
  Gradient closePressed;
  Rgb closeGlyphColour;
  Glyph closeGlyph;
  Gradient buttonNormal;
  Gradient buttonHover;
  Gradient buttonPressed;
  Gradient buttonDisabled;
  Rgb buttonBorder;
  Rgb buttonFocus;
  Rgb buttonText;
  Rgb buttonTextDisabled;
  int buttonRadius = 0;
  Rgb groupBorder;
  Rgb groupText;
  int aeroGloss = 0;
  Rgb aeroGlow;
  Rgb aeroShadow;
  int aeroShadowSize = kMinShadowSize;
  bool operator==(const Skin&) const = default;
};

enum class SkinError {
  None,
  TooLarge,
  Truncated,
  BadSignature,
  UnsupportedVersion,
  BadLine,
  UnknownKey,
  DuplicateKey,
  BadValue,
  MissingKey,
  BadChecksum,
};

const char* toString(SkinError error);

struct SkinParseResult {
  std::optional<Skin> skin;
  SkinError error = SkinError::None;
  std::size_t line = 0;  // 1-based line of the body where parsing stopped, 0 if none
};

SkinParseResult parseSkin(ByteSpan bytes);

// CRC-32 (the zlib polynomial), as the checksum line holds it.
std::uint32_t skinChecksum(ByteSpan bytes);

}  // namespace moxilo::skinh
