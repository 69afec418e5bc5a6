// Texts cross to Win32 as UTF-16, converted from and to code page 936.
#pragma once

#include <string>
#include <string_view>

#include "base/values.h"

std::wstring wide_of(std::string_view text);
Text text_of_wide(std::wstring_view wide);
