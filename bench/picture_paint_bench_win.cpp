// What the picture box costs for a big picture, under the real window system:
// a 136 x 130 child of a shown top-level window, like the picture box, and a
// 24-megapixel JPEG.
//   (a) open to first paint: PictureView::show(bytes) and the first WM_PAINT,
//       which fills the background and draws the picture (what Open costs once
//       the file is read);
//   (b) a later repaint: PictureView::paint(dc) alone, a 1:1 blit of the box;
//   (c) the peer, measured in the same run: a HALFTONE stretch of the full-size
//       decoded picture to the box on every repaint, as StretchDIBits from the
//       pixels and as StretchBlt from a DIB section in a memory DC.
// The best run is the figure least disturbed by other load; medians are shown too.
//   picture_paint_bench <file.jpg> [open-runs] [repaint-runs]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "avatar/picture/full_size_sink.h"
#include "avatar/picture/jpeg_decoder.h"
#include "avatar/picture/picture_view_win.h"
#include "base/scoped_gdi_win.h"
#include "base/top_down_dib_win.h"

using namespace moxilo;

namespace {

constexpr int kBoxWidth = 136;
constexpr int kBoxHeight = 130;
constexpr int kDefaultOpenRuns = 7;
constexpr int kDefaultRepaintRuns = 50;
constexpr char kFrameClass[] = "PicturePaintBenchFrame";
constexpr char kBoxClass[] = "PicturePaintBenchBox";

double seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

struct Timing {
  double best;
  double median;
};

Timing measure(int runs, const std::function<void()>& run) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const double start = seconds();
    run();
    GdiFlush();
    times.push_back(seconds() - start);
  }
  std::sort(times.begin(), times.end());
  return {times.front(), times[times.size() / 2]};
}

// A Unix path from the host side becomes a path on Wine's Z: drive.
std::string windowsPath(std::string path) {
  if (!path.empty() && path.front() == '/') path = "Z:" + path;
  std::replace(path.begin(), path.end(), '/', '\\');
  return path;
}

ByteBuffer readFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void pump() {
  MSG msg;
  while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// The view the box's window procedure paints, as the picture box does: the
// button-face background, then the picture over it.
PictureView* paintedView = nullptr;

// Points the box at a view for as long as the view lives.
class PaintedViewScope {
 public:
  explicit PaintedViewScope(PictureView& view) { paintedView = &view; }
  ~PaintedViewScope() { paintedView = nullptr; }
  PaintedViewScope(const PaintedViewScope&) = delete;
  PaintedViewScope& operator=(const PaintedViewScope&) = delete;
};

LRESULT CALLBACK boxProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_PAINT) return DefWindowProcA(window, message, wParam, lParam);
  ScopedPaint paint(window);
  RECT client;
  GetClientRect(window, &client);
  FillRect(paint.get(), &client, GetSysColorBrush(COLOR_BTNFACE));
  if (paintedView) paintedView->paint(paint.get());
  return 0;
}

bool registerClasses(HINSTANCE instance) {
  WNDCLASSEXA frame{};
  frame.cbSize = sizeof frame;
  frame.lpfnWndProc = DefWindowProcA;
  frame.hInstance = instance;
  frame.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
  frame.lpszClassName = kFrameClass;
  WNDCLASSEXA box = frame;
  box.lpfnWndProc = boxProc;
  box.hbrBackground = nullptr;
  box.lpszClassName = kBoxClass;
  return RegisterClassExA(&frame) != 0 && RegisterClassExA(&box) != 0;
}

