// Start-up time: from process start to the first visible top-level window,
// moxilo.exe against a minimal Win32 program, launched alternately in the same
// run. Prints the medians and their ratio.
//   tools/wine/run.sh <build>/wine <build>/startup_bench.exe [runs]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct Search {
  DWORD pid;
  HWND found;
};

BOOL CALLBACK findVisible(HWND window, LPARAM context) {
  auto* search = reinterpret_cast<Search*>(context);
  DWORD pid = 0;
  GetWindowThreadProcessId(window, &pid);
  if (pid == search->pid && IsWindowVisible(window) && GetWindow(window, GW_OWNER) == nullptr) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

fs::path folderOfThisProgram() {
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  return fs::path(path).parent_path();
}

// Milliseconds from CreateProcess to the visible window; negative on failure.
// The program is closed again before the next run.
double timeToWindow(const fs::path& exe) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring commandLine = L"\"" + exe.wstring() + L"\"";
  const auto start = Clock::now();
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      exe.parent_path().c_str(), &startup, &process)) {
    return -1;
  }
  Search search{process.dwProcessId, nullptr};
  double elapsed = -1;
  const auto deadline = start + std::chrono::seconds(20);
  while (Clock::now() < deadline) {
    EnumWindows(findVisible, reinterpret_cast<LPARAM>(&search));
    if (search.found != nullptr) {
      elapsed = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
      break;
    }
    if (WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0) break;
  }
  if (search.found != nullptr) PostMessageW(search.found, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return elapsed;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;
  const fs::path here = folderOfThisProgram();
  // Each program runs from its own folder; moxilo writes its skin engine there
  // on the first (warm-up) start, as it does on a user's first start.
  const fs::path work = fs::temp_directory_path() / L"moxilo-startup-bench";
  fs::remove_all(work);
  fs::create_directories(work / L"moxilo");
  fs::create_directories(work / L"peer");
  const fs::path moxilo = work / L"moxilo" / L"moxilo.exe";
  const fs::path peer = work / L"peer" / L"startup_peer.exe";
  fs::copy_file(here / L"moxilo.exe", moxilo);
  fs::copy_file(here / L"startup_peer.exe", peer);

  timeToWindow(moxilo);
  timeToWindow(peer);
  std::vector<double> moxiloTimes, peerTimes;
  for (int i = 0; i < runs; ++i) {
    const double a = timeToWindow(moxilo);
    const double b = timeToWindow(peer);
    if (a < 0 || b < 0) {
      std::printf("run %d: a program showed no window\n", i + 1);
      return 1;
    }
    moxiloTimes.push_back(a);
    peerTimes.push_back(b);
  }
  const double moxiloMedian = median(moxiloTimes);
  const double peerMedian = median(peerTimes);
  std::printf("start to visible window, median of %d runs\n", runs);
  std::printf("  moxilo.exe        %8.1f ms\n", moxiloMedian);
  std::printf("  minimal program   %8.1f ms\n", peerMedian);
  std::printf("  ratio             %8.2f\n", moxiloMedian / peerMedian);
  fs::remove_all(work);
  return 0;
}
