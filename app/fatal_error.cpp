#include "app/fatal_error.h"

#include <algorithm>

namespace moxilo {

void FixedText::append(std::string_view part) {
  const std::size_t count = std::min(part.size(), kCapacity - size_);
  std::copy_n(part.data(), count, chars_.data() + size_);
  size_ += count;
  chars_[size_] = '\0';
}

void FixedText::appendUnsigned(unsigned long long value) {
  char digits[24];
  std::size_t count = 0;
  do {
    digits[count++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  std::reverse(digits, digits + count);
  append({digits, count});
}

void FixedText::appendDecimal(long long value) {
  if (value < 0) {
    append("-");
    // Negated as unsigned, so that the most negative value fits too.
    appendUnsigned(0ull - static_cast<unsigned long long>(value));
  } else {
    appendUnsigned(static_cast<unsigned long long>(value));
  }
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
  text.appendUnsigned(bytes);
  text.append(" 字节内存失败!");
  return text;
}

}  // namespace moxilo
