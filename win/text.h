#pragma once

#include <string>

// The drill's core speaks UTF-8, Windows UTF-16.
std::string utf8(const std::wstring& text);
std::wstring wide(const std::string& text);
