#include "ui/main/QtSettingsStore.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <gtest/gtest.h>

#include "base/Failure.h"

#include "tests/TempFolder.h"

namespace fs = std::filesystem;
namespace test = brenta::test;
using brenta::Failure;
using brenta::NumberFormat;
using brenta::storage::Options;
using brenta::storage::ReadOptions;
using brenta::storage::WriteOptions;
using brenta::ui::QtSettingsStore;

namespace {

class QtSettingsStoreTest : public ::testing::Test {
protected:
    std::string Ini() const { return (folder_ / "BRENTA.ini").string(); }

    test::TempFolder temp_{"brenta-settings"};
    const fs::path& folder_ = temp_.Path();
};

TEST_F(QtSettingsStoreTest, AbsentKeysGiveTheDefault)
{
    QtSettingsStore store(Ini());
    EXPECT_EQ(store.Read("Options", "PricesFile", "matprices.dat"), "matprices.dat");
    store.Write("Window", "X", "10");
    EXPECT_EQ(store.Read("Options", "X", "none"), "none"); // another section
}

TEST_F(QtSettingsStoreTest, OptionsSurviveIntoTheNextRun)
{
    const NumberFormat comma = NumberFormat::FromDecimalSeparator(',');
    {
        QtSettingsStore store(Ini());
        WriteOptions(store, Options{true, false, -15, 2500, "pr\xE9ise.dat"}, comma);
    }
    QtSettingsStore next(Ini());
    const Options options = ReadOptions(next, comma);
    EXPECT_TRUE(options.showNextImprovement);
    EXPECT_FALSE(options.alwaysOnTop);
    EXPECT_EQ(options.x, -15);
    EXPECT_EQ(options.y, 2500);
    EXPECT_EQ(options.pricesFile, "pr\xE9ise.dat"); // not UTF-8: kept byte for byte
    EXPECT_EQ(next.Read("Options", "ShowNextImprovement", ""), "True");
    EXPECT_EQ(next.Read("Window", "AlwaysOnTop", ""), "0");
}

TEST_F(QtSettingsStoreTest, StoreThatCannotBeWrittenIsAFailure)
{
    // The store's folder would have to be created where an ordinary file is.
    std::ofstream((folder_ / "file").string()) << "x";
    QtSettingsStore store((folder_ / "file" / "BRENTA.ini").string());
    store.Write("Window", "X", "0");
    try {
        store.Flush();
        FAIL() << "no Failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("BRENTA.ini"), std::string::npos) << failure.what();
    }
}

// A damaged store is rewritten whole at close: that is a success, not a failure.
TEST_F(QtSettingsStoreTest, ADamagedStoreIsRewrittenWithoutAFailure)
{
    using namespace std::string_literals;
    const NumberFormat point = NumberFormat::FromDecimalSeparator('.');
    for (const std::string& damaged : {"\x00\x01\xFF\xFE binary\n"s, "[Options\nPricesFile=mine.dat\n"s}) {
        std::ofstream(Ini(), std::ios::binary | std::ios::trunc) << damaged;
        {
            QtSettingsStore store(Ini());
            EXPECT_NO_THROW(WriteOptions(store, Options{true, true, 30, 45, "mine.dat"}, point));
        }
        QtSettingsStore next(Ini());
        const Options options = ReadOptions(next, point);
        EXPECT_TRUE(options.showNextImprovement);
        EXPECT_EQ(options.x, 30);
        EXPECT_EQ(options.pricesFile, "mine.dat");
    }
}

} // namespace
