#pragma once
// The kind of a picture, told from its first six bytes alone.
#include <optional>
#include <string_view>

#include "base/byte_buffer.h"

namespace moxilo {

enum class PictureKind { Bmp, Jpeg, Ico, Cur, Gif, Pcx8, Pcx1 };

// The first matching row of the recognition table, in its order; nothing for
// fewer than six bytes or no match. The file name never plays a part.
std::optional<PictureKind> recognisePicture(ByteSpan bytes);

std::string_view toString(PictureKind kind);

}  // namespace moxilo
