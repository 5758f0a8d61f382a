#include "avatar/file_filter.h"

namespace moxilo {
namespace {

// Trail bytes are never below 0x40, so white space at the end is always whole.
bool isTrailingSpace(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

std::string buildFilterList(std::string_view fileFilter, bool (*isLeadByte)(unsigned char)) {
  std::size_t end = fileFilter.size();
  while (end > 0 && isTrailingSpace(fileFilter[end - 1])) --end;

  std::string list;
  list.reserve(end + 2);
  bool lastIsBar = false;
  bool lastTwoAreBars = false;
  for (std::size_t i = 0; i < end;) {
    const unsigned char c = static_cast<unsigned char>(fileFilter[i]);
    if (isLeadByte(c) && i + 1 < end) {
      list.append(fileFilter.substr(i, 2));
      lastTwoAreBars = lastIsBar = false;
      i += 2;
      continue;
    }
    lastTwoAreBars = lastIsBar && c == '|';
    lastIsBar = c == '|';
    list.push_back(lastIsBar ? '\0' : static_cast<char>(c));
    ++i;
  }
  if (!list.empty() && !lastTwoAreBars) list.append(2, '\0');
  return list;
}

}  // namespace moxilo
