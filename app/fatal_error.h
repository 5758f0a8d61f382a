#pragma once
// The texts of the fatal run-time error. Built in fixed storage, because the
// error may be that memory ran out.
#include <array>
#include <cstddef>
#include <string_view>

namespace moxilo {

inline constexpr char kFatalErrorCaption[] = "错误";

// A text of bounded length; what does not fit is cut off.
class FixedText {
 public:
  static constexpr std::size_t kCapacity = 2048;

  void append(std::string_view part);
  void appendDecimal(long long value);
  void appendUnsigned(unsigned long long value);
  std::string_view view() const { return {chars_.data(), size_}; }
  const char* c_str() const { return chars_.data(); }  // always terminated

 private:
  std::array<char, kCapacity + 1> chars_{};
  std::size_t size_ = 0;
};

// "运行时出错!\r\n\r\n", then "错误代码：<code>\r\n\r\n" unless code is 0, then
// "错误信息：<message>\r\n" unless the message is empty.
FixedText fatalErrorText(int code, std::string_view message);

// "分配 <bytes> 字节内存失败!"
FixedText allocationFailureMessage(std::size_t bytes);

}  // namespace moxilo
