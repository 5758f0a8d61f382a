// The engine's binary contract, checked in this driver's own process: the
// engine is loaded by path, its entries found by name and called on a thread
// of their own, since SkinH_AttachRes skins the windows of its calling thread.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <chrono>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

namespace {

using AttachRes = int(WINAPI*)(const unsigned char*, int, const char*, int, int, int);
using SetAero = int(WINAPI*)(int);

std::wstring windowsPath(std::string unixPath) {
  std::replace(unixPath.begin(), unixPath.end(), '/', '\\');
  return std::wstring(L"Z:") + std::wstring(unixPath.begin(), unixPath.end());
}

std::vector<unsigned char> readSkin(int number) {
  char name[32];
  snprintf(name, sizeof name, "/skin%02d.she", number);
  std::ifstream in(std::filesystem::path(windowsPath(std::string(MOXILO_SKINS_DIR) + name)), std::ios::binary);
  return {std::istreambuf_iterator<char>(in), {}};
}

// "#RRGGBB" of `key` in a skin's text, as a COLORREF.
COLORREF skinColour(int number, const std::string& key) {
  const std::vector<unsigned char> bytes = readSkin(number);
  const std::string text(bytes.begin(), bytes.end());
  const std::size_t at = text.find("\n" + key + " = #");
  if (at == std::string::npos) return CLR_INVALID;
  const unsigned long value = std::stoul(text.substr(at + key.size() + 5, 6), nullptr, 16);
  return RGB(value >> 16 & 0xFF, value >> 8 & 0xFF, value & 0xFF);
}

struct Engine {
  HMODULE module = LoadLibraryW(windowsPath(MOXILO_SKINH_DLL).c_str());
  AttachRes attach = reinterpret_cast<AttachRes>(
      reinterpret_cast<void*>(GetProcAddress(module, "SkinH_AttachRes")));
  SetAero aero = reinterpret_cast<SetAero>(reinterpret_cast<void*>(GetProcAddress(module, "SkinH_SetAero")));
  int attachSkin(const std::vector<unsigned char>& skin) const {
    return attach(skin.empty() ? nullptr : skin.data(), static_cast<int>(skin.size()), "", 0, 0, 0);
  }
};

const Engine& engine() {
  static const Engine loaded;
  return loaded;
}

// Runs `body` on a fresh thread, so that the engine's hook and subclasses stay
// off the driver's own thread.
void onOwnThread(const std::function<void()>& body) { std::thread(body).join(); }

void pumpPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
}

// Lets messages run until `done` holds or two seconds pass.
bool pumpUntil(const std::function<bool()>& done) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  for (;;) {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    if (done()) return true;
    if (std::chrono::steady_clock::now() > deadline) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
  }
}

// A captioned top-level window with a push button; counts clicks and closes.
struct TestWindow {
  static inline int clicks = 0;
  static inline int closeRequests = 0;
  HWND frame = nullptr;
  HWND button = nullptr;

  static LRESULT CALLBACK proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) ++clicks;
    if (message == WM_CLOSE) {
      ++closeRequests;
      return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
  }

  explicit TestWindow(int left) {
    static const bool registered = [] {
      WNDCLASSW cls{};
      cls.lpfnWndProc = proc;
      cls.hInstance = GetModuleHandleW(nullptr);
      cls.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
      cls.lpszClassName = L"SkinContractWindow";
      return RegisterClassW(&cls) != 0;
    }();
    EXPECT_TRUE(registered);
    frame = CreateWindowExW(0, L"SkinContractWindow", L"Skin contract", WS_CAPTION | WS_SYSMENU | WS_VISIBLE, left,
                            100, 300, 200, nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    button = CreateWindowExW(0, L"Button", L"&Go", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 20, 20, 80, 28, frame,
                             nullptr, GetModuleHandleW(nullptr), nullptr);
    pumpPending();
  }
  ~TestWindow() { DestroyWindow(frame); }

  COLORREF pixel(int x, int y) const {
    HDC dc = GetWindowDC(frame);
    const COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(frame, dc);
    return colour;
  }
};

LONG_PTR procOf(HWND window) { return GetWindowLongPtrW(window, GWLP_WNDPROC); }

// The thread's top-level windows in z-order, without the engine's shadows.
std::vector<HWND> zOrder() {
  std::vector<HWND> order;
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (GetWindowThreadProcessId(w, nullptr) == GetCurrentThreadId() && std::wstring(name) != L"MoxiloSkinShadow") {
      order.push_back(w);
    }
  }
  return order;
}

HWND shadowOf(HWND frame) {
  for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    if (GetWindow(w, GW_OWNER) == frame && std::wstring(name) == L"MoxiloSkinShadow") return w;
  }
  return nullptr;
}

TEST(SkinEngineContract, EntriesAreFoundByNameAndRefusedSkinsChangeNothing) {
  ASSERT_NE(engine().module, nullptr);
  ASSERT_NE(engine().attach, nullptr);
  ASSERT_NE(engine().aero, nullptr);
  onOwnThread([] {
    TestWindow window(40);
    const LONG_PTR frameProc = procOf(window.frame);
    const LONG_PTR buttonProc = procOf(window.button);
    std::vector<unsigned char> truncated = readSkin(13);
    ASSERT_GT(truncated.size(), 100u);
    truncated.resize(truncated.size() / 2);
    std::vector<unsigned char> flipped = readSkin(13);
    flipped[flipped.size() / 2] ^= 0x01;
    std::vector<unsigned char> foreign = readSkin(13);
    foreign[0] = 'M';
    const struct {
      const char* what;
      std::vector<unsigned char> bytes;
    } refused[] = {{"null pointer, count 0", {}}, {"cut in half", truncated}, {"one bit flipped", flipped},
                   {"wrong signature", foreign}};
    for (const auto& c : refused) {
      EXPECT_EQ(engine().attachSkin(c.bytes), 0) << c.what;
      EXPECT_EQ(procOf(window.frame), frameProc) << c.what << ": the frame was subclassed";
      EXPECT_EQ(procOf(window.button), buttonProc) << c.what << ": the button was subclassed";
    }
    // A null pointer with a count must not be read either.
    EXPECT_EQ(engine().attach(nullptr, 26370, "", 0, 0, 0), 0);
    TestWindow later(360);
    EXPECT_EQ(procOf(later.frame), frameProc) << "a window created after a refusal was skinned";
  });
}

