#pragma once

// The numbers module: every conversion between numbers and text in the program
// goes through here, so fields, captions and the player's files agree to the digit.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "base/Failure.h"

namespace brenta {

// The locale's separators. The decimal separator is "." or ","; the group
// separator is the other one (digSep).
struct NumberFormat {
    char decSep = '.';
    char digSep = ',';

    static NumberFormat FromDecimalSeparator(char dec) { return NumberFormat{dec, dec == ',' ? '.' : ','}; }
};

namespace numbers {

// Standard number-to-text: at most 15 significant digits, the locale's decimal
// separator, no grouping, no decimal part for whole numbers, "-" for negatives.
// Magnitudes of 1E+15 and above, or below 1E-04, are written in exponent form
// ("1E+15", "5E-05", "1.5E-05"): 15 digits cannot show every unit beyond 10^15,
// and below 10^-4 the plain form would carry more zeros than digits.
// A non-finite value is a Failure.
std::string ToText(double value, const NumberFormat& fmt);

// Locale-aware text-to-number: reads back everything ToText writes, to the same
// value. Also accepted: spaces around the number, a leading "+", and digit groups
// of exactly three digits in the whole part separated by fmt.digSep ("1,000").
// Everything else (empty text, stray characters, a second separator, a value
// beyond the 64-bit float range) is a Failure.
double ToNumber(std::string_view text, const NumberFormat& fmt);

// A figure as another program may group its digits: a space, a no-break space
// (U+00A0, U+202F) or an apostrophe between two digits is read as fmt.digSep,
// then the text goes to ToNumber, which checks the groups: "1 234,5" under a
// decimal comma is 1234.5, "12 34" is a Failure.
double ToNumberAnyGroups(std::string_view text, const NumberFormat& fmt);

// The decimal mark a figure written by another program shows beyond doubt, or
// nothing when it could be either: both marks present ("1,234.5": the last one),
// one mark repeated ("1.234.567": a digit group, so the other one), or one mark
// that cannot separate groups of three ("2,5", "0.125", "1234.567", ".5").
// "1,234" and "1.234" say nothing, nor does a figure with no mark at all. Only
// the part before an exponent counts. Used to decide how a pasted table writes
// its numbers before reading them with ToNumber.
std::optional<char> DecimalMarkOf(std::string_view figure);

// Leading-number conversion: the number at the start of the text, "." its only
// decimal mark, ignoring leading spaces; 0 when the text does not start with one.
// "12abc" gives 12, "1,000" gives 1, "-3.5x" gives -3.5, "abc" gives 0.
// An exponent ("1E3") is read when digits follow the "E". Overflow is a Failure.
double LeadingNumber(std::string_view text);

// Format patterns. Supported: "0.0000000000000", "0.0000000000", "0.00",
// "###,##0.00" and "." (the decimal separator alone). Fixed decimals round the
// exact binary value to the nearest; grouping uses fmt.digSep, every three digits.
// An unknown pattern or a non-finite value is a Failure.
std::string Format(double value, std::string_view pattern, const NumberFormat& fmt);

// The short form of a number too wide for its place, even at the smallest type:
// exponent form with `digits` significant digits (1 to 15), the exact binary value
// rounded to the nearest, trailing zeros of the digits dropped, the locale's decimal
// separator and an exponent of at least two digits, as ToText writes large and
// small numbers: 15968500000000 at 4 digits is "1.597E+13", at 2 "1.6E+13";
// 0.0000000000000001 is "1E-16". A number cut at its end ("1596850000…") reads as
// a plausible smaller number; this form cannot. Shown with the whole figure beside
// it (GroupedNumberText in a tool tip). A non-finite value is a Failure.
std::string ShortNumberText(double value, int digits, const NumberFormat& fmt);

// A number's text with its whole part grouped by fmt.digSep every three digits, the
// rest as it is: "15968500000000" gives "15,968,500,000,000", "-1234.5" gives
// "-1,234.5". A text that is not a plain number (exponent form, grouped already,
// words) is returned as it is: grouping never changes what a text says.
std::string GroupedNumberText(std::string_view text, const NumberFormat& fmt);

// The numbers of files other programs read (CSV): "." as decimal point whatever
// the locale; pass it to ToText or Format.
inline constexpr NumberFormat kDotFormat{'.', ','};

// Round to a whole number, an exact half to the even neighbour. Non-finite: Failure.
double RoundHalfEven(double value);

// Checked conversions to integers: round half to even, then a value outside the
// type's range (or not finite) is a Failure, never a wrap-around.
std::int16_t ToInt16(double value);
std::int32_t ToInt32(double value);
std::int64_t ToInt64(double value);

// Text read as a whole number: ToNumber, then the checked conversion.
std::int16_t TextToInt16(std::string_view text, const NumberFormat& fmt);
std::int32_t TextToInt32(std::string_view text, const NumberFormat& fmt);

// Checked integer arithmetic: a result outside the type's range is a Failure.
std::int32_t Add32(std::int32_t a, std::int32_t b);
std::int32_t Sub32(std::int32_t a, std::int32_t b);
std::int32_t Mul32(std::int32_t a, std::int32_t b);
std::int16_t Add16(std::int16_t a, std::int16_t b);
std::int16_t Mul16(std::int16_t a, std::int16_t b);

// A floating-point result that is not finite (an infinity, NaN, or a division by
// zero) is a Failure; otherwise the value passes through.
double Finite(double value);

// Whole number to plain decimal text ("-" for negatives); no separators involved.
std::string IntText(std::int64_t value);

// The first digit after the decimal separator in ToText's form of the value, or 0
// when that text has no separator. The separator itself plays no part, so this
// reads the digit without writing the text.
char FirstDecimalDigit(double value);

} // namespace numbers
} // namespace brenta
