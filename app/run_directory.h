#pragma once
// RunDirectory: the running program's folder, worked out once at start.
#include <string>
#include <string_view>

namespace moxilo {

using LeadByteTest = bool (*)(unsigned char);

// The lead bytes of GBK (code page 936), whose trail byte may be 0x5C.
bool isGbkLeadByte(unsigned char byte);

// Everything before the last backslash of `programPath`, the backslash dropped.
// The path is read as double-byte text: a byte after a lead byte is a trail byte
// and never a separator. No backslash gives an empty text; "C:\a.exe" gives "C:".
std::string runDirectoryOf(std::string_view programPath, LeadByteTest isLeadByte);

}  // namespace moxilo
