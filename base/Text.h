#pragma once

// Plain text helpers every layer shares: cutting a line into fields, and letter
// case folded for the ASCII letters only (names, keys and words are ASCII; any
// other byte compares as it is, whatever locale the program runs under).

#include <string>
#include <string_view>
#include <vector>

namespace brenta::text {

// Splits at every delimiter; an empty text gives one empty element.
std::vector<std::string_view> Split(std::string_view text, char delimiter);

// 'A' to 'Z' become 'a' to 'z'; every other byte stays.
constexpr char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

std::string FoldCase(std::string text);

bool EqualsIgnoringCase(std::string_view a, std::string_view b);

// Where needle first occurs in haystack, letter case aside; npos when it does not.
std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle);

} // namespace brenta::text
