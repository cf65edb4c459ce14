#include "ui/main/QtSettingsStore.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include <QLockFile>
#include <QString>
#include <QSysInfo>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

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

// A close that changed no option leaves the file as it is; a changed one replaces it.
TEST_F(QtSettingsStoreTest, WritingTheValuesItHoldsLeavesTheFileAlone)
{
    const NumberFormat point = NumberFormat::FromDecimalSeparator('.');
    const Options options{true, false, -15, 2500, "pr\xE9ise.dat"};
    const auto inode = [this] {
        struct stat info = {};
        EXPECT_EQ(::stat(Ini().c_str(), &info), 0);
        return info.st_ino;
    };
    {
        QtSettingsStore store(Ini());
        WriteOptions(store, options, point);
        store.Flush();
    }
    const auto first = inode();
    {
        QtSettingsStore store(Ini());
        WriteOptions(store, options, point);
        store.Flush();
    }
    EXPECT_EQ(inode(), first) << "the same values were written again";
    {
        QtSettingsStore store(Ini());
        Options moved = options;
        moved.x = 0;
        WriteOptions(store, moved, point);
        store.Flush();
    }
    EXPECT_NE(inode(), first) << "a changed value was not saved";
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

// A save killed before it wrote its name into a lock file leaves an empty lock: the
// store's own, or one Qt takes while it removes a stale lock. The next save goes
// ahead at once instead of waiting for Qt to call them stale after 30 seconds. A
// lock another writer holds is not taken from it.
TEST_F(QtSettingsStoreTest, EmptyLocksLeftByAKilledSaveDoNotHoldUpTheNextSave)
{
    const NumberFormat point = NumberFormat::FromDecimalSeparator('.');
    const std::string lock = Ini() + ".lock";
    // The store's lock names a writer that is gone (a process ended and reaped); the
    // locks of a removal of it that was killed in turn are empty.
    const pid_t gone = ::fork();
    if (gone == 0)
        ::_exit(0);
    ASSERT_EQ(::waitpid(gone, nullptr, 0), gone);
    std::ofstream(lock) << gone << "\nbrenta\n" << QSysInfo::machineHostName().toStdString() << "\n";
    for (const std::string& leftover : {lock + ".rmlock", lock + ".rmlock.rmlock"})
        std::ofstream(leftover).close();
    const auto start = std::chrono::steady_clock::now();
    {
        QtSettingsStore store(Ini());
        ASSERT_NO_THROW(WriteOptions(store, Options{true, false, 30, 45, "mine.dat"}, point));
    }
    // Far below the 30 seconds of a wait for the lock to grow stale.
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
    QtSettingsStore next(Ini());
    EXPECT_EQ(ReadOptions(next, point).x, 30);
    EXPECT_FALSE(fs::exists(lock));
    EXPECT_FALSE(fs::exists(lock + ".rmlock"));
    EXPECT_FALSE(fs::exists(lock + ".rmlock.rmlock"));

    // Another writer's lock, caught in the moment before it writes its name.
    QLockFile held(QString::fromStdString(lock));
    ASSERT_TRUE(held.tryLock(0));
    std::ofstream(lock, std::ios::trunc).close();
    QtSettingsStore store(Ini());
    store.Write("Window", "X", "7");
    std::thread save([&store] { store.Flush(); });
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    EXPECT_TRUE(fs::exists(lock)) << "a held lock was removed";
    held.unlock();
    save.join();
    EXPECT_EQ(QtSettingsStore(Ini()).Read("Window", "X", ""), "7");
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
