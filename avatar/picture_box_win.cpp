#include "avatar/picture_box_win.h"

#include "avatar/picture/picture_view_win.h"
#include "base/scoped_gdi_win.h"
#include "base/window_class_win.h"

namespace moxilo {
namespace {

constexpr char kPictureBoxClass[] = "MoxiloPictureBox";

}  // namespace

bool PictureBox::registerClass(HINSTANCE instance) {
  return registerWindowClass(instance, kPictureBoxClass, windowProc);
}

PictureBox* PictureBox::create(HWND parent, int id, const RECT& bounds, bool visible) {
  HWND window = CreateWindowExA(0, kPictureBoxClass, "", WS_CHILD | WS_CLIPCHILDREN | (visible ? WS_VISIBLE : 0),
                                bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top,
                                parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                GetModuleHandleA(nullptr), nullptr);
  if (window == nullptr) return nullptr;
  return reinterpret_cast<PictureBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

PictureBox::PictureBox(HWND window)
    : window_(window),
      background_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      view_(std::make_unique<PictureView>(window)) {}

PictureBox::~PictureBox() {
  view_.reset();  // stops an animation, which points into bytes_
  if (background_) DeleteObject(background_);
}

ByteBuffer PictureBox::pictureBytes() const { return bytes_; }

void PictureBox::setPictureBytes(ByteSpan bytes) {
  ByteBuffer copy(bytes.begin(), bytes.end());
  // The view stops its animation (still reading the old bytes) before it looks
  // at the new copy; moving the copy in keeps its storage where the view saw it.
  view_->show(copy);
  bytes_ = std::move(copy);
  InvalidateRect(window_, nullptr, TRUE);
}

void PictureBox::onPaint() {
  ScopedPaint paint(window_);
  RECT client;
  GetClientRect(window_, &client);
  FillRect(paint.get(), &client, background_ ? background_ : GetSysColorBrush(COLOR_BTNFACE));
  view_->paint(paint.get());
}

LRESULT CALLBACK PictureBox::windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(new PictureBox(window)));
    return DefWindowProcA(window, message, wParam, lParam);
  }
  auto* box = reinterpret_cast<PictureBox*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  switch (message) {
    case WM_NCDESTROY:
      delete box;
      SetWindowLongPtrA(window, GWLP_USERDATA, 0);
      break;
    case WM_PAINT:
      if (box) {
        box->onPaint();
        return 0;
      }
      break;
    case WM_PRINTCLIENT:
      if (box) {
        RECT client;
        GetClientRect(window, &client);
        const HDC dc = reinterpret_cast<HDC>(wParam);
        FillRect(dc, &client, box->background_);
        box->view_->paint(dc);
        return 0;
      }
      break;
    case WM_ERASEBKGND:
      return 1;  // the paint fills the background under the picture
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace moxilo
