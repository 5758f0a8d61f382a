#include "skinh/skin_format.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace moxilo::skinh {
namespace {

ByteBuffer readSkinFile(int number) {
  char name[32];
  std::snprintf(name, sizeof name, "/resources/skins/skin%02d.she", number);
  std::ifstream in(std::string(MOXILO_SOURCE_DIR) + name, std::ios::binary);
  return ByteBuffer(std::istreambuf_iterator<char>(in), {});
}

std::string asText(const ByteBuffer& bytes) { return std::string(bytes.begin(), bytes.end()); }

// Skin 13 with `from` replaced by `to` and a checksum line that fits again, so
// that the checks behind the checksum are reached.
ByteBuffer editedSkin(const std::string& from, const std::string& to) {
  std::string text = asText(readSkinFile(13));
  text.erase(text.rfind("checksum = "));
  const std::size_t at = text.find(from);
  EXPECT_NE(at, std::string::npos) << from;
  if (at != std::string::npos) text.replace(at, from.size(), to);
  ByteBuffer bytes(text.begin(), text.end());
  char line[32];
  std::snprintf(line, sizeof line, "checksum = %08X\n", static_cast<unsigned>(skinChecksum(bytes)));
  bytes.insert(bytes.end(), line, line + std::string(line).size());
  return bytes;
}

TEST(SkinFormat, AcceptsAllBuiltInSkinsAndTheyDiffer) {
  std::set<std::string> names;
  std::vector<Skin> skins;
  for (int number = 1; number <= 33; ++number) {
    ByteBuffer bytes = readSkinFile(number);
    ASSERT_GE(bytes.size(), kSkinSignature.size()) << "skin " << number;
    EXPECT_TRUE(std::equal(kSkinSignature.begin(), kSkinSignature.end(), bytes.begin())) << "skin " << number;
    SkinParseResult result = parseSkin(bytes);
    ASSERT_TRUE(result.skin) << "skin " << number << ": " << toString(result.error) << " at line " << result.line;
    names.insert(result.skin->name);
    for (const Skin& earlier : skins) EXPECT_FALSE(earlier == *result.skin) << "skin " << number;
    skins.push_back(*result.skin);
  }
  EXPECT_EQ(names.size(), 33u);
}

TEST(SkinFormat, ReadsEveryKindOfValue) {
  SkinParseResult result = parseSkin(readSkinFile(13));
  ASSERT_TRUE(result.skin);
  const Skin& skin = *result.skin;
  EXPECT_EQ(skin.name, "Moxilo Lagoon");
  EXPECT_EQ(skin.face, (Rgb{0xED, 0xF2, 0xF1}));
  ASSERT_EQ(skin.captionActive.count, 4);
  EXPECT_EQ(skin.captionActive.stops[0], (Rgb{0x3B, 0x90, 0x9A}));
  EXPECT_EQ(skin.captionActive.stops[3], (Rgb{0x17, 0x5C, 0x64}));
  EXPECT_EQ(skin.buttonPressed.count, 2);
  EXPECT_EQ(skin.buttonRadius, 4);
  EXPECT_EQ(skin.aeroGloss, 150);
  EXPECT_EQ(skin.aeroShadowSize, 9);
  // The glyph is a 9 x 9 cross with rounded tips: ".#.....#." on top.
  ASSERT_EQ(skin.closeGlyph.width, 9);
  ASSERT_EQ(skin.closeGlyph.height, 9);
  EXPECT_FALSE(skin.closeGlyph.pixel(0, 0));
  EXPECT_TRUE(skin.closeGlyph.pixel(1, 0));
  EXPECT_TRUE(skin.closeGlyph.pixel(4, 4));
  EXPECT_FALSE(skin.closeGlyph.pixel(4, 0));
}

TEST(SkinFormat, RejectsDamagedSkins) {
  const ByteBuffer good = readSkinFile(13);
  const std::string text = asText(good);
  auto cut = [&](std::size_t size) { return ByteBuffer(good.begin(), good.begin() + size); };
  auto patched = [&](std::size_t offset, std::uint8_t value) {
    ByteBuffer bytes = good;
    bytes[offset] = value;
    return bytes;
  };
  auto appended = [&](const std::string& tail) {
    ByteBuffer bytes = good;
    bytes.insert(bytes.end(), tail.begin(), tail.end());
    return bytes;
  };
  struct Case {
    const char* what;
    ByteBuffer bytes;
    SkinError want;
  };
  const Case cases[] = {
      {"empty", {}, SkinError::Truncated},
      {"five signature bytes", cut(5), SkinError::Truncated},
      {"signature only", cut(6), SkinError::Truncated},
      {"cut in the middle", cut(good.size() / 2), SkinError::Truncated},
      {"last newline missing", cut(good.size() - 1), SkinError::Truncated},
      {"checksum line missing", cut(text.rfind("checksum")), SkinError::Truncated},
      {"first byte", patched(0, 'X'), SkinError::BadSignature},
      {"signature version byte", patched(5, 0x04), SkinError::BadSignature},
      {"a colour digit", patched(text.find("#EDF2F1") + 1, 'F'), SkinError::BadChecksum},
      {"a checksum digit", patched(text.rfind("checksum") + 11, 'Z'), SkinError::BadValue},
      {"a zero byte in a name", patched(text.find("Moxilo Lagoon"), 0), SkinError::BadValue},
      {"text after the checksum", appended("face = #000000\n"), SkinError::BadLine},
      {"over the size limit", ByteBuffer(kMaxSkinBytes + 1, '\n'), SkinError::TooLarge},
      {"newer format", editedSkin("format = 1", "format = 2"), SkinError::UnsupportedVersion},
      {"no format line first", editedSkin("format = 1\n", ""), SkinError::BadLine},
      {"line without '='", editedSkin("face = #EDF2F1", "face #EDF2F1"), SkinError::BadLine},
      {"unknown key", editedSkin("face =", "fase ="), SkinError::UnknownKey},
      {"duplicate key", editedSkin("text = #1C2B2E", "text = #1C2B2E\ntext = #1C2B2E"), SkinError::DuplicateKey},
      {"missing key", editedSkin("aero.gloss = 150\n", ""), SkinError::MissingKey},
      {"short colour", editedSkin("#EDF2F1", "#EDF2F"), SkinError::BadValue},
      {"colour without '#'", editedSkin("#EDF2F1", "0EDF2F1"), SkinError::BadValue},
      {"one gradient stop", editedSkin("button.pressed = #C6E0E1 #D8EBEC", "button.pressed = #C6E0E1"),
       SkinError::BadValue},
      {"five gradient stops", editedSkin("#175C64", "#175C64 #175C64"), SkinError::BadValue},
      {"radius over the limit", editedSkin("button.radius = 4", "button.radius = 9"), SkinError::BadValue},
      {"signed number", editedSkin("button.radius = 4", "button.radius = -4"), SkinError::BadValue},
      {"shadow under the limit", editedSkin("aero.shadow.size = 9", "aero.shadow.size = 1"), SkinError::BadValue},
      {"glyph bit right of its width", editedSkin("9 9 4100", "9 9 4140"), SkinError::BadValue},
      {"glyph with a row missing", editedSkin(" 4100\n", "\n"), SkinError::BadValue},
      {"glyph wider than 16", editedSkin("9 9 4100", "17 9 4100"), SkinError::BadValue},
      {"name too long", editedSkin("Moxilo Lagoon", std::string(kMaxNameBytes + 1, 'a')), SkinError::BadValue},
      {"line too long", editedSkin("; Built-in", "; " + std::string(kMaxLineBytes, 'x')), SkinError::BadLine},
      {"carriage return", editedSkin("face = #EDF2F1", "face = #EDF2F1\r"), SkinError::BadValue},
  };
  for (const Case& c : cases) {
    SkinParseResult result = parseSkin(c.bytes);
    EXPECT_FALSE(result.skin) << c.what;
    EXPECT_EQ(result.error, c.want) << c.what << ": got " << toString(result.error);
  }
}

TEST(SkinFormat, EveryTruncationAndBitFlipFails) {
  const ByteBuffer good = readSkinFile(13);
  ASSERT_TRUE(parseSkin(good).skin);
  for (std::size_t size = 0; size < good.size(); ++size) {
    EXPECT_FALSE(parseSkin(ByteSpan(good).first(size)).skin) << "cut to " << size;
  }
  ByteBuffer bytes = good;
  for (std::size_t offset = 0; offset < bytes.size(); ++offset) {
    for (int bit = 0; bit < 8; ++bit) {
      bytes[offset] ^= static_cast<std::uint8_t>(1 << bit);
      EXPECT_FALSE(parseSkin(bytes).skin) << "offset " << offset << " bit " << bit;
      bytes[offset] = good[offset];
    }
  }
}

TEST(SkinFormat, ChecksumIsCrc32) {
  const std::string check = "123456789";
  EXPECT_EQ(skinChecksum(ByteSpan(reinterpret_cast<const std::uint8_t*>(check.data()), check.size())),
            0xCBF43926u);
}

}  // namespace
}  // namespace moxilo::skinh
