#pragma once
// Whole-file reading and writing for the Open and Save commands. Paths are text
// in the system's ANSI code page. Neither reports anything.
#include <cstdint>
#include <string>

#include "base/byte_buffer.h"

namespace moxilo {

// Files above this size are not read: no picture is that big, and the command
// and the picture box each hold a copy, which a 32-bit process could not.
inline constexpr std::uint64_t kMaxReadFileSize = std::uint64_t{256} << 20;

// The whole content of the file at `path`, opened so that others may read it
// meanwhile but not write it. Empty when the file cannot be opened, is empty or
// is larger than kMaxReadFileSize; a short read keeps what arrived.
ByteBuffer readWholeFile(const std::string& path);

// Makes the file at `path` hold exactly `bytes`; true when it does. The bytes
// go to a new file in the same folder, shared with nobody, which replaces the
// target only once it is wholly written and flushed. So a failure (an empty
// path, a missing folder, a read-only or locked target, a full disk) leaves an
// existing file untouched and no partial file behind.
bool writeWholeFile(const std::string& path, ByteSpan bytes);

}  // namespace moxilo
