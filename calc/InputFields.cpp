#include "calc/InputFields.h"

#include <algorithm>

namespace brenta::fields {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

bool RunsKeyPasses(int c) { return c == kBackspace || (c >= '0' && c <= '9'); }

bool PriceKeyPasses(int c, std::int16_t decSepASCII, std::string_view boxText)
{
    // The separator's code lies between Enter and the digits, so the key ranges
    // below read as: Backspace, Enter, the separator, the digits.
    const bool passes = c >= kBackspace && (c <= kBackspace || c >= kEnter) && (c <= kEnter || c >= decSepASCII)
        && (c <= decSepASCII || c > '/') && c <= '9';
    if (!passes)
        return false;
    return c != decSepASCII || boxText.find(static_cast<char>(decSepASCII)) == std::string_view::npos;
}

bool IsRunsText(std::string_view text) { return std::all_of(text.begin(), text.end(), IsDigit); }

bool IsPriceText(std::string_view text, char decSep)
{
    return std::all_of(text.begin(), text.end(), [decSep](char c) { return IsDigit(c) || c == decSep; })
        && std::count(text.begin(), text.end(), decSep) <= 1;
}

std::optional<double> PriceFromBox(std::string_view boxText, const NumberFormat& fmt)
{
    if (boxText.empty())
        return 0.0;
    try {
        return numbers::ToNumber(boxText, fmt);
    } catch (const Failure&) {
        return std::nullopt;
    }
}

} // namespace brenta::fields
