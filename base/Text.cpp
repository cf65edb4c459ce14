#include "base/Text.h"

#include <algorithm>

namespace brenta::text {

std::vector<std::string_view> Split(std::string_view text, char delimiter)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(delimiter, start);
        if (end == std::string_view::npos) {
            parts.push_back(text.substr(start));
            return parts;
        }
        parts.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string FoldCase(std::string text)
{
    for (char& c : text)
        c = FoldCase(c);
    return text;
}

namespace {

bool SameLetter(char a, char b) { return FoldCase(a) == FoldCase(b); }

} // namespace

bool EqualsIgnoringCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), SameLetter);
}

std::size_t FindIgnoringCase(std::string_view haystack, std::string_view needle)
{
    const auto at = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), SameLetter);
    return at == haystack.end() && !needle.empty() ? std::string_view::npos
                                                   : static_cast<std::size_t>(at - haystack.begin());
}

} // namespace brenta::text
