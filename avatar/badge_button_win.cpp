#include "avatar/badge_button_win.h"

#include <vector>

#include "avatar/badge_shape.h"
#include "avatar/picture/bmp_decoder.h"
#include "avatar/picture/full_size_sink.h"
#include "base/scoped_gdi_win.h"
#include "base/top_down_dib_win.h"
#include "base/window_class_win.h"

namespace moxilo {
namespace {

constexpr char kImageButtonClass[] = "MoxiloImageButton";

struct CreateParams {
  ByteSpan picture;
  Pixel transparent;
};

Pixel pixelOf(COLORREF colour) {
  return static_cast<Pixel>(GetRValue(colour)) << 16 | static_cast<Pixel>(GetGValue(colour)) << 8 |
         GetBValue(colour);
}

COLORREF colourOf(Pixel pixel) { return RGB((pixel >> 16) & 0xFF, (pixel >> 8) & 0xFF, pixel & 0xFF); }

class ImageButton {
 public:
  ImageButton(HWND window, const CreateParams& params) : window_(window), transparent_(params.transparent) {
    FullSizeSink sink;
    if (decodeBmp(params.picture, sink) == DecodeStatus::Ok) picture_ = sink.image();
    bitmap_ = makeBitmap();
  }

  LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
      case WM_CREATE:
        rebuildShape();
        return 0;
      case WM_PAINT: {
        ScopedPaint painting(window_);
        paint(painting.get());
        return 0;
      }
      case WM_PRINTCLIENT:
        paint(reinterpret_cast<HDC>(wParam));
        return 0;
      case WM_ERASEBKGND:
        return 1;  // the paint covers the whole window
      case WM_MOUSEMOVE:
        if (!hover_) {
          TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, window_, 0};
          TrackMouseEvent(&track);
          setState(true, pressed_);
        }
        return 0;
      case WM_MOUSELEAVE:
        setState(false, pressed_);
        return 0;
      case WM_LBUTTONDOWN:
      case WM_LBUTTONDBLCLK:
        SetCapture(window_);
        setState(hover_, true);
        return 0;
      case WM_LBUTTONUP:
        if (GetCapture() == window_) ReleaseCapture();
        setState(hover_, false);
        return 0;
      case WM_CAPTURECHANGED:
        setState(hover_, false);
        return 0;
      default:
        return DefWindowProcA(window_, message, wParam, lParam);
    }
  }

 private:
  // A top-down 32-bit DIB section holding the decoded picture.
  ScopedBitmap makeBitmap() const {
    const Size size = picture_.size;
    if (size.width <= 0 || size.height <= 0) return ScopedBitmap();
    const BITMAPINFO info = topDownDibInfo(size.width, size.height);
    void* bits = nullptr;
    ScopedBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || bits == nullptr) return ScopedBitmap();
    auto* out = static_cast<Pixel*>(bits);
    for (std::size_t i = 0; i < picture_.pixels.size(); ++i) out[i] = picture_.pixels[i] & 0x00FFFFFF;
    return bitmap;
  }

  // Black off-screen image of the window's size, the picture unscaled at its
  // top-left corner, then onto the window.
  void paint(HDC target) const {
    RECT client;
    GetClientRect(window_, &client);
    ScopedMemoryDC canvas(target);
    ScopedBitmap canvasBitmap(CreateCompatibleBitmap(target, client.right, client.bottom));
    if (!canvas || !canvasBitmap) return;
    ScopedSelect selectCanvas(canvas.get(), canvasBitmap.get());
    FillRect(canvas.get(), &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (bitmap_) {
      ScopedMemoryDC source(target);
      ScopedSelect selectSource(source.get(), bitmap_.get());
      BitBlt(canvas.get(), 0, 0, picture_.size.width, picture_.size.height, source.get(), 0, 0, SRCCOPY);
    }
    BitBlt(target, 0, 0, client.right, client.bottom, canvas.get(), 0, 0, SRCCOPY);
  }

  // The window keeps only the pixels that differ from the transparent colour
  // as the display shows it.
  void rebuildShape() const {
    Pixel key = transparent_;
    {
      ScopedWindowDC dc(window_);
      if (dc) key = pixelOf(GetNearestColor(dc.get(), colourOf(transparent_)));
    }
    const std::vector<ShapeRun> runs = shapeRuns(picture_, key);
    std::vector<char> data(sizeof(RGNDATAHEADER) + runs.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(runs.size());
    header->nRgnSize = static_cast<DWORD>(runs.size() * sizeof(RECT));
    header->rcBound = {0, 0, picture_.size.width, picture_.size.height};
    auto* rects = reinterpret_cast<RECT*>(data.data() + sizeof(RGNDATAHEADER));
    for (std::size_t i = 0; i < runs.size(); ++i) {
      rects[i] = {runs[i].left, runs[i].y, runs[i].right, runs[i].y + 1};
    }
    ScopedRegion shape(ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()),
                                       reinterpret_cast<const RGNDATA*>(data.data())));
    if (!shape) return;
    // The window owns the region from here on.
    if (SetWindowRgn(window_, shape.get(), TRUE)) shape.release();
  }

  // Hover, pressed and released each rebuild the shape and repaint. Every
  // state shows the one picture, since only the normal picture is set.
  void setState(bool hover, bool pressed) {
    if (hover == hover_ && pressed == pressed_) return;
    hover_ = hover;
    pressed_ = pressed;
    rebuildShape();
    InvalidateRect(window_, nullptr, FALSE);
  }

  HWND window_;
  Pixel transparent_;
  StillImage picture_;
  ScopedBitmap bitmap_;
  bool hover_ = false;
  bool pressed_ = false;
};

LRESULT CALLBACK imageButtonProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTA*>(lParam);
    const auto* params = static_cast<const CreateParams*>(create->lpCreateParams);
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new ImageButton(window, *params)));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  auto* button = reinterpret_cast<ImageButton*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY) {
    delete button;
    SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    return DefWindowProcA(window, message, wParam, lParam);
  }
  return button ? button->handle(message, wParam, lParam) : DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

bool registerImageButtonClass(HINSTANCE instance) {
  return registerWindowClass(instance, kImageButtonClass, imageButtonProc, CS_DBLCLKS);
}

HWND createImageButton(HWND parent, int id, const RECT& bounds, bool visible, ByteSpan picture,
                       Pixel transparent) {
  CreateParams params{picture, transparent};
  return CreateWindowExA(0, kImageButtonClass, "", WS_CHILD | (visible ? WS_VISIBLE : 0), bounds.left,
                         bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr),
                         &params);
}

}  // namespace moxilo
