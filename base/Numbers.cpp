#include "base/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace brenta::numbers {

namespace {

constexpr int kSignificantDigits = 15;
constexpr int kLargestPlainExponent = 14; // 999999999999999 is the largest plain number
constexpr int kSmallestPlainExponent = -4; // 0.0001 is the smallest plain magnitude
constexpr double kPlainWholeLimit = 1e15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t'; }

[[noreturn]] void Fail(std::string_view what, std::string_view text)
{
    throw Failure(std::string(what) + ": \"" + std::string(text) + "\"");
}

// Reads a plain C-form number ("-12.5e3", digits and "." only); a value beyond the
// range of a 64-bit float is a Failure.
double ParsePlain(const std::string& plain, std::string_view original)
{
    double value = 0;
    const char* first = plain.data();
    const char* last = plain.data() + plain.size();
    auto [ptr, ec] = std::from_chars(first, last, value, std::chars_format::general);
    if (ec == std::errc::result_out_of_range) {
        // The largest float is written rounded up to 15 digits (1.79769313486232E+308);
        // that text still has to read back as the largest float.
        long double wide = 0;
        auto [widePtr, wideEc] = std::from_chars(first, last, wide, std::chars_format::general);
        constexpr long double kLargestWritten = 1.79769313486232e308L;
        if (wideEc == std::errc() && widePtr == last && std::fabs(wide) > 1 && std::fabs(wide) <= kLargestWritten)
            return wide < 0 ? -std::numeric_limits<double>::max() : std::numeric_limits<double>::max();
        Fail("Number out of range", original);
    }
    if (ec != std::errc() || ptr != last)
        Fail("Not a number", original);
    if (!std::isfinite(value))
        Fail("Number out of range", original);
    return value;
}

// A non-zero finite value rounded to 15 significant digits: the digits d0 d1 ... d14
// and the decimal exponent of d0 (value = d0.d1d2... x 10^exponent).
struct Significant {
    char digits[kSignificantDigits];
    int exponent;
    bool negative;
};

Significant SignificantDigits(double value)
{
    char buffer[64];
    auto [ptr, ec] = std::to_chars(
        buffer, buffer + sizeof buffer, value, std::chars_format::scientific, kSignificantDigits - 1);
    if (ec != std::errc())
        throw Failure("Cannot write a number");
    std::string_view sci(buffer, static_cast<std::size_t>(ptr - buffer)); // "-d.ddddddddddddddde+XX"
    Significant result{};
    result.negative = sci.front() == '-';
    if (result.negative)
        sci.remove_prefix(1);
    const std::size_t ePos = sci.find('e');
    std::size_t n = 0;
    for (char c : sci.substr(0, ePos))
        if (IsDigit(c) && n < kSignificantDigits)
            result.digits[n++] = c;
    std::string_view expText = sci.substr(ePos + 1);
    if (!expText.empty() && expText.front() == '+')
        expText.remove_prefix(1);
    std::from_chars(expText.data(), expText.data() + expText.size(), result.exponent);
    return result;
}

bool IsExponentForm(int exponent) { return exponent > kLargestPlainExponent || exponent < kSmallestPlainExponent; }

std::string FixedDecimals(double value, int decimals)
{
    if (!std::isfinite(value))
        throw Failure("Cannot format a number that is not finite");
    char buffer[400];
    auto [ptr, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (ec != std::errc())
        throw Failure("Number too large to format");
    std::string text(buffer, ptr);
    // A value that rounds to zero is shown without a sign.
    if (!text.empty() && text[0] == '-' && text.find_first_not_of("-0.") == std::string::npos)
        text.erase(0, 1);
    return text;
}

} // namespace

std::string ToText(double value, const NumberFormat& fmt)
{
    if (!std::isfinite(value))
        throw Failure("Cannot write a number that is not finite");
    if (value == 0)
        return "0";
    // Whole numbers below 10^15 have at most 15 digits: written exactly, and fast,
    // since every waste, total and level in the sheet is one.
    if (std::fabs(value) < kPlainWholeLimit && value == std::trunc(value))
        return std::to_string(static_cast<long long>(value));

    const Significant sig = SignificantDigits(value);
    const bool negative = sig.negative;
    const int exponent = sig.exponent;
    std::string digits(sig.digits, kSignificantDigits);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out;
    if (negative)
        out += '-';
    if (IsExponentForm(exponent)) {
        out += digits[0];
        if (digits.size() > 1) {
            out += fmt.decSep;
            out.append(digits, 1, std::string::npos);
        }
        out += 'E';
        out += exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            out += '0';
        out += std::to_string(magnitude);
    } else if (exponent >= 0) {
        const auto wholeDigits = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= wholeDigits) {
            out += digits;
            out.append(wholeDigits - digits.size(), '0');
        } else {
            out.append(digits, 0, wholeDigits);
            out += fmt.decSep;
            out.append(digits, wholeDigits, std::string::npos);
        }
    } else {
        out += '0';
        out += fmt.decSep;
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    }
    return out;
}

