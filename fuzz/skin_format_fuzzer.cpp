// Feeds the skin parser twice: the input as it is, and the input with a fitting
// checksum line, so that mutations get past the checksum to the key and value
// checks. A skin that parses must hold only values inside the format's limits.
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "skinh/skin_format.h"

namespace {

using namespace moxilo::skinh;

void require(bool condition, const char* what) {
  if (!condition) {
    std::fprintf(stderr, "skin invariant broken: %s\n", what);
    std::abort();
  }
}

void checkGradient(const Gradient& gradient) {
  require(gradient.count >= 2 && gradient.count <= kMaxGradientStops, "gradient stop count");
}

void checkSkin(const SkinParseResult& result) {
  require(result.skin.has_value() == (result.error == SkinError::None), "result and error agree");
  if (!result.skin) return;
  const Skin& skin = *result.skin;
  require(!skin.name.empty() && skin.name.size() <= kMaxNameBytes, "name length");
  for (const Gradient* g : {&skin.captionActive, &skin.captionInactive, &skin.closeNormal, &skin.closeHover,
                            &skin.closePressed, &skin.buttonNormal, &skin.buttonHover, &skin.buttonPressed,
                            &skin.buttonDisabled}) {
    checkGradient(*g);
  }
  const Glyph& glyph = skin.closeGlyph;
  require(glyph.width >= 1 && glyph.width <= kMaxGlyphSide && glyph.height >= 1 && glyph.height <= kMaxGlyphSide,
          "glyph size");
  for (int y = 0; y < glyph.height; ++y) require((glyph.rows[y] & (0xFFFFu >> glyph.width)) == 0, "glyph bits");
  require(skin.buttonRadius >= 0 && skin.buttonRadius <= kMaxButtonRadius, "button radius");
  require(skin.aeroGloss >= 0 && skin.aeroGloss <= 255, "gloss");
  require(skin.aeroShadowSize >= kMinShadowSize && skin.aeroShadowSize <= kMaxShadowSize, "shadow size");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const moxilo::ByteSpan input(data, size);
  checkSkin(parseSkin(input));

  // Drop a trailing checksum line, then append one that fits.
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::size_t keep = text.rfind("checksum =");
  if (keep == std::string_view::npos) keep = size;
  moxilo::ByteBuffer fixed(data, data + keep);
  char line[32];
  const int length = std::snprintf(line, sizeof line, "checksum = %08X\n",
                                   static_cast<unsigned>(skinChecksum(fixed)));
  fixed.insert(fixed.end(), line, line + length);
  checkSkin(parseSkin(fixed));
  return 0;
}
