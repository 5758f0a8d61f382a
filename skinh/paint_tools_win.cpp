#include "skinh/paint_tools_win.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "skinh/skin_theme_win.h"

namespace moxilo::skinh {
namespace {

TRIVERTEX vertex(LONG x, LONG y, Rgb c) {
  return {x, y, static_cast<COLOR16>(c.r << 8), static_cast<COLOR16>(c.g << 8), static_cast<COLOR16>(c.b << 8), 0};
}

constexpr int kGlowRadius = 3;
constexpr int kGlowStrength = 3;  // the halo's peak, as a multiple of the blurred coverage

// One pass of a box blur along rows (stride 1) or columns (stride width).
void boxBlur(std::vector<int>& values, int width, int height, bool rows) {
  std::vector<int> line(static_cast<std::size_t>(std::max(width, height)));
  const int count = rows ? height : width;
  const int length = rows ? width : height;
  const int step = rows ? 1 : width;
  for (int i = 0; i < count; ++i) {
    int* base = values.data() + (rows ? i * width : i);
    for (int j = 0; j < length; ++j) line[static_cast<std::size_t>(j)] = base[j * step];
    for (int j = 0; j < length; ++j) {
      int sum = 0;
      for (int k = -kGlowRadius; k <= kGlowRadius; ++k) {
        const int at = j + k;
        if (at >= 0 && at < length) sum += line[static_cast<std::size_t>(at)];
      }
      base[j * step] = sum / (2 * kGlowRadius + 1);
    }
  }
}

std::uint32_t blendPixel(std::uint32_t pixel, Rgb colour, int alpha) {
  const int inverse = 255 - alpha;
  const int b = (static_cast<int>(pixel & 0xFF) * inverse + colour.b * alpha) / 255;
  const int g = (static_cast<int>((pixel >> 8) & 0xFF) * inverse + colour.g * alpha) / 255;
  const int r = (static_cast<int>((pixel >> 16) & 0xFF) * inverse + colour.r * alpha) / 255;
  return static_cast<std::uint32_t>(r << 16 | g << 8 | b);
}

RECT clipped(const RECT& rect, const DibCanvas& canvas) {
  return {std::max<LONG>(rect.left, 0), std::max<LONG>(rect.top, 0), std::min<LONG>(rect.right, canvas.width()),
          std::min<LONG>(rect.bottom, canvas.height())};
}

}  // namespace

void fillGradient(HDC dc, const RECT& rect, const Gradient& gradient) {
  const int height = rect.bottom - rect.top;
  if (height <= 0 || rect.right <= rect.left || gradient.count < 2) return;
  const int segments = gradient.count - 1;
  for (int i = 0; i < segments; ++i) {
    const LONG top = rect.top + height * i / segments;
    const LONG bottom = rect.top + height * (i + 1) / segments;
    if (bottom <= top) continue;
    TRIVERTEX ends[2] = {vertex(rect.left, top, gradient.stops[i]), vertex(rect.right, bottom, gradient.stops[i + 1])};
    GRADIENT_RECT mesh{0, 1};
    GradientFill(dc, ends, 2, &mesh, 1, GRADIENT_FILL_RECT_V);
  }
}

void fillOutsideCorners(HDC dc, const RECT& rect, int radius, HBRUSH brush) {
  radius = std::min<int>(radius, std::min(rect.right - rect.left, rect.bottom - rect.top) / 2);
  for (int row = 0; row < radius; ++row) {
    // Distance from the arc's centre to the middle of this pixel row.
    const double dy = radius - row - 0.5;
    const int inset = static_cast<int>(std::lround(radius - std::sqrt(std::max(0.0, double(radius) * radius - dy * dy))));
    if (inset <= 0) continue;
    const RECT strips[4] = {
        {rect.left, rect.top + row, rect.left + inset, rect.top + row + 1},
        {rect.right - inset, rect.top + row, rect.right, rect.top + row + 1},
        {rect.left, rect.bottom - row - 1, rect.left + inset, rect.bottom - row},
        {rect.right - inset, rect.bottom - row - 1, rect.right, rect.bottom - row},
    };
    for (const RECT& strip : strips) FillRect(dc, &strip, brush);
  }
}

bool DibCanvas::resize(int width, int height) {
  if (width <= 0 || height <= 0) return false;
  if (dc_ && width == width_ && height == height_) return true;
  if (!dc_) {
    dc_.reset(CreateCompatibleDC(nullptr));
    if (!dc_) return false;
  }
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  ScopedBitmap bitmap(CreateDIBSection(dc_.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!bitmap) return false;
  HGDIOBJ previous = SelectObject(dc_.get(), bitmap.get());
  if (!originalBitmap_) originalBitmap_ = previous;
  bitmap_ = std::move(bitmap);
  pixels_ = static_cast<std::uint32_t*>(bits);
  width_ = width;
  height_ = height;
  return true;
}

void blendBand(DibCanvas& canvas, const RECT& band, Rgb colour, int alphaTop, int alphaBottom) {
  const RECT area = clipped(band, canvas);
  const int rows = band.bottom - band.top;
  if (area.right <= area.left || area.bottom <= area.top || rows <= 0) return;
  GdiFlush();
  for (LONG y = area.top; y < area.bottom; ++y) {
    const int alpha = rows == 1 ? alphaTop : alphaTop + (alphaBottom - alphaTop) * (y - band.top) / (rows - 1);
    std::uint32_t* row = canvas.pixels() + static_cast<std::size_t>(y) * canvas.width();
    for (LONG x = area.left; x < area.right; ++x) row[x] = blendPixel(row[x], colour, alpha);
  }
}

void drawGlowingText(DibCanvas& canvas, const wchar_t* text, int length, const RECT& rect, UINT format,
                     HFONT font, COLORREF textColour, Rgb glow) {
  // Room around the text for the halo to fade out.
  RECT padded = rect;
  InflateRect(&padded, 2 * kGlowRadius, 0);
  const RECT area = clipped(padded, canvas);
  const int width = area.right - area.left;
  const int height = area.bottom - area.top;
  if (width <= 0 || height <= 0 || length <= 0) return;

  // The text's coverage: white text on black in a scratch canvas.
  DibCanvas mask;
  if (mask.resize(width, height)) {
    PatBlt(mask.dc(), 0, 0, width, height, BLACKNESS);
    ScopedSelect selectFont(mask.dc(), font);
    SetBkMode(mask.dc(), TRANSPARENT);
    SetTextColor(mask.dc(), RGB(255, 255, 255));
    RECT local{rect.left - area.left, rect.top - area.top, rect.right - area.left, rect.bottom - area.top};
    DrawTextW(mask.dc(), text, length, &local, format);
    GdiFlush();
    std::vector<int> coverage(static_cast<std::size_t>(width) * height);
    for (std::size_t i = 0; i < coverage.size(); ++i) coverage[i] = static_cast<int>(mask.pixels()[i] >> 8 & 0xFF);
    boxBlur(coverage, width, height, true);
    boxBlur(coverage, width, height, false);
    boxBlur(coverage, width, height, true);
    boxBlur(coverage, width, height, false);
    for (int y = 0; y < height; ++y) {
      std::uint32_t* row = canvas.pixels() + static_cast<std::size_t>(area.top + y) * canvas.width() + area.left;
      for (int x = 0; x < width; ++x) {
        const int alpha = std::min(255, coverage[static_cast<std::size_t>(y) * width + x] * kGlowStrength);
        if (alpha > 0) row[x] = blendPixel(row[x], glow, alpha);
      }
    }
  }
  ScopedSelect selectFont(canvas.dc(), font);
  SetBkMode(canvas.dc(), TRANSPARENT);
  SetTextColor(canvas.dc(), textColour);
  RECT target = rect;
  DrawTextW(canvas.dc(), text, length, &target, format);
}

}  // namespace moxilo::skinh