TEST(SkinEngineContract, SkinsWindowsWithoutChangingGeometryFocusOrOrder) {
  onOwnThread([] {
    TestWindow below(40);
    TestWindow window(360);
    SetFocus(window.button);
    RECT outerBefore{}, clientBefore{};
    GetWindowRect(window.frame, &outerBefore);
    GetClientRect(window.frame, &clientBefore);
    const HWND foregroundBefore = GetForegroundWindow();
    const std::vector<HWND> orderBefore = zOrder();
    const LONG_PTR frameProc = procOf(window.frame);

    ASSERT_NE(engine().attachSkin(readSkin(13)), 0);
    engine().aero(1);
    HWND shadow = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (shadow = shadowOf(window.frame)) && IsWindowVisible(shadow); }));
    EXPECT_EQ(GetForegroundWindow(), foregroundBefore);
    EXPECT_EQ(GetFocus(), window.button);
    EXPECT_EQ(zOrder(), orderBefore);

    RECT outerAfter{}, clientAfter{};
    GetWindowRect(window.frame, &outerAfter);
    GetClientRect(window.frame, &clientAfter);
    EXPECT_TRUE(EqualRect(&outerBefore, &outerAfter));
    EXPECT_TRUE(EqualRect(&clientBefore, &clientAfter));
    EXPECT_TRUE(IsWindowEnabled(window.frame));
    EXPECT_NE(procOf(window.frame), frameProc) << "existing window not skinned";
    TestWindow later(680);
    EXPECT_NE(procOf(later.frame), reinterpret_cast<LONG_PTR>(&TestWindow::proc)) << "later window not skinned";

    // The shadow never takes clicks or activation and never covers the window.
    const LONG_PTR shadowEx = GetWindowLongPtrW(shadow, GWL_EXSTYLE);
    EXPECT_TRUE(shadowEx & WS_EX_TRANSPARENT);
    EXPECT_TRUE(shadowEx & WS_EX_NOACTIVATE);
    EXPECT_FALSE(IsWindowEnabled(shadow));
    for (POINT p : {POINT{outerAfter.left + 1, outerAfter.top + 1}, POINT{outerAfter.right - 2, outerAfter.bottom - 2},
                    POINT{(outerAfter.left + outerAfter.right) / 2, (outerAfter.top + outerAfter.bottom) / 2}}) {
      EXPECT_NE(WindowFromPoint(p), shadow) << p.x << "," << p.y;
    }

    // Painted in the skin: the outer frame line and the client background.
    const COLORREF frameLine = window.pixel(0, (outerAfter.bottom - outerAfter.top) / 2);
    EXPECT_TRUE(frameLine == skinColour(13, "frame.active") || frameLine == skinColour(13, "frame.inactive"))
        << std::hex << frameLine;
    POINT inside{clientAfter.right - 4, clientAfter.bottom - 4};
    MapWindowPoints(window.frame, nullptr, &inside, 1);
    EXPECT_EQ(window.pixel(inside.x - outerAfter.left, inside.y - outerAfter.top), skinColour(13, "face"));

    // The button still clicks; the close box hit-tests and asks to close.
    const int clicks = TestWindow::clicks;
    SendMessageW(window.button, BM_CLICK, 0, 0);
    EXPECT_EQ(TestWindow::clicks, clicks + 1);
    POINT client0{0, 0};
    ClientToScreen(window.frame, &client0);
    const LPARAM closePoint = MAKELPARAM(outerAfter.right - (client0.x - outerAfter.left) - 8,
                                         (outerAfter.top + client0.y) / 2);
    ASSERT_EQ(SendMessageW(window.frame, WM_NCHITTEST, 0, closePoint), HTCLOSE);
    const int closes = TestWindow::closeRequests;
    SendMessageW(window.frame, WM_NCLBUTTONDOWN, HTCLOSE, closePoint);
    SendMessageW(window.frame, WM_NCLBUTTONUP, HTCLOSE, closePoint);
    EXPECT_EQ(TestWindow::closeRequests, closes + 1);
  });
}

TEST(SkinEngineContract, AnotherSkinRepaintsAndAeroOffHidesTheShadow) {
  onOwnThread([] {
    TestWindow window(40);
    ASSERT_NE(engine().attachSkin(readSkin(13)), 0);
    engine().aero(1);
    HWND shadow = nullptr;
    ASSERT_TRUE(pumpUntil([&] { return (shadow = shadowOf(window.frame)) && IsWindowVisible(shadow); }));
    RECT outer{};
    GetWindowRect(window.frame, &outer);
    const int midY = (outer.bottom - outer.top) / 2;
    ASSERT_NE(engine().attachSkin(readSkin(7)), 0);
    EXPECT_TRUE(pumpUntil([&] {
      const COLORREF line = window.pixel(0, midY);
      return line == skinColour(7, "frame.active") || line == skinColour(7, "frame.inactive");
    })) << std::hex << window.pixel(0, midY);
    engine().aero(0);
    EXPECT_TRUE(pumpUntil([&] { return !IsWindowVisible(shadow); }));
  });
}

}  // namespace
