// How much a skinned repaint costs against an unskinned one, in the same run:
// two windows laid out like the main window, one on a plain thread and one on
// a thread where SkinH_AttachRes (skin 13) and SkinH_SetAero(1) ran. Each
// round repaints both completely (frame, background, every control), in
// alternation so that drift hits both alike. The fastest round of each is the
// figure least disturbed by other load on the machine; medians are shown too.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "tools/skin_gallery/sample_window_win.h"

namespace {

using AttachRes = int(WINAPI*)(const unsigned char*, int, const char*, int, int, int);
using SetAero = int(WINAPI*)(int);

constexpr int kRounds = 300;
constexpr int kRepaintsPerRound = 2;
constexpr UINT kRunBatch = WM_APP + 1;

std::wstring windowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return std::wstring(L"Z:") + std::wstring(unixPath.begin(), unixPath.end());
}

double seconds() {
  LARGE_INTEGER now, frequency;
  QueryPerformanceCounter(&now);
  QueryPerformanceFrequency(&frequency);
  return double(now.QuadPart) / double(frequency.QuadPart);
}

// One batch of complete repaints, painted before RedrawWindow returns.
double repaintBatch(HWND window) {
  const double start = seconds();
  for (int i = 0; i < kRepaintsPerRound; ++i) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    GdiFlush();
  }
  return seconds() - start;
}

void pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main() {
  HMODULE engine = LoadLibraryW(windowsPath(MOXILO_SKINH_DLL).c_str());
  auto attach = reinterpret_cast<AttachRes>(reinterpret_cast<void*>(GetProcAddress(engine, "SkinH_AttachRes")));
  auto aero = reinterpret_cast<SetAero>(reinterpret_cast<void*>(GetProcAddress(engine, "SkinH_SetAero")));
  std::ifstream in(std::filesystem::path(windowsPath(MOXILO_SKINS_DIR "/skin13.she")), std::ios::binary);
  const std::vector<unsigned char> skin{std::istreambuf_iterator<char>(in), {}};
  if (!attach || !aero || skin.empty()) {
    std::fprintf(stderr, "engine or skin 13 missing\n");
    return 1;
  }

  // The plain window lives on its own thread, which the engine never hooks.
  HANDLE batchDone = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  std::atomic<double> plainSeconds{0};
  std::atomic<DWORD> plainThread{0};
  std::thread plain([&] {
    HWND window = moxilo::skinsample::createSampleWindow(20, 20);
    ShowWindow(window, SW_SHOWNOACTIVATE);
    pump();
    MSG msg;
    PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);  // makes the thread's queue
    plainThread = GetCurrentThreadId();
    SetEvent(batchDone);
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
      if (msg.message == kRunBatch) {
        plainSeconds = repaintBatch(window);
        SetEvent(batchDone);
      } else {
        DispatchMessageW(&msg);
      }
    }
    DestroyWindow(window);
  });
  WaitForSingleObject(batchDone, INFINITE);

  HWND skinned = moxilo::skinsample::createSampleWindow(20, 320);
  ShowWindow(skinned, SW_SHOW);
  if (!attach(skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0)) {
    std::fprintf(stderr, "skin 13 refused\n");
    return 1;
  }
  aero(1);
  pump();

  std::vector<double> plainTimes, skinnedTimes;
  for (int round = 0; round < kRounds; ++round) {
    PostThreadMessageW(plainThread, kRunBatch, 0, 0);
    while (MsgWaitForMultipleObjects(1, &batchDone, FALSE, INFINITE, QS_ALLINPUT) == WAIT_OBJECT_0 + 1) pump();
    plainTimes.push_back(plainSeconds);
    skinnedTimes.push_back(repaintBatch(skinned));
    pump();
  }
  PostThreadMessageW(plainThread, WM_QUIT, 0, 0);
  plain.join();

  const double perRepaint = 1000.0 / kRepaintsPerRound;
  const double plainBest = *std::min_element(plainTimes.begin(), plainTimes.end()) * perRepaint;
  const double skinnedBest = *std::min_element(skinnedTimes.begin(), skinnedTimes.end()) * perRepaint;
  const double plainMedian = median(plainTimes) * perRepaint;
  const double skinnedMedian = median(skinnedTimes) * perRepaint;
  std::printf("complete repaint of the main-window sample, %d rounds x %d, ms per repaint:\n", kRounds,
              kRepaintsPerRound);
  std::printf("                     fastest   median\n");
  std::printf("  unskinned          %7.3f  %7.3f\n", plainBest, plainMedian);
  std::printf("  skin 13 with Aero  %7.3f  %7.3f\n", skinnedBest, skinnedMedian);
  std::printf("  ratio skinned/unskinned %.2f (fastest rounds; medians %.2f; target at most 1.50)\n",
              skinnedBest / plainBest, skinnedMedian / plainMedian);
  DestroyWindow(skinned);
  return 0;
}
