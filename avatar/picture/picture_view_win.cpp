#include "avatar/picture/picture_view_win.h"

#include <algorithm>
#include <cstdint>
#include <mutex>
#include <thread>
#include <utility>
#include <variant>

#include "avatar/picture/area_scaler.h"
#include "avatar/picture/decoded_picture.h"
#include "avatar/picture/gif_animation.h"
#include "avatar/picture/sample_scaler.h"
#include "base/scoped_gdi_win.h"
#include "base/scoped_handle_win.h"
#include "base/top_down_dib_win.h"

namespace moxilo {
namespace {

// The version of the icon resource format that CreateIconFromResourceEx reads.
constexpr DWORD kIconFormatVersion = 0x00030000;

class ScopedIcon {
 public:
  explicit ScopedIcon(HICON icon = nullptr) : icon_(icon) {}
  ~ScopedIcon() {
    if (icon_) DestroyIcon(icon_);
  }
  ScopedIcon(const ScopedIcon&) = delete;
  ScopedIcon& operator=(const ScopedIcon&) = delete;
  HICON get() const { return icon_; }

 private:
  HICON icon_;
};

HICON createIcon(const IconImage& image) {
  auto* resource = const_cast<BYTE*>(image.resource.data());
  const auto size = static_cast<DWORD>(image.resource.size());
  HICON icon = CreateIconFromResourceEx(resource, size, TRUE, kIconFormatVersion, image.width,
                                        image.height, 0);
  if (icon == nullptr && image.bitCount != 16) {
    icon = CreateIconFromResourceEx(resource, size, TRUE, kIconFormatVersion, 0, 0, LR_DEFAULTSIZE);
  }
  return icon;
}

// Milliseconds of a steady clock (<chrono> cannot be compiled with the GBK
// execution character set).
std::int64_t nowMs() {
  LARGE_INTEGER counter{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  const std::int64_t f = frequency.QuadPart;
  return counter.QuadPart / f * 1000 + counter.QuadPart % f * 1000 / f;
}

Size clientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return {client.right - client.left, client.bottom - client.top};
}

// Halftone (area averaging) only pays off where the display shows more than
// 16 bits per pixel; below that the plain colour-on-colour sampling is used.
ScaleMode displayScaleMode(HWND window) {
  ScopedWindowDC dc(window);
  if (!dc) return ScaleMode::Sample;
  const int bits = GetDeviceCaps(dc.get(), BITSPIXEL) * GetDeviceCaps(dc.get(), PLANES);
  return bits > 16 ? ScaleMode::AreaAverage : ScaleMode::Sample;
}

template <typename Scaler>
StillImage scaleWith(const GifAnimation& animation, Size box) {
  Scaler scaler(box);
  const Size size = animation.size();
  if (!scaler.begin(static_cast<std::uint32_t>(size.width), static_cast<std::uint32_t>(size.height))) {
    return {};
  }
  const std::span<const Pixel> canvas = animation.canvas();
  const auto width = static_cast<std::size_t>(size.width);
  for (int y = 0; y < size.height; ++y) {
    scaler.row(static_cast<std::uint32_t>(y), canvas.subspan(static_cast<std::size_t>(y) * width, width));
  }
  return scaler.take();
}

StillImage scaleCanvas(const GifAnimation& animation, Size box, ScaleMode mode) {
  return mode == ScaleMode::AreaAverage ? scaleWith<AreaScaler>(animation, box)
                                        : scaleWith<SampleScaler>(animation, box);
}

// Copies a top-down 32-bit image onto `size` of the DC from its top-left corner;
// 1:1 when the image was scaled to that size, as it always is.
void drawImage(HDC dc, const StillImage& image, Size size) {
  if (image.pixels.empty()) return;
  const BITMAPINFO info = topDownDibInfo(image.size.width, image.size.height);
  const int previousMode = SetStretchBltMode(dc, COLORONCOLOR);
  StretchDIBits(dc, 0, 0, size.width, size.height, 0, 0, image.size.width, image.size.height,
                image.pixels.data(), &info, DIB_RGB_COLORS, SRCCOPY);
  if (previousMode != 0) SetStretchBltMode(dc, previousMode);
}

// An animation and the thread that plays it. The thread alone advances the
// animation once it runs; it and paint() share only the scaled frame, under
// the mutex.
class AnimationPlayer {
 public:
  AnimationPlayer(HWND box, std::unique_ptr<GifAnimation> animation, Size size, ScaleMode mode)
      : box_(box), animation_(std::move(animation)), size_(size), mode_(mode),
        stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    frame_ = scaleCanvas(*animation_, size_, mode_);
  }
  ~AnimationPlayer() { stop(); }
  AnimationPlayer(const AnimationPlayer&) = delete;
  AnimationPlayer& operator=(const AnimationPlayer&) = delete;

