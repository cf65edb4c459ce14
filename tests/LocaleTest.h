#pragma once

// Tests that involve separators run under the decimal point and the decimal comma.

#include <gtest/gtest.h>

#include <string>

#include "base/Numbers.h"

namespace brenta::test {

class LocaleTest : public ::testing::TestWithParam<char> {
protected:
    NumberFormat fmt = NumberFormat::FromDecimalSeparator(GetParam());
};

inline std::string LocaleName(const ::testing::TestParamInfo<char>& param)
{
    return param.param == '.' ? "Point" : "Comma";
}

// Writes "." and "," of an expected text as the decimal and group separators.
inline std::string Localised(std::string text, const NumberFormat& fmt)
{
    for (char& c : text)
        c = c == '.' ? fmt.decSep : c == ',' ? fmt.digSep : c;
    return text;
}

} // namespace brenta::test

#define BRENTA_BOTH_LOCALES(Suite)                                                                                \
    INSTANTIATE_TEST_SUITE_P(Locales, Suite, ::testing::Values('.', ','), ::brenta::test::LocaleName)
