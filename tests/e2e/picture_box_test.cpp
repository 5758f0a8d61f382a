// The picture box keeps exactly the bytes last assigned, whether or not they
// are a picture, and hands out copies. Runs the box's own code in the driver.
#include <gtest/gtest.h>

#include <algorithm>

#include "avatar/picture_box_win.h"
#include "driver.h"

namespace e2e {
namespace {

using moxilo::ByteBuffer;
using moxilo::PictureBox;

ByteBuffer bytesOf(const std::string& text) { return ByteBuffer(text.begin(), text.end()); }

ByteBuffer fixture(const char* name) {
  std::string path = std::string(MOXILO_OPEN_SAVE_FIXTURES) + "/" + name;
  std::replace(path.begin(), path.end(), '/', '\\');
  return bytesOf(readFile(fs::path(wide("Z:" + path))));
}

TEST(PictureBox, PictureBytesAreExactlyWhatWasAssigned) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  ASSERT_TRUE(PictureBox::registerClass(instance));
  HWND parent = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 200, 200, nullptr, nullptr,
                                instance, nullptr);
  ASSERT_NE(parent, nullptr);
  PictureBox* box = PictureBox::create(parent, 12, RECT{8, 14, 144, 144}, true);
  ASSERT_NE(box, nullptr);
  EXPECT_TRUE(box->pictureBytes().empty()) << "no picture at start";

  const struct {
    const char* name;
    ByteBuffer bytes;
  } cases[] = {
      {"a JPEG", fixture("photo.jpg")},
      {"a text file", bytesOf("not a picture\r\n")},
      {"an RLE BMP that shows nothing", fixture("quadrants-rle8.bmp")},
      {"bytes with NULs", ByteBuffer{0x42, 0x4D, 0, 0, 0xFF}},
      {"nothing", ByteBuffer{}},
  };
  for (const auto& c : cases) {
    box->setPictureBytes(c.bytes);
    ByteBuffer first = box->pictureBytes();
    EXPECT_EQ(first, c.bytes) << c.name;
    if (!first.empty()) first[0] ^= 0xFF;
    EXPECT_EQ(box->pictureBytes(), c.bytes) << c.name << ": a read hands out a copy";
  }
  DestroyWindow(parent);
}

}  // namespace
}  // namespace e2e
