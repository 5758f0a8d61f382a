#include "avatar/picture/jpeg_decoder.h"

#include <climits>
#include <csetjmp>
#include <cstddef>
#include <cstdio>  // jpeglib.h uses FILE
#include <vector>

#include <jpeglib.h>
// After jpeglib.h, which it needs.
#include <jerror.h>

#include "avatar/picture/picture_limits.h"

namespace moxilo {
namespace {

// The library's default error exit ends the process; ours jumps back to the
// decode call. Warnings (corrupt or missing data) are counted but not printed.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf escape;
  DecodeStatus status = DecodeStatus::Corrupt;
};

[[noreturn]] void exitOnError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<ErrorManager*>(cinfo->err);
  // Past max_memory_to_use the library asks for a backing store, which it has none of.
  const int code = errors->pub.msg_code;
  if (code == JERR_NO_BACKING_STORE || code == JERR_OUT_OF_MEMORY) {
    errors->status = DecodeStatus::OverLimit;
  }
  std::longjmp(errors->escape, 1);
}

void ignoreMessage(j_common_ptr) {}

// Called between the library's units of work; input_scan_number counts the
// scans read so far.
void limitScans(j_common_ptr cinfo) {
  auto* decompress = reinterpret_cast<j_decompress_ptr>(cinfo);
  if (decompress->progressive_mode && decompress->input_scan_number > kMaxJpegScans) {
    reinterpret_cast<ErrorManager*>(cinfo->err)->status = DecodeStatus::OverLimit;
    exitOnError(cinfo);
  }
}

// Adobe's writers store CMYK inverted (0 is full ink), and so does every CMYK
// JPEG in practice; the library turns YCCK into the same form.
void invertedCmykToPixels(const JSAMPLE* cmyk, Pixel* out, JDIMENSION width) {
  for (JDIMENSION x = 0; x < width; ++x, cmyk += 4) {
    const unsigned k = cmyk[3];
    const unsigned r = (cmyk[0] * k + 127) / 255;
    const unsigned g = (cmyk[1] * k + 127) / 255;
    const unsigned b = (cmyk[2] * k + 127) / 255;
    out[x] = (r << 16) | (g << 8) | b;
  }
}

// Everything that may be live when the library jumps out of a call: kept out
// of the frame that calls setjmp so no local is left indeterminate.
struct Decode {
  jpeg_decompress_struct cinfo{};
  ErrorManager errors;
  jpeg_progress_mgr progress{};
  std::vector<Pixel> row;
  std::vector<JSAMPLE> cmykRow;

  Decode() {
    cinfo.err = jpeg_std_error(&errors.pub);
    errors.pub.error_exit = exitOnError;
    errors.pub.output_message = ignoreMessage;
    jpeg_create_decompress(&cinfo);
  }
  ~Decode() { jpeg_destroy_decompress(&cinfo); }
  Decode(const Decode&) = delete;
  Decode& operator=(const Decode&) = delete;
};

DecodeStatus run(Decode& d, ByteSpan bytes, RowSink& sink) {
  jpeg_decompress_struct& cinfo = d.cinfo;
  cinfo.mem->max_memory_to_use = kMaxJpegWorkingMemory;
  d.progress.progress_monitor = limitScans;
  cinfo.progress = &d.progress;
  jpeg_mem_src(&cinfo, bytes.data(), static_cast<unsigned long>(bytes.size()));
  d.errors.status = DecodeStatus::Corrupt;
  if (jpeg_read_header(&cinfo, TRUE) != JPEG_HEADER_OK) return DecodeStatus::Truncated;

  const std::uint32_t width = cinfo.image_width;
  const std::uint32_t height = cinfo.image_height;
  if (!withinPictureLimits(width, height)) return DecodeStatus::OverLimit;

  const bool cmyk = cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK;
  // The library writes 0x00RRGGBB-ordered words straight from its SIMD colour
  // conversion; greyscale comes out as equal red, green and blue.
  cinfo.out_color_space = cmyk ? JCS_CMYK : JCS_EXT_BGRX;

  if (!sink.begin(width, height)) return DecodeStatus::OverLimit;
  jpeg_start_decompress(&cinfo);
  d.row.resize(cinfo.output_width);
  if (cmyk) d.cmykRow.resize(std::size_t{cinfo.output_width} * 4);
  JSAMPROW buffer = cmyk ? d.cmykRow.data() : reinterpret_cast<JSAMPROW>(d.row.data());
  while (cinfo.output_scanline < cinfo.output_height) {
    const JDIMENSION y = cinfo.output_scanline;
    if (jpeg_read_scanlines(&cinfo, &buffer, 1) != 1) return DecodeStatus::Truncated;
    if (cmyk) {
      invertedCmykToPixels(d.cmykRow.data(), d.row.data(), cinfo.output_width);
    } else {
      for (Pixel& p : d.row) p &= 0x00FFFFFFu;  // the library fills the X byte with 0xFF
    }
    sink.row(y, d.row);
  }
  jpeg_finish_decompress(&cinfo);
  return DecodeStatus::Ok;
}

DecodeStatus guardedRun(Decode& d, ByteSpan bytes, RowSink& sink) {
  if (setjmp(d.errors.escape) != 0) return d.errors.status;
  return run(d, bytes, sink);
}

}  // namespace

DecodeStatus decodeJpeg(ByteSpan bytes, RowSink& sink) {
  if (bytes.empty()) return DecodeStatus::Truncated;
  if (bytes.size() > ULONG_MAX) return DecodeStatus::OverLimit;  // the source takes an unsigned long
  Decode d;
  return guardedRun(d, bytes, sink);
}

}  // namespace moxilo