// A DIB section holding the full-size picture, for the StretchBlt peer.
ScopedBitmap makeSection(HDC dc, const StillImage& image) {
  const BITMAPINFO info = topDownDibInfo(image.size.width, image.size.height);
  void* bits = nullptr;
  ScopedBitmap section(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (section && bits) std::memcpy(bits, image.pixels.data(), image.pixels.size() * sizeof(Pixel));
  return section;
}

void stretchPixels(HDC dc, const StillImage& image) {
  const BITMAPINFO info = topDownDibInfo(image.size.width, image.size.height);
  StretchDIBits(dc, 0, 0, kBoxWidth, kBoxHeight, 0, 0, image.size.width, image.size.height, image.pixels.data(),
                &info, DIB_RGB_COLORS, SRCCOPY);
}

// Whether `draw` really covers the box: its centre and corners, blackened
// first, all change.
bool drawsIntoBox(HDC dc, const std::function<void()>& draw) {
  const RECT client{0, 0, kBoxWidth, kBoxHeight};
  FillRect(dc, &client, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  draw();
  GdiFlush();
  const POINT probes[] = {{kBoxWidth / 2, kBoxHeight / 2}, {0, 0}, {kBoxWidth - 1, 0}, {0, kBoxHeight - 1},
                          {kBoxWidth - 1, kBoxHeight - 1}};
  return std::all_of(std::begin(probes), std::end(probes),
                     [dc](POINT p) { return GetPixel(dc, p.x, p.y) != RGB(0, 0, 0); });
}

void printTiming(const char* what, Timing t) {
  std::printf("  %-52s best %9.4f ms  median %9.4f ms\n", what, t.best * 1e3, t.median * 1e3);
}

// Runs the three measurements on the shown box; 0 when all of them ran.
int bench(HWND box, const ByteBuffer& bytes, const char* name, int openRuns, int repaintRuns) {
  PictureView view(box);
  const PaintedViewScope painted(view);
  std::printf("JPEG %s: %.1f MB; box %d x %d\n", name, bytes.size() / 1e6, kBoxWidth, kBoxHeight);

  // (a) Each run replaces the previous run's picture, as a second Open does.
  const Timing open = measure(openRuns, [&] {
    view.show(bytes);
    InvalidateRect(box, nullptr, TRUE);
    UpdateWindow(box);
  });
  pump();

  ScopedWindowDC dc(box);
  // (b) The repaint of a shown picture.
  const auto paint = [&] { view.paint(dc.get()); };
  if (!dc || !drawsIntoBox(dc.get(), paint)) {
    std::fprintf(stderr, "the picture did not reach the box\n");
    return 1;
  }
  const Timing repaint = measure(repaintRuns, paint);

  // (c) The peer: keep the full-size picture and stretch it on every repaint.
  FullSizeSink sink;
  const double decodeStart = seconds();
  if (decodeJpeg(bytes, sink) != DecodeStatus::Ok) {
    std::fprintf(stderr, "full-size decode failed\n");
    return 1;
  }
  const double fullDecode = seconds() - decodeStart;
  const StillImage& full = sink.image();

  const int previousMode = SetStretchBltMode(dc.get(), HALFTONE);
  SetBrushOrgEx(dc.get(), 0, 0, nullptr);
  const auto stretchDib = [&] { stretchPixels(dc.get(), full); };

  ScopedMemoryDC memory(dc.get());
  ScopedBitmap section = makeSection(dc.get(), full);
  if (!memory || !section) {
    std::fprintf(stderr, "cannot make the full-size DIB section\n");
    return 1;
  }
  const ScopedSelect select(memory.get(), section.get());
  const auto stretchBlt = [&] {
    StretchBlt(dc.get(), 0, 0, kBoxWidth, kBoxHeight, memory.get(), 0, 0, full.size.width, full.size.height,
               SRCCOPY);
  };
  if (!drawsIntoBox(dc.get(), stretchDib) || !drawsIntoBox(dc.get(), stretchBlt)) {
    std::fprintf(stderr, "the peer's stretch did not reach the box\n");
    return 1;
  }
  const Timing stretchDibTime = measure(repaintRuns, stretchDib);
  const Timing stretchBltTime = measure(repaintRuns, stretchBlt);
  SetStretchBltMode(dc.get(), previousMode);

  std::printf("  full-size decode for the peer: %d x %d in %.1f ms\n", full.size.width, full.size.height,
              fullDecode * 1e3);
  std::printf("(a) %d runs, (b) and (c) %d runs each\n", openRuns, repaintRuns);
  printTiming("(a) open to first paint: show(bytes) + WM_PAINT", open);
  printTiming("(b) repaint: paint(dc), 1:1 blit of the box", repaint);
  printTiming("(c) peer: StretchDIBits HALFTONE full size -> box", stretchDibTime);
  printTiming("(c) peer: StretchBlt HALFTONE DIB section -> box", stretchBltTime);
  std::printf("  ratio (b)/(c) StretchDIBits: best %.4f  median %.4f  (%.0fx faster)\n",
              repaint.best / stretchDibTime.best, repaint.median / stretchDibTime.median,
              stretchDibTime.best / repaint.best);
  std::printf("  ratio (b)/(c) StretchBlt:    best %.4f  median %.4f  (%.0fx faster)\n",
              repaint.best / stretchBltTime.best, repaint.median / stretchBltTime.median,
              stretchBltTime.best / repaint.best);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: picture_paint_bench <file.jpg> [open-runs] [repaint-runs]\n");
    return 2;
  }
  const int openRuns = argc > 2 ? std::max(1, std::atoi(argv[2])) : kDefaultOpenRuns;
  const int repaintRuns = argc > 3 ? std::max(1, std::atoi(argv[3])) : kDefaultRepaintRuns;
  const ByteBuffer bytes = readFile(windowsPath(argv[1]));
  if (bytes.empty()) {
    std::fprintf(stderr, "cannot read %s\n", argv[1]);
    return 1;
  }

  const HINSTANCE instance = GetModuleHandleA(nullptr);
  if (!registerClasses(instance)) {
    std::fprintf(stderr, "cannot register the window classes\n");
    return 1;
  }
  HWND frame = CreateWindowExA(0, kFrameClass, "picture paint bench", WS_OVERLAPPEDWINDOW, 100, 100, 300, 250,
                               nullptr, nullptr, instance, nullptr);
  HWND box = CreateWindowExA(0, kBoxClass, "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, kBoxWidth,
                             kBoxHeight, frame, nullptr, instance, nullptr);
  if (!frame || !box) {
    std::fprintf(stderr, "cannot create the windows\n");
    return 1;
  }
  ShowWindow(frame, SW_SHOWNORMAL);
  UpdateWindow(frame);
  pump();

  const int status = bench(box, bytes, argv[1], openRuns, repaintRuns);
  DestroyWindow(frame);
  return status;
}
