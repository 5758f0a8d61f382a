#include <memory>

#include "avatar/picture/area_scaler.h"
#include "avatar/picture/bmp_decoder.h"
#include "avatar/picture/decode_still.h"
#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/gif_animation.h"
#include "avatar/picture/gif_decoder.h"
#include "avatar/picture/icon_directory.h"
#include "avatar/picture/jpeg_decoder.h"
#include "avatar/picture/pcx_decoder.h"
#include "avatar/picture/recognise.h"
#include "avatar/picture/sample_scaler.h"

namespace moxilo {
namespace {

template <typename Scaler>
DecodedPicture decodeScaled(ByteSpan bytes, PictureKind kind, Size box) {
  Scaler scaler(box);
  if (decodeStill(bytes, kind, scaler) != DecodeStatus::Ok) return {};
  return scaler.take();
}

}  // namespace

std::string_view toString(DecodeStatus status) {
  switch (status) {
    case DecodeStatus::Ok: return "ok";
    case DecodeStatus::Truncated: return "truncated";
    case DecodeStatus::Unsupported: return "unsupported";
    case DecodeStatus::OverLimit: return "over limit";
    case DecodeStatus::Corrupt: return "corrupt";
  }
  return "?";
}

DecodeStatus decodeStill(ByteSpan bytes, PictureKind kind, RowSink& sink) {
  switch (kind) {
    case PictureKind::Bmp: return decodeBmp(bytes, sink);
    case PictureKind::Jpeg: return decodeJpeg(bytes, sink);
    case PictureKind::Pcx8:
    case PictureKind::Pcx1: return decodePcx(bytes, sink);
    case PictureKind::Gif: return isGifStill(bytes) ? decodeGifStill(bytes, sink) : DecodeStatus::Unsupported;
    case PictureKind::Ico:
    case PictureKind::Cur: return DecodeStatus::Unsupported;
  }
  return DecodeStatus::Unsupported;
}

DecodedPicture decodePicture(ByteSpan bytes, Size box, ScaleMode mode) {
  const std::optional<PictureKind> kind = recognisePicture(bytes);
  if (!kind) return {};
  if (*kind == PictureKind::Ico || *kind == PictureKind::Cur) {
    IconImage icon;
    if (readIconImage(bytes, icon) != DecodeStatus::Ok) return {};
    return icon;
  }
  if (*kind == PictureKind::Gif && !isGifStill(bytes)) {
    std::unique_ptr<GifAnimation> animation = GifAnimation::create(bytes);
    if (!animation) return {};
    return animation;
  }
  if (mode == ScaleMode::AreaAverage) return decodeScaled<AreaScaler>(bytes, *kind, box);
  return decodeScaled<SampleScaler>(bytes, *kind, box);
}

}  // namespace moxilo