  void startOnce() {
    if (thread_.joinable() || !stop_) return;
    thread_ = std::thread([this] { play(); });
  }

  void stop() {
    if (!thread_.joinable()) return;
    SetEvent(stop_.get());
    thread_.join();
  }

  void paint(HDC dc, Size size) {
    std::lock_guard<std::mutex> lock(mutex_);
    drawImage(dc, frame_, size);
  }

 private:
  // Each frame is due at an absolute time, the previous one's plus its delay,
  // so the timing does not drift over a long run. The wait on the stop event is
  // the sleep between frames; it is the window system's wait, woken by no
  // message, because Wine shows a thread's drawing on screen only when the
  // thread waits that way.
  void play() {
    const HANDLE stop = stop_.get();
    std::int64_t due = nowMs() + animation_->currentDelayMs();
    for (;;) {
      const DWORD waitMs = static_cast<DWORD>(std::max<std::int64_t>(due - nowMs(), 0));
      if (MsgWaitForMultipleObjects(1, &stop, FALSE, waitMs, 0) != WAIT_TIMEOUT) return;
      const int delayMs = animation_->advance();
      StillImage scaled = scaleCanvas(*animation_, size_, mode_);
      {
        std::lock_guard<std::mutex> lock(mutex_);
        frame_ = std::move(scaled);
        ScopedWindowDC dc(box_);
        if (dc) drawImage(dc.get(), frame_, clientSize(box_));
      }
      due += delayMs;
      // After a stall (a suspended machine, a slow frame) the next frame comes
      // at once, but the missed ones are not rushed through.
      due = std::max(due, nowMs());
    }
  }

  HWND box_;
  std::unique_ptr<GifAnimation> animation_;
  Size size_;
  ScaleMode mode_;
  ScopedHandle stop_;
  std::mutex mutex_;
  StillImage frame_;
  std::thread thread_;
};

}  // namespace

struct PictureView::State {
  HWND box;
  StillImage still;
  std::unique_ptr<ScopedIcon> icon;
  std::unique_ptr<AnimationPlayer> animation;

  void clear() {
    animation.reset();  // stops and joins the thread first
    icon.reset();
    still = {};
  }
};

PictureView::PictureView(HWND box) : state_(std::make_unique<State>()) { state_->box = box; }

PictureView::~PictureView() { state_->clear(); }

void PictureView::show(ByteSpan bytes) {
  State& s = *state_;
  s.clear();
  if (bytes.empty()) return;
  const Size box = clientSize(s.box);
  const ScaleMode mode = displayScaleMode(s.box);
  DecodedPicture picture = decodePicture(bytes, box, mode);
  if (auto* still = std::get_if<StillImage>(&picture)) {
    s.still = std::move(*still);
  } else if (const auto* icon = std::get_if<IconImage>(&picture)) {
    if (HICON handle = createIcon(*icon)) s.icon = std::make_unique<ScopedIcon>(handle);
  } else if (auto* animation = std::get_if<std::unique_ptr<GifAnimation>>(&picture)) {
    s.animation = std::make_unique<AnimationPlayer>(s.box, std::move(*animation), box, mode);
  }
}

void PictureView::paint(HDC dc) {
  State& s = *state_;
  const Size size = clientSize(s.box);
  if (s.animation) {
    s.animation->paint(dc, size);
    s.animation->startOnce();
  } else if (s.icon) {
    DrawIconEx(dc, 0, 0, s.icon->get(), size.width, size.height, 0, nullptr, DI_NORMAL);
  } else {
    drawImage(dc, s.still, size);
  }
}

}  // namespace moxilo
