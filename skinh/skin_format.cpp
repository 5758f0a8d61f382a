#include "skinh/skin_format.h"

#include <algorithm>
#include <bitset>
#include <string_view>
#include <variant>

namespace moxilo::skinh {
namespace {

struct IntField {
  int Skin::*member;
  int min;
  int max;
};

using Field = std::variant<std::string Skin::*, Rgb Skin::*, Gradient Skin::*, Glyph Skin::*, IntField>;

struct KeyRule {
  std::string_view key;
  Field field;
};

// Every key of format 1; all are required, each exactly once.
const KeyRule kRules[] = {
    {"name", &Skin::name},
    {"face", &Skin::face},
    {"text", &Skin::text},
    {"caption.active", &Skin::captionActive},
    {"caption.inactive", &Skin::captionInactive},
    {"caption.text.active", &Skin::captionTextActive},
    {"caption.text.inactive", &Skin::captionTextInactive},
    {"frame.active", &Skin::frameActive},
    {"frame.inactive", &Skin::frameInactive},
    {"frame.light", &Skin::frameLight},
    {"close.normal", &Skin::closeNormal},
    {"close.hover", &Skin::closeHover},
    {"close.pressed", &Skin::closePressed},
    {"close.glyph.colour", &Skin::closeGlyphColour},
    {"close.glyph", &Skin::closeGlyph},
    {"button.normal", &Skin::buttonNormal},
    {"button.hover", &Skin::buttonHover},
    {"button.pressed", &Skin::buttonPressed},
    {"button.disabled", &Skin::buttonDisabled},
    {"button.border", &Skin::buttonBorder},
    {"button.focus", &Skin::buttonFocus},
    {"button.text", &Skin::buttonText},
    {"button.text.disabled", &Skin::buttonTextDisabled},
    {"button.radius", IntField{&Skin::buttonRadius, 0, kMaxButtonRadius}},
    {"group.border", &Skin::groupBorder},
    {"group.text", &Skin::groupText},
    {"aero.gloss", IntField{&Skin::aeroGloss, 0, 255}},
    {"aero.glow", &Skin::aeroGlow},
    {"aero.shadow", &Skin::aeroShadow},
    {"aero.shadow.size", IntField{&Skin::aeroShadowSize, kMinShadowSize, kMaxShadowSize}},
};
constexpr std::size_t kRuleCount = std::size(kRules);

constexpr std::string_view kFormatKey = "format";
constexpr std::string_view kChecksumKey = "checksum";

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// Splits off the next space-separated word.
std::string_view nextWord(std::string_view& s) {
  s = trim(s);
  std::size_t end = s.find_first_of(" \t");
  if (end == std::string_view::npos) end = s.size();
  std::string_view word = s.substr(0, end);
  s.remove_prefix(end);
  return word;
}

// Upper case only: one spelling per value, so that no damage goes unseen.
int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Exactly `digits` hex digits.
std::optional<std::uint32_t> parseHex(std::string_view s, std::size_t digits) {
  if (s.size() != digits) return std::nullopt;
  std::uint32_t value = 0;
  for (char c : s) {
    int d = hexDigit(c);
    if (d < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(d);
  }
  return value;
}

// Plain decimal, at most four digits, no sign.
std::optional<int> parseDecimal(std::string_view s) {
  if (s.empty() || s.size() > 4) return std::nullopt;
  int value = 0;
  for (char c : s) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<Rgb> parseColour(std::string_view s) {
  if (s.size() != 7 || s[0] != '#') return std::nullopt;
  auto value = parseHex(s.substr(1), 6);
  if (!value) return std::nullopt;
  return Rgb{static_cast<std::uint8_t>(*value >> 16), static_cast<std::uint8_t>(*value >> 8),
             static_cast<std::uint8_t>(*value)};
}

bool parseValue(std::string_view value, std::string& out) {
  if (value.empty() || value.size() > kMaxNameBytes) return false;
  if (!std::all_of(value.begin(), value.end(), [](char c) { return c >= 0x20 && c <= 0x7E; })) return false;
  out.assign(value);
  return true;
}

bool parseValue(std::string_view value, Rgb& out) {
  auto colour = parseColour(value);
  if (colour) out = *colour;
  return colour.has_value();
}

bool parseValue(std::string_view value, Gradient& out) {
  Gradient gradient;
  while (!trim(value).empty()) {
    if (gradient.count == kMaxGradientStops) return false;
    auto colour = parseColour(nextWord(value));
    if (!colour) return false;
    gradient.stops[gradient.count++] = *colour;
  }
  if (gradient.count < 2) return false;
  out = gradient;
  return true;
}

// "W H row1 ... rowH", each row four hex digits; no bit right of the width.
bool parseValue(std::string_view value, Glyph& out) {
  auto width = parseDecimal(nextWord(value));
  auto height = parseDecimal(nextWord(value));
  if (!width || !height || *width < 1 || *width > kMaxGlyphSide || *height < 1 || *height > kMaxGlyphSide) {
    return false;
  }
  Glyph glyph;
  glyph.width = *width;
  glyph.height = *height;
  const std::uint32_t outside = 0xFFFFu >> *width;
  for (int y = 0; y < *height; ++y) {
    auto row = parseHex(nextWord(value), 4);
    if (!row || (*row & outside) != 0) return false;
    glyph.rows[y] = static_cast<std::uint16_t>(*row);
  }
  if (!trim(value).empty()) return false;
  out = glyph;
  return true;
}

bool parseValue(std::string_view value, Skin& skin, const IntField& field) {
  auto number = parseDecimal(value);
  if (!number || *number < field.min || *number > field.max) return false;
  skin.*field.member = *number;
  return true;
}

bool applyRule(const KeyRule& rule, std::string_view value, Skin& skin) {
  return std::visit(
      [&](const auto& member) {
        using T = std::decay_t<decltype(member)>;
        if constexpr (std::is_same_v<T, IntField>) {
          return parseValue(value, skin, member);
        } else {
          return parseValue(value, skin.*member);
        }
      },
      rule.field);
}

bool isKeyChar(char c) { return (c >= 'a' && c <= 'z') || c == '.'; }

struct Line {
  std::string_view key;
  std::string_view value;
};

// "key = value"; blank lines and ';' comments give an empty key.
std::optional<Line> splitLine(std::string_view text) {
  if (text.size() > kMaxLineBytes) return std::nullopt;
  if (trim(text).empty() || trim(text).front() == ';') return Line{};
  std::size_t equals = text.find('=');
  if (equals == std::string_view::npos) return std::nullopt;
  Line line{trim(text.substr(0, equals)), trim(text.substr(equals + 1))};
  if (line.key.empty() || !std::all_of(line.key.begin(), line.key.end(), isKeyChar)) return std::nullopt;
  return line;
}

SkinParseResult failure(SkinError error, std::size_t line = 0) { return {std::nullopt, error, line}; }

}  // namespace

const char* toString(SkinError error) {
  switch (error) {
    case SkinError::None: return "none";
    case SkinError::TooLarge: return "too large";
    case SkinError::Truncated: return "truncated";
    case SkinError::BadSignature: return "bad signature";
    case SkinError::UnsupportedVersion: return "unsupported format version";
    case SkinError::BadLine: return "malformed line";
    case SkinError::UnknownKey: return "unknown key";
    case SkinError::DuplicateKey: return "duplicate key";
    case SkinError::BadValue: return "bad value";
    case SkinError::MissingKey: return "missing key";
    case SkinError::BadChecksum: return "bad checksum";
  }
  return "unknown error";
}

std::uint32_t skinChecksum(ByteSpan bytes) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
  }
  return ~crc;
}

SkinParseResult parseSkin(ByteSpan bytes) {
  if (bytes.size() > kMaxSkinBytes) return failure(SkinError::TooLarge);
  if (bytes.size() < kSkinSignature.size()) return failure(SkinError::Truncated);
  if (!std::equal(kSkinSignature.begin(), kSkinSignature.end(), bytes.begin())) {
    return failure(SkinError::BadSignature);
  }
  // Every line, the last included, ends with '\n'; a cut file loses it.
  if (bytes.back() != '\n') return failure(SkinError::Truncated);

  const std::string_view body(reinterpret_cast<const char*>(bytes.data()) + kSkinSignature.size(),
                              bytes.size() - kSkinSignature.size());
  Skin skin;
  std::bitset<kRuleCount> seen;
  bool versionSeen = false;
  std::size_t lineNumber = 0;
  std::size_t start = 0;
  while (start < body.size()) {
    ++lineNumber;
    const std::size_t end = body.find('\n', start);
    auto line = splitLine(body.substr(start, end - start));
    const std::size_t lineStart = start;
    start = end + 1;
    if (!line) return failure(SkinError::BadLine, lineNumber);
    if (line->key.empty()) continue;

    if (!versionSeen) {
      if (line->key != kFormatKey) return failure(SkinError::BadLine, lineNumber);
      if (line->value != "1") return failure(SkinError::UnsupportedVersion, lineNumber);
      versionSeen = true;
      continue;
    }
    if (line->key == kChecksumKey) {
      // The checksum line comes last and covers every byte before it.
      if (start != body.size()) return failure(SkinError::BadLine, lineNumber);
      auto stored = parseHex(line->value, 8);
      if (!stored) return failure(SkinError::BadValue, lineNumber);
      if (*stored != skinChecksum(bytes.first(kSkinSignature.size() + lineStart))) {
        return failure(SkinError::BadChecksum, lineNumber);
      }
      if (!seen.all()) return failure(SkinError::MissingKey, lineNumber);
      return {std::move(skin), SkinError::None, 0};
    }
    auto rule = std::find_if(std::begin(kRules), std::end(kRules),
                             [&](const KeyRule& r) { return r.key == line->key; });
    if (rule == std::end(kRules)) return failure(SkinError::UnknownKey, lineNumber);
    const std::size_t index = static_cast<std::size_t>(rule - std::begin(kRules));
    if (seen.test(index)) return failure(SkinError::DuplicateKey, lineNumber);
    if (!applyRule(*rule, line->value, skin)) return failure(SkinError::BadValue, lineNumber);
    seen.set(index);
  }
  return failure(SkinError::Truncated, lineNumber);
}

}  // namespace moxilo::skinh
