// The wide character of every text the plug-in handles: UTF-16 code units on
// every platform (on Windows the same bits as wchar_t).
#pragma once

namespace ortolix {

using WideChar = char16_t;

}  // namespace ortolix
