#include "avatar/picture/gif_frame_decoder.h"

#include <algorithm>
#include <cstring>

#include <gif_lib.h>

namespace moxilo {
namespace {

int readFromDecoder(GifFileType* gif, GifByteType* out, int count) {
  return static_cast<GifFrameDecoder*>(gif->UserData)->read(out, count);
}

void putWord(std::uint8_t* at, std::uint32_t value) {
  at[0] = static_cast<std::uint8_t>(value);
  at[1] = static_cast<std::uint8_t>(value >> 8);
}

}  // namespace

GifFrameDecoder::GifFrameDecoder(ByteSpan bytes, const GifFrame& frame)
    : width_(frame.width), rowsLeft_(frame.height) {
  if (width_ == 0 || rowsLeft_ == 0 || frame.dataStart >= bytes.size()) {
    rowsLeft_ = 0;
    return;
  }
  // A screen of the image's size without a global table, then an image
  // descriptor at 0,0 without a local table and not interlaced: the colours and
  // the row order are ours to apply.
  std::memcpy(header_.data(), "GIF89a", 6);
  putWord(&header_[6], width_);
  putWord(&header_[8], rowsLeft_);
  putWord(&header_[17], width_);
  putWord(&header_[19], rowsLeft_);
  pieces_[pieceCount_++] = header_;

  std::size_t at = frame.dataStart + 1;
  while (at < bytes.size() && bytes[at] != 0 && bytes.size() - at > bytes[at]) {
    at += 1 + bytes[at];
  }
  if (at < bytes.size() && bytes[at] == 0) {
    pieces_[pieceCount_++] = bytes.subspan(frame.dataStart, at + 1 - frame.dataStart);
  } else {
    pieces_[pieceCount_++] = bytes.subspan(frame.dataStart, at - frame.dataStart);
    if (at < bytes.size()) {
      cutLength_ = static_cast<std::uint8_t>(bytes.size() - at - 1);
      pieces_[pieceCount_++] = ByteSpan(&cutLength_, 1);
      pieces_[pieceCount_++] = bytes.subspan(at + 1);
    }
    pieces_[pieceCount_++] = ByteSpan(&terminator_, 1);
  }

  int error = 0;
  gif_ = DGifOpen(this, readFromDecoder, &error);
  if (gif_ == nullptr || DGifGetImageDesc(gif_) != GIF_OK) {
    rowsLeft_ = 0;
    return;
  }
  row_.resize(width_);
}

GifFrameDecoder::~GifFrameDecoder() {
  if (gif_ != nullptr) {
    int error = 0;
    DGifCloseFile(gif_, &error);
  }
}

int GifFrameDecoder::read(std::uint8_t* out, int count) {
  int done = 0;
  while (done < count && piece_ < pieceCount_) {
    const ByteSpan piece = pieces_[piece_];
    const std::size_t n = std::min<std::size_t>(piece.size() - pieceOffset_,
                                                 static_cast<std::size_t>(count - done));
    std::memcpy(out + done, piece.data() + pieceOffset_, n);
    done += static_cast<int>(n);
    pieceOffset_ += n;
    if (pieceOffset_ == piece.size()) {
      ++piece_;
      pieceOffset_ = 0;
    }
  }
  return done;
}

std::span<const std::uint8_t> GifFrameDecoder::nextRow() {
  if (rowsLeft_ == 0) return {};
  if (DGifGetLine(gif_, row_.data(), static_cast<int>(width_)) != GIF_OK) {
    rowsLeft_ = 0;
    return {};
  }
  --rowsLeft_;
  return row_;
}

}  // namespace moxilo
