#pragma once
// The filter list of the file dialogs, built from the component's filter text.
#include <string>
#include <string_view>

namespace moxilo {

// "jpg|*.jpg|gif|*.gif" becomes "jpg\0*.jpg\0gif\0*.gif\0\0": trailing white
// space dropped, every vertical bar a NUL, closed by an empty string. The text
// is double-byte: a byte after a lead byte is a trail byte and never a bar.
// An empty (or all white) filter gives an empty list, meaning none.
std::string buildFilterList(std::string_view fileFilter, bool (*isLeadByte)(unsigned char));

}  // namespace moxilo