double ToNumber(std::string_view text, const NumberFormat& fmt)
{
    std::string_view s = text;
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back()))
        s.remove_suffix(1);

    std::string plain;
    std::size_t i = 0;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
        if (s[i] == '-')
            plain += '-';
        ++i;
    }

    // Whole part: plain digits, or groups of three digits after the first group.
    std::size_t mantissaDigits = 0;
    std::size_t groupDigits = 0;
    bool grouped = false;
    while (i < s.size()) {
        if (IsDigit(s[i])) {
            plain += s[i];
            ++groupDigits;
            ++mantissaDigits;
            ++i;
        } else if (s[i] == fmt.digSep && fmt.digSep != fmt.decSep) {
            const bool firstGroupOk = grouped ? groupDigits == 3 : (groupDigits >= 1 && groupDigits <= 3);
            if (!firstGroupOk)
                Fail("Misplaced digit group separator", text);
            grouped = true;
            groupDigits = 0;
            ++i;
        } else {
            break;
        }
    }
    if (grouped && groupDigits != 3)
        Fail("Misplaced digit group separator", text);

    if (i < s.size() && s[i] == fmt.decSep) {
        plain += '.';
        ++i;
        while (i < s.size() && IsDigit(s[i])) {
            plain += s[i];
            ++mantissaDigits;
            ++i;
        }
    }
    if (mantissaDigits == 0)
        Fail("Not a number", text);

    if (i < s.size() && (s[i] == 'E' || s[i] == 'e')) {
        plain += 'e';
        ++i;
        if (i < s.size() && (s[i] == '+' || s[i] == '-')) {
            if (s[i] == '-')
                plain += '-';
            ++i;
        }
        std::size_t expDigits = 0;
        while (i < s.size() && IsDigit(s[i])) {
            plain += s[i];
            ++expDigits;
            ++i;
        }
        if (expDigits == 0)
            Fail("Not a number", text);
    }
    if (i != s.size())
        Fail("Not a number", text);
    return ParsePlain(plain, text);
}

double ToNumberAnyGroups(std::string_view text, const NumberFormat& fmt)
{
    static constexpr std::string_view kMarks[] = {" ", "\xC2\xA0", "\xE2\x80\xAF", "'"};
    std::string grouped;
    grouped.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        bool replaced = false;
        if (i > 0 && IsDigit(text[i - 1])) {
            for (const std::string_view mark : kMarks) {
                const std::size_t next = i + mark.size();
                if (text.substr(i).starts_with(mark) && next < text.size() && IsDigit(text[next])) {
                    grouped += fmt.digSep;
                    i = next;
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            grouped += text[i++];
    }
    return ToNumber(grouped, fmt);
}

std::optional<char> DecimalMarkOf(std::string_view figure)
{
    std::string_view s = figure;
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    if (!s.empty() && (s.front() == '+' || s.front() == '-'))
        s.remove_prefix(1);
    s = s.substr(0, s.find_first_of("Ee"));
    const std::size_t lastDot = s.rfind('.');
    const std::size_t lastComma = s.rfind(',');
    if (lastDot == std::string_view::npos && lastComma == std::string_view::npos)
        return std::nullopt;
    if (lastDot != std::string_view::npos && lastComma != std::string_view::npos)
        return lastDot > lastComma ? '.' : ',';
    const char mark = lastDot != std::string_view::npos ? '.' : ',';
    const char other = mark == '.' ? ',' : '.';
    const std::size_t first = s.find(mark);
    const std::size_t last = mark == '.' ? lastDot : lastComma;
    if (first != last)
        return other;
    const std::string_view whole = s.substr(0, first);
    std::size_t after = 0;
    while (first + 1 + after < s.size() && IsDigit(s[first + 1 + after]))
        ++after;
    // A digit group follows a first group of one to three digits that does not
    // start with 0, and holds exactly three digits.
    if (after != 3 || whole.empty() || whole.size() > 3 || whole.front() == '0')
        return mark;
    return std::nullopt;
}

double LeadingNumber(std::string_view text)
{
    std::size_t i = 0;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '\n' || text[i] == '\r'))
        ++i;
    std::string plain;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-')
            plain += '-';
        ++i;
    }
    std::size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) {
        plain += text[i++];
        ++mantissaDigits;
    }
    if (i < text.size() && text[i] == '.') {
        plain += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) {
            plain += text[i++];
            ++mantissaDigits;
        }
    }
    if (mantissaDigits == 0)
        return 0;
    // An exponent counts only when digits follow it: "2E" is 2, "2E3" is 2000.
    if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < text.size() && (text[j] == '+' || text[j] == '-')) {
            if (text[j] == '-')
                exponent += '-';
            ++j;
        }
        if (j < text.size() && IsDigit(text[j])) {
            while (j < text.size() && IsDigit(text[j]))
                exponent += text[j++];
            plain += exponent;
        }
    }
    return ParsePlain(plain, text);
}

