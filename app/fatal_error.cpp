#include "app/fatal_error.h"

#include <algorithm>

namespace moxilo {

void FixedText::append(std::string_view part) {
  const std::size_t count = std::min(part.size(), kCapacity - size_);
  std::copy_n(part.data(), count, chars_.data() + size_);
  size_ += count;
  chars_[size_] = '\0';
}

void FixedText::appendDecimal(long long value) {
  char digits[24];
  std::size_t count = 0;
  // Works on the negative side, where every long long fits.
  long long rest = value < 0 ? value : -value;
  do {
    digits[count++] = static_cast<char>('0' - rest % 10);
    rest /= 10;
  } while (rest != 0);
  if (value < 0) digits[count++] = '-';
  std::reverse(digits, digits + count);
  append({digits, count});
}

FixedText fatalErrorText(int code, std::string_view message) {
  FixedText text;
  text.append("运行时出错!\r\n\r\n");
  if (code != 0) {
    text.append("错误代码：");
    text.appendDecimal(code);
    text.append("\r\n\r\n");
  }
  if (!message.empty()) {
    text.append("错误信息：");
    text.append(message);
    text.append("\r\n");
  }
  return text;
}

FixedText allocationFailureMessage(std::size_t bytes) {
  FixedText text;
  text.append("分配 ");
  text.appendDecimal(static_cast<long long>(std::min<std::size_t>(bytes, 0x7FFFFFFFFFFFFFFFull)));
  text.append(" 字节内存失败!");
  return text;
}

}  // namespace moxilo
