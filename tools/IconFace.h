#pragma once

// What a generated blueprint icon shows: the kind of the item the blueprint builds
// (its colour) and the item's initials. Standard C++ only, so the choice can be
// tested apart from the drawing.

#include <algorithm>
#include <cctype>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/TextTables.h"

namespace brenta::icons {

struct Face {
    std::string kind; // a kind prefix without brackets: "T1", "T2", "Ship", "Comp", ...
    std::string initials; // one to three characters, upper case
};

// Display names by the item's name without its kind prefix, for the items the
// catalogue names ("[Ship] Vexor" under "Vexor").
inline std::map<std::string, std::string, std::less<>> ByPlainName(const ItemNames& itemNames)
{
    std::map<std::string, std::string, std::less<>> byName;
    for (const std::string& display : itemNames) {
        const auto close = display.find("] ");
        if (!display.empty() && display[0] == '[' && close != std::string::npos)
            byName.emplace(display.substr(close + 2), display);
    }
    return byName;
}

// The face of a blueprint's icon. The item it builds is its name without the
// trailing " Blueprint"; when the catalogue names that item, its kind prefix gives
// the kind. Other items are modules and charges, told apart by their tech level: a
// name ending in " II" is second tech, anything else first tech. The initials are
// the first letters or digits of up to three words, leaving out the tech level.
inline Face FaceOf(
    std::string_view blueprintName, const std::map<std::string, std::string, std::less<>>& displayByPlainName)
{
    constexpr std::string_view suffix = " Blueprint";
    std::string_view item = blueprintName;
    if (item.size() > suffix.size() && item.substr(item.size() - suffix.size()) == suffix)
        item.remove_suffix(suffix.size());

    std::vector<std::string_view> words;
    for (std::size_t start = 0; start < item.size();) {
        const std::size_t end = std::min(item.find(' ', start), item.size());
        if (end > start)
            words.push_back(item.substr(start, end - start));
        start = end + 1;
    }
    const bool secondTech = !words.empty() && words.back() == "II";
    if (!words.empty() && (words.back() == "I" || words.back() == "II") && words.size() > 1)
        words.pop_back();

    Face face;
    if (const auto it = displayByPlainName.find(item); it != displayByPlainName.end()) {
        const std::string& display = it->second;
        face.kind = display.substr(1, display.find(']') - 1);
    } else {
        face.kind = secondTech ? "T2" : "T1";
    }
    for (std::string_view word : words) {
        if (face.initials.size() == 3)
            break;
        const auto first = std::find_if(
            word.begin(), word.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
        if (first != word.end())
            face.initials += static_cast<char>(std::toupper(static_cast<unsigned char>(*first)));
    }
    if (face.initials.empty())
        face.initials = "?";
    return face;
}

} // namespace brenta::icons