std::string Format(double value, std::string_view pattern, const NumberFormat& fmt)
{
    if (pattern == ".")
        return std::string(1, fmt.decSep);

    const bool grouped = pattern == "###,##0.00";
    int decimals = -1;
    if (grouped) {
        decimals = 2;
    } else if (pattern.size() >= 3 && pattern.substr(0, 2) == "0."
        && pattern.find_first_not_of('0', 2) == std::string_view::npos) {
        decimals = static_cast<int>(pattern.size() - 2);
    }
    if (decimals < 0)
        throw Failure("Unknown number format \"" + std::string(pattern) + "\"");

    std::string text = FixedDecimals(value, decimals);
    const std::size_t point = text.find('.');
    if (point != std::string::npos)
        text[point] = fmt.decSep;
    if (grouped) {
        const std::size_t wholeStart = text[0] == '-' ? 1 : 0;
        const std::size_t wholeEnd = point == std::string::npos ? text.size() : point;
        std::string whole = text.substr(wholeStart, wholeEnd - wholeStart);
        std::string withGroups;
        for (std::size_t k = 0; k < whole.size(); ++k) {
            if (k > 0 && (whole.size() - k) % 3 == 0)
                withGroups += fmt.digSep;
            withGroups += whole[k];
        }
        text = text.substr(0, wholeStart) + withGroups + text.substr(wholeEnd);
    }
    return text;
}

std::string ShortNumberText(double value, int digits, const NumberFormat& fmt)
{
    if (!std::isfinite(value))
        throw Failure("Cannot write a number that is not finite");
    if (digits < 1 || digits > kSignificantDigits)
        throw Failure("A short number has 1 to 15 digits, not " + std::to_string(digits));
    char buffer[64];
    auto [ptr, ec]
        = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::scientific, digits - 1);
    if (ec != std::errc())
        throw Failure("Cannot write a number");
    const std::string_view sci(buffer, static_cast<std::size_t>(ptr - buffer)); // "-d.ddde+XX"
    const std::size_t ePos = sci.find('e');
    std::string mantissa(sci.substr(0, ePos));
    if (mantissa.find('.') != std::string::npos) {
        while (mantissa.back() == '0')
            mantissa.pop_back();
        if (mantissa.back() == '.')
            mantissa.pop_back();
        else
            mantissa[mantissa.find('.')] = fmt.decSep;
    }
    std::string_view exponent = sci.substr(ePos + 1);
    const char sign = exponent.front() == '-' ? '-' : '+';
    if (exponent.front() == '-' || exponent.front() == '+')
        exponent.remove_prefix(1);
    std::string expDigits(exponent);
    if (expDigits.size() < 2)
        expDigits.insert(0, 1, '0');
    return mantissa + "E" + sign + expDigits;
}

