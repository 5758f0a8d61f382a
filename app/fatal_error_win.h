#pragma once
// The fatal run-time error: a message box with the caption "错误", then the
// process ends with exit code -1. Never returns.
#include <string_view>

namespace moxilo {

[[noreturn]] void fatalRuntimeError(int code, std::string_view message);

}  // namespace moxilo
