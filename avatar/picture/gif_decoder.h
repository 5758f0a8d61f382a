#pragma once
// GIF still images and the walk over a GIF's blocks that tells a still image
// from an animation. The compositing of animations is in gif_animation.h.
#include "avatar/picture/decoded_picture.h"

namespace moxilo {

// A GIF (already recognised by its signature) whose first image takes up the
// whole stream, followed by at most the trailer byte, is a still image; any
// other GIF is an animation. Bytes of 13 or fewer are neither: both are false.
bool isGifStill(ByteSpan bytes);

// Decodes the first image of a GIF as a still picture of the logical screen's
// size: a white canvas with the image drawn at its position (clipped to the
// screen), its transparent pixels leaving the white. Rows go to the sink as the
// image data yields them (interlaced images in their passes).
DecodeStatus decodeGifStill(ByteSpan bytes, RowSink& sink);

}  // namespace moxilo
