#include "app/run_directory.h"

namespace moxilo {

bool isGbkLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

std::string runDirectoryOf(std::string_view programPath, LeadByteTest isLeadByte) {
  std::size_t cut = std::string_view::npos;
  for (std::size_t i = 0; i < programPath.size(); ++i) {
    const auto byte = static_cast<unsigned char>(programPath[i]);
    if (isLeadByte(byte) && i + 1 < programPath.size()) {
      ++i;  // the trail byte belongs to this character
    } else if (byte == '\\') {
      cut = i;
    }
  }
  if (cut == std::string_view::npos) return {};
  return std::string(programPath.substr(0, cut));
}

}  // namespace moxilo
