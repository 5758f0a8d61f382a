#include "avatar/capture_win.h"

#include <cstdint>
#include <cstring>
#include <vector>

#include "avatar/bmp_file_image.h"
#include "base/scoped_gdi_win.h"

namespace moxilo {
namespace {

// Entries taken from the system palette on a palette display: 255, not 256.
constexpr WORD kSystemPaletteEntries = 255;
constexpr WORD kLogicalPaletteVersion = 0x300;

// A movable global memory block, freed on every path.
class ScopedGlobalBlock {
 public:
  explicit ScopedGlobalBlock(SIZE_T size) : block_(GlobalAlloc(GMEM_MOVEABLE, size)) {}
  ~ScopedGlobalBlock() {
    if (block_) GlobalFree(block_);
  }
  ScopedGlobalBlock(const ScopedGlobalBlock&) = delete;
  ScopedGlobalBlock& operator=(const ScopedGlobalBlock&) = delete;

  HGLOBAL get() const { return block_; }
  explicit operator bool() const { return block_ != nullptr; }
  // On failure the old block stays valid and owned.
  bool grow(SIZE_T size) {
    HGLOBAL grown = GlobalReAlloc(block_, size, GMEM_MOVEABLE);
    if (!grown) return false;
    block_ = grown;
    return true;
  }

 private:
  HGLOBAL block_;
};

// GlobalLock/GlobalUnlock around one use of the block's memory.
class ScopedGlobalLock {
 public:
  explicit ScopedGlobalLock(HGLOBAL block)
      : block_(block), bytes_(static_cast<std::uint8_t*>(GlobalLock(block))) {}
  ~ScopedGlobalLock() {
    if (bytes_) GlobalUnlock(block_);
  }
  ScopedGlobalLock(const ScopedGlobalLock&) = delete;
  ScopedGlobalLock& operator=(const ScopedGlobalLock&) = delete;

  std::uint8_t* get() const { return bytes_; }

 private:
  HGLOBAL block_;
  std::uint8_t* bytes_;
};

// Selects and realises a palette in a DC and puts the previous one back.
// Palettes need SelectPalette, which SelectObject does not do.
class ScopedPaletteSelect {
 public:
  ScopedPaletteSelect(HDC dc, HPALETTE palette) : dc_(dc), previous_(SelectPalette(dc, palette, FALSE)) {
    RealizePalette(dc);
  }
  ~ScopedPaletteSelect() {
    if (previous_) SelectPalette(dc_, previous_, FALSE);
  }
  ScopedPaletteSelect(const ScopedPaletteSelect&) = delete;
  ScopedPaletteSelect& operator=(const ScopedPaletteSelect&) = delete;

 private:
  HDC dc_;
  HPALETTE previous_;
};

// On a palette display the conversion goes through the first 255 entries of
// the system palette; otherwise through the stock palette, which is not ours to
// delete, so `owned` stays empty.
HPALETTE conversionPalette(HDC screen, ScopedGdiObject<HPALETTE>& owned) {
  if ((GetDeviceCaps(screen, RASTERCAPS) & RC_PALETTE) == 0) {
    return static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
  }
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + kSystemPaletteEntries * sizeof(PALETTEENTRY));
  auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = kLogicalPaletteVersion;
  logical->palNumEntries = kSystemPaletteEntries;
  GetSystemPaletteEntries(screen, 0, kSystemPaletteEntries, logical->palPalEntry);
  owned.reset(CreatePalette(logical));
  return owned ? owned.get() : static_cast<HPALETTE>(GetStockObject(DEFAULT_PALETTE));
}

// The bitmap as a BmpFileImage: converted to 24 bits through the screen DC
// into a movable block holding the information header and the rows, with the
// file header joined in front.
ByteBuffer encodeBitmap(HBITMAP bitmap) {
  BITMAP info{};
  if (GetObject(bitmap, sizeof info, &info) == 0 || info.bmWidth <= 0 || info.bmHeight <= 0) return {};
  const auto layout = bmpLayout(info.bmWidth, info.bmHeight);
  if (!layout) return {};

  ScopedWindowDC screen(nullptr);  // the whole screen
  if (!screen) return {};
  ScopedGdiObject<HPALETTE> ownPalette;
  ScopedPaletteSelect palette(screen.get(), conversionPalette(screen.get(), ownPalette));

  ScopedGlobalBlock block(kBmpInfoHeaderSize);
  if (!block) return {};
  std::uint32_t imageSize = 0;
  {
    ScopedGlobalLock header(block.get());
    if (!header.get()) return {};
    const BmpInfoHeader wanted = bmpInfoHeader(info.bmWidth, info.bmHeight, 0);
    std::memcpy(header.get(), wanted.data(), wanted.size());
    // Without a bits pointer the system only completes the header.
    auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(header.get());
    GetDIBits(screen.get(), bitmap, 0, info.bmHeight, nullptr, bitmapInfo, DIB_RGB_COLORS);
    imageSize = bitmapInfo->bmiHeader.biSizeImage;
  }
  // 0 means "work it out". The rows are written for the full stride whatever
  // the header claims, so never allocate less than that.
  if (imageSize < layout->imageSize) imageSize = layout->imageSize;
  if (imageSize > UINT32_MAX - kBmpPixelOffset) return {};
  const std::uint32_t blockSize = kBmpInfoHeaderSize + imageSize;
  if (!block.grow(blockSize)) return {};

  ScopedGlobalLock bytes(block.get());
  if (!bytes.get()) return {};
  auto* bitmapInfo = reinterpret_cast<BITMAPINFO*>(bytes.get());
  const int rows = GetDIBits(screen.get(), bitmap, 0, info.bmHeight, bytes.get() + kBmpInfoHeaderSize,
                             bitmapInfo, DIB_RGB_COLORS);
  if (rows <= 0) return {};

  const BmpFileHeader fileHeader = bmpFileHeader(blockSize);
  ByteBuffer image;
  image.reserve(kBmpFileHeaderSize + blockSize);
  image.insert(image.end(), fileHeader.begin(), fileHeader.end());
  image.insert(image.end(), bytes.get(), bytes.get() + blockSize);
  return image;
}

}  // namespace

ByteBuffer captureWindowImage(HWND window) {
  if (!IsWindow(window)) return {};
  ScopedWindowDC windowDC(window, ScopedWindowDC::Area::Window);
  if (!windowDC) return {};
  RECT rect{};
  if (!GetWindowRect(window, &rect)) return {};
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  // A bitmap of no pixels would come back as the 1 x 1 stock bitmap.
  if (width <= 0 || height <= 0) return {};

  ScopedMemoryDC memoryDC(windowDC.get());
  if (!memoryDC) return {};
  ScopedBitmap bitmap(CreateCompatibleBitmap(windowDC.get(), width, height));
  if (!bitmap) return {};
  {
    ScopedSelect select(memoryDC.get(), bitmap.get());
    BitBlt(memoryDC.get(), 0, 0, width, height, windowDC.get(), 0, 0, SRCCOPY);
  }
  return encodeBitmap(bitmap.get());
}

}  // namespace moxilo
