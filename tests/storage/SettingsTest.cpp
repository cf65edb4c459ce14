#include "storage/Settings.h"

#include <algorithm>
#include <map>
#include <utility>

#include <gtest/gtest.h>

#include "base/Failure.h"

using brenta::Failure;
using brenta::NumberFormat;
using brenta::storage::BooleanText;
using brenta::storage::Options;
using brenta::storage::ReadOptions;
using brenta::storage::SettingsStore;
using brenta::storage::ToBoolean;
using brenta::storage::WriteOptions;

namespace {

const NumberFormat kPoint = NumberFormat::FromDecimalSeparator('.');
const NumberFormat kComma = NumberFormat::FromDecimalSeparator(',');

// An in-memory store that records what was asked of it.
class FakeStore : public SettingsStore {
public:
    std::string Read(const std::string& section, const std::string& key, const std::string& defaultText) override
    {
        log.push_back("read " + section + "/" + key);
        const auto found = values.find({section, key});
        return found == values.end() ? defaultText : found->second;
    }
    void Write(const std::string& section, const std::string& key, const std::string& text) override
    {
        log.push_back("write " + section + "/" + key + "=" + text);
        values[{section, key}] = text;
    }
    void Flush() override
    {
        log.push_back("flush");
        if (flushFails)
            throw Failure("store not writable");
    }