std::string GroupedNumberText(std::string_view text, const NumberFormat& fmt)
{
    std::size_t wholeStart = !text.empty() && (text.front() == '-' || text.front() == '+') ? 1 : 0;
    std::size_t wholeEnd = wholeStart;
    while (wholeEnd < text.size() && IsDigit(text[wholeEnd]))
        ++wholeEnd;
    if (wholeEnd == wholeStart)
        return std::string(text);
    if (wholeEnd < text.size()) {
        // Only a decimal part may follow: digits after the locale's separator.
        if (text[wholeEnd] != fmt.decSep || wholeEnd + 1 == text.size())
            return std::string(text);
        for (std::size_t i = wholeEnd + 1; i < text.size(); ++i)
            if (!IsDigit(text[i]))
                return std::string(text);
    }
    std::string grouped(text.substr(0, wholeStart));
    const std::size_t length = wholeEnd - wholeStart;
    for (std::size_t i = 0; i < length; ++i) {
        if (i > 0 && (length - i) % 3 == 0)
            grouped += fmt.digSep;
        grouped += text[wholeStart + i];
    }
    grouped += text.substr(wholeEnd);
    return grouped;
}

double RoundHalfEven(double value)
{
    if (!std::isfinite(value))
        throw Failure("Cannot round a number that is not finite");
    // nearbyint rounds in the default mode, to nearest with ties to even.
    return std::nearbyint(value);
}

std::int16_t ToInt16(double value)
{
    const double r = RoundHalfEven(value);
    if (r < std::numeric_limits<std::int16_t>::min() || r > std::numeric_limits<std::int16_t>::max())
        throw Failure("Overflow: " + std::to_string(r) + " does not fit 16 bits");
    return static_cast<std::int16_t>(r);
}

std::int32_t ToInt32(double value)
{
    const double r = RoundHalfEven(value);
    if (r < std::numeric_limits<std::int32_t>::min() || r > std::numeric_limits<std::int32_t>::max())
        throw Failure("Overflow: " + std::to_string(r) + " does not fit 32 bits");
    return static_cast<std::int32_t>(r);
}

std::int64_t ToInt64(double value)
{
    const double r = RoundHalfEven(value);
    // 2^63 is exactly representable; every double below it and above -2^63 fits.
    constexpr double kLimit = 9223372036854775808.0;
    if (r < -kLimit || r >= kLimit)
        throw Failure("Overflow: " + std::to_string(r) + " does not fit 64 bits");
    return static_cast<std::int64_t>(r);
}

std::int16_t TextToInt16(std::string_view text, const NumberFormat& fmt) { return ToInt16(ToNumber(text, fmt)); }
std::int32_t TextToInt32(std::string_view text, const NumberFormat& fmt) { return ToInt32(ToNumber(text, fmt)); }

namespace {
[[noreturn]] void Overflow() { throw Failure("Overflow in integer arithmetic"); }
} // namespace

std::int32_t Add32(std::int32_t a, std::int32_t b)
{
    std::int32_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        Overflow();
    return r;
}

std::int32_t Sub32(std::int32_t a, std::int32_t b)
{
    std::int32_t r = 0;
    if (__builtin_sub_overflow(a, b, &r))
        Overflow();
    return r;
}

std::int32_t Mul32(std::int32_t a, std::int32_t b)
{
    std::int32_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        Overflow();
    return r;
}

std::int16_t Add16(std::int16_t a, std::int16_t b)
{
    std::int16_t r = 0;
    if (__builtin_add_overflow(a, b, &r))
        Overflow();
    return r;
}

std::int16_t Mul16(std::int16_t a, std::int16_t b)
{
    std::int16_t r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        Overflow();
    return r;
}

double Finite(double value)
{
    if (!std::isfinite(value))
        throw Failure("Arithmetic result is not a finite number");
    return value;
}

std::string IntText(std::int64_t value) { return std::to_string(value); }

char FirstDecimalDigit(double value)
{
    if (!std::isfinite(value))
        throw Failure("Cannot write a number that is not finite");
    if (value == 0 || (std::fabs(value) < kPlainWholeLimit && value == std::trunc(value)))
        return 0;
    const Significant sig = SignificantDigits(value);
    // A digit that ToText would drop as a trailing zero is '0' here: never a 5 either way.
    if (IsExponentForm(sig.exponent))
        return sig.digits[1]; // "d0.d1...E+XX"
    if (sig.exponent >= 0)
        return sig.exponent + 1 < kSignificantDigits ? sig.digits[sig.exponent + 1] : '\0';
    return sig.exponent == -1 ? sig.digits[0] : '0'; // "0.d0..." or "0.0..."
}

} // namespace brenta::numbers
