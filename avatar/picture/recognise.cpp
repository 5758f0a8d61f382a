#include "avatar/picture/recognise.h"

#include <array>
#include <cstdint>

#include "avatar/picture/little_endian.h"

namespace moxilo {
namespace {

using Lead = std::array<std::uint8_t, 6>;

bool isIconDirectory(const Lead& b, std::uint16_t type) {
  return b[0] == 0 && b[1] == 0 && b[2] == type && b[3] == 0 && (b[4] | b[5]) != 0;
}

// One row of the table: the kind and the test of its leading bytes.
struct Rule {
  PictureKind kind;
  bool (*matches)(const Lead&);
};

constexpr Rule kRules[] = {
    {PictureKind::Bmp, [](const Lead& b) { return b[0] == 0x42 && b[1] == 0x4D; }},
    {PictureKind::Jpeg, [](const Lead& b) { return b[0] == 0xFF && b[1] == 0xD8; }},
    {PictureKind::Ico, [](const Lead& b) { return isIconDirectory(b, 1); }},
    {PictureKind::Cur, [](const Lead& b) { return isIconDirectory(b, 2); }},
    {PictureKind::Gif,
     [](const Lead& b) {
       return b[0] == 0x47 && b[1] == 0x49 && b[2] == 0x46 && b[3] == 0x38 &&
              (b[4] == 0x37 || b[4] == 0x39) && b[5] == 0x61;
     }},
    {PictureKind::Pcx8,
     [](const Lead& b) { return b[0] == 0x0A && b[1] <= 5 && b[2] == 1 && b[3] == 8; }},
    {PictureKind::Pcx1,
     [](const Lead& b) { return b[0] == 0x0A && b[1] == 3 && b[2] == 1 && b[3] == 1; }},
};

}  // namespace

std::optional<PictureKind> recognisePicture(ByteSpan bytes) {
  if (bytes.size() < 6) return std::nullopt;
  Lead lead;
  for (std::size_t i = 0; i < lead.size(); ++i) lead[i] = bytes[i];
  for (const Rule& rule : kRules) {
    if (rule.matches(lead)) return rule.kind;
  }
  return std::nullopt;
}

std::string_view toString(PictureKind kind) {
  switch (kind) {
    case PictureKind::Bmp: return "BMP";
    case PictureKind::Jpeg: return "JPEG";
    case PictureKind::Ico: return "ICO";
    case PictureKind::Cur: return "CUR";
    case PictureKind::Gif: return "GIF";
    case PictureKind::Pcx8: return "PCX 8-bit";
    case PictureKind::Pcx1: return "PCX 1-bit";
  }
  return "?";
}

}  // namespace moxilo