    std::map<std::pair<std::string, std::string>, std::string> values;
    std::vector<std::string> log;
    bool flushFails = false;
};

struct BooleanCase {
    std::string text;
    NumberFormat fmt;
    std::optional<bool> value;
};

void PrintTo(const BooleanCase& c, std::ostream* os) { *os << '"' << c.text << '"'; }

class ToBooleanTest : public ::testing::TestWithParam<BooleanCase> {};

TEST_P(ToBooleanTest, Converts) { EXPECT_EQ(ToBoolean(GetParam().text, GetParam().fmt), GetParam().value); }

INSTANTIATE_TEST_SUITE_P(Texts, ToBooleanTest,
    ::testing::Values(BooleanCase{"True", kPoint, true}, BooleanCase{"tRUE", kPoint, true},
        BooleanCase{" TRUE ", kPoint, true}, BooleanCase{"False", kPoint, false},
        BooleanCase{"fALSE", kPoint, false}, BooleanCase{"0", kPoint, false}, BooleanCase{"1", kPoint, true},
        BooleanCase{"-1", kPoint, true}, BooleanCase{"0.0", kPoint, false}, BooleanCase{"0,5", kComma, true},
        BooleanCase{"", kPoint, std::nullopt}, BooleanCase{"yes", kPoint, std::nullopt},
        BooleanCase{"Truex", kPoint, std::nullopt}, BooleanCase{"0,5", kPoint, std::nullopt}));

TEST(BooleanTextTest, IsTheWord)
{
    EXPECT_EQ(BooleanText(true), "True");
    EXPECT_EQ(BooleanText(false), "False");
}

TEST(ReadOptionsTest, FirstRunGivesTheDefaultsAndStoresNothing)
{
    FakeStore store;
    const Options options = ReadOptions(store, kPoint);
    EXPECT_FALSE(options.showNextImprovement);
    EXPECT_FALSE(options.alwaysOnTop);
    EXPECT_EQ(options.x, 0);
    EXPECT_EQ(options.y, 0);
    EXPECT_EQ(options.pricesFile, "matprices.dat");
    EXPECT_TRUE(store.values.empty());
}

struct StoredCase {
    const char* name;
    std::map<std::pair<std::string, std::string>, std::string> stored;
    Options expected;
};

void PrintTo(const StoredCase& c, std::ostream* os) { *os << c.name; }

class ReadOptionsStoredTest : public ::testing::TestWithParam<StoredCase> {};

TEST_P(ReadOptionsStoredTest, ConvertsOrFallsBackToTheDefault)
{
    FakeStore store;
    store.values = GetParam().stored;
    const Options options = ReadOptions(store, kComma, "brenta");
    const Options& expected = GetParam().expected;
    EXPECT_EQ(options.showNextImprovement, expected.showNextImprovement);
    EXPECT_EQ(options.alwaysOnTop, expected.alwaysOnTop);
    EXPECT_EQ(options.x, expected.x);
    EXPECT_EQ(options.y, expected.y);
    EXPECT_EQ(options.pricesFile, expected.pricesFile);
}

Options Make(bool improvements, bool aot, std::int32_t x, std::int32_t y, std::string file = "matprices.dat")
{
    return Options{improvements, aot, x, y, std::move(file)};
}

INSTANTIATE_TEST_SUITE_P(Values, ReadOptionsStoredTest,
    ::testing::Values(
        StoredCase{"StoredValues",
            {{{"Options", "ShowNextImprovement"}, "True"}, {{"Window", "AlwaysOnTop"}, "1"},
                {{"Window", "X"}, "1500"}, {{"Window", "Y"}, "-15"}, {{"Options", "PricesFile"}, "mine.dat"}},
            Make(true, true, 1500, -15, "mine.dat")},
        StoredCase{"EdgesRoundHalfToEven", {{{"Window", "X"}, "2,5"}, {{"Window", "Y"}, "3,5"}},
            Make(false, false, 2, 4)},
        StoredCase{"UnconvertibleGiveDefaults",
            {{{"Options", "ShowNextImprovement"}, "maybe"}, {{"Window", "AlwaysOnTop"}, ""},
                {{"Window", "X"}, "left"}, {{"Window", "Y"}, "1e12"}},
            Make(false, false, 0, 0)},
        StoredCase{"EmptyPricesFile", {{{"Options", "PricesFile"}, ""}}, Make(false, false, 0, 0)},
        StoredCase{
            "PricesFileWithAFolder", {{{"Options", "PricesFile"}, "../elsewhere.dat"}}, Make(false, false, 0, 0)},
        StoredCase{"PricesFileAbsolute", {{{"Options", "PricesFile"}, "/tmp/x.dat"}}, Make(false, false, 0, 0)},
        StoredCase{"PricesFileParentFolder", {{{"Options", "PricesFile"}, ".."}}, Make(false, false, 0, 0)},
        StoredCase{"PricesFileIsTheExecutable", {{{"Options", "PricesFile"}, "brenta"}}, Make(false, false, 0, 0)},
        StoredCase{
            "PricesFileIsTheSkillsFile", {{{"Options", "PricesFile"}, "skills.dat"}}, Make(false, false, 0, 0)},
        StoredCase{
            "PricesFileIsTheOwnedFile", {{{"Options", "PricesFile"}, "ownedbps.dat"}}, Make(false, false, 0, 0)},
        StoredCase{"PricesFileIsTheApplicationPicture", {{{"Options", "PricesFile"}, "brenta.png"}},
            Make(false, false, 0, 0)},
        StoredCase{"PricesFileIsTheDesktopEntry", {{{"Options", "PricesFile"}, "brenta.desktop"}},
            Make(false, false, 0, 0)},
        StoredCase{"PricesFileIsTheIconsFolder", {{{"Options", "PricesFile"}, "icons"}}, Make(false, false, 0, 0)},
        StoredCase{"PricesFileHidden", {{{"Options", "PricesFile"}, ".hidden.dat"}}, Make(false, false, 0, 0)},
        StoredCase{"PricesFileATemporaryFile", {{{"Options", "PricesFile"}, ".matprices.dat.tmp4711-2"}},
            Make(false, false, 0, 0)},
        StoredCase{"PricesFileLikeTheOwnFilesButNotThem", {{{"Options", "PricesFile"}, "Skills.dat"}},
            Make(false, false, 0, 0, "Skills.dat")}),
    [](const auto& param) { return std::string(param.param.name); });

// Each option under its section and key, in the store's formats: the booleans as
// words or as 0 and 1, the position as whole numbers; flushed once all are written.
TEST(WriteOptionsTest, StoresEachOptionInItsFormatThenFlushes)
{
    FakeStore store;
    WriteOptions(store, Make(false, true, -15, 2500, "mine.dat"), kComma);
    EXPECT_EQ(store.values,
        (std::map<std::pair<std::string, std::string>, std::string>{
            {{"Options", "ShowNextImprovement"}, "False"},
            {{"Options", "PricesFile"}, "mine.dat"},
            {{"Window", "AlwaysOnTop"}, "1"},
            {{"Window", "X"}, "-15"},
            {{"Window", "Y"}, "2500"},
        }));
    ASSERT_FALSE(store.log.empty());
    EXPECT_EQ(store.log.back(), "flush");
    EXPECT_EQ(std::count(store.log.begin(), store.log.end(), "flush"), 1);
}

TEST(WriteOptionsTest, WrittenOptionsReadBack)
{
    FakeStore store;
    WriteOptions(store, Make(true, false, 123456, 7, "other.dat"), kComma);
    const Options options = ReadOptions(store, kComma);
    EXPECT_TRUE(options.showNextImprovement);
    EXPECT_FALSE(options.alwaysOnTop);
    EXPECT_EQ(options.x, 123456);
    EXPECT_EQ(options.y, 7);
    EXPECT_EQ(options.pricesFile, "other.dat");
}

TEST(WriteOptionsTest, StoreThatCannotBeWrittenIsAFailure)
{
    FakeStore store;
    store.flushFails = true;
    EXPECT_THROW(WriteOptions(store, Options{}, kPoint), Failure);
}

} // namespace
