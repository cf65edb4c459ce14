// The numbers module's readers of outside text: text-to-number (every field and
// file goes through it) and the leading-number conversion (the ML and PL boxes).

#include <cmath>
#include <cstddef>
#include <cstdint>

#include "base/Numbers.h"
#include "fuzz/FuzzCheck.h"

using namespace brenta;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text = fuzz::Text(data, size);
    for (const NumberFormat& fmt : fuzz::kFormats) {
        try {
            const double value = numbers::ToNumber(text, fmt);
            fuzz::Check(std::isfinite(value), "ToNumber gives a finite value");
            // What the program writes it reads back, and writing that again gives the
            // same text: a value survives any number of saves unchanged.
            const std::string written = numbers::ToText(value, fmt);
            const double back = numbers::ToNumber(written, fmt);
            fuzz::Check(
                numbers::ToText(back, fmt) == written, "ToText of a read value reads back to the same text");
        } catch (const Failure&) {
        }
        try {
            const std::int32_t whole = numbers::TextToInt32(text, fmt);
            fuzz::Check(numbers::TextToInt32(numbers::IntText(whole), fmt) == whole, "a whole number reads back");
        } catch (const Failure&) {
        }
        try {
            numbers::TextToInt16(text, fmt);
        } catch (const Failure&) {
        }
    }
    try {
        const double leading = numbers::LeadingNumber(text);
        fuzz::Check(std::isfinite(leading), "LeadingNumber gives a finite value");
    } catch (const Failure&) {
    }
    return 0;
}
