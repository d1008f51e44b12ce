#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <string>
#include <string_view>

#include "zelmar/decimal_separator.hpp"

// Where the window's text meets Windows': the core's and the description's
// UTF-8 against the UTF-16 of Windows' wide calls, and the user's decimal
// separator.
namespace zelmar::win32 {

std::wstring Widen(std::string_view utf8);
std::string Narrow(std::wstring_view utf16);

// A window's whole text, as GetWindowTextW gives it.
std::wstring WindowText(HWND window);

// The decimal separator of the user's Regional settings.
DecimalSeparator UserDecimalSeparator();

}  // namespace zelmar::win32
