// What interrupted writes leave in a folder is removed, and nothing else.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "storage/TextFile.h"
#include "tests/TempFolder.h"

namespace brenta::test {
namespace {

namespace fs = std::filesystem;

TEST(Leftovers, OnlyTheTemporaryNameOfAnAtomicWriteIsRecognised)
{
    for (const char* ours :
        {".ownedbps.dat.tmp4711-2", ".matprices.dat.tmp1-0", ".my prices.dat.tmp99-12", ".a.tmp.tmp1-1"})
        EXPECT_TRUE(storage::IsTemporaryName(ours)) << ours;
    for (const char* other : {"ownedbps.dat.tmp4711-2", ".ownedbps.dat.tmp4711-", ".ownedbps.dat.tmp-2",
             ".ownedbps.dat.tmp4711", ".ownedbps.dat.tmp4711-2x", ".ownedbps.dat.tmpx-2", ".tmp1-2",
             ".ownedbps.dat", "ownedbps.dat", ".", "..", ""})
        EXPECT_FALSE(storage::IsTemporaryName(other)) << other;
}

TEST(Leftovers, TheFilesOfInterruptedWritesGoAndEverythingElseStays)
{
    TempFolder folder("brenta-leftovers");
    const auto make = [&](const std::string& name, const std::string& content) {
        std::ofstream(folder.Path() / name, std::ios::binary) << content;
    };
    make(".ownedbps.dat.tmp4711-2", "11294{5");
    make(".matprices.dat.tmp4711-0", "");
    make("ownedbps.dat", "11294{5{2\r\n");
    make("ownedbps.dat.tmp4711-2", "not hidden: not ours");
    make(".notes.tmp", "the player's");
    fs::create_directory(folder.Path() / ".skills.dat.tmp1-1");
    fs::create_symlink("ownedbps.dat", folder.Path() / ".skills.dat.tmp1-2");

    storage::RemoveLeftovers(folder.Path().string());

    std::set<std::string> left;
    for (const auto& entry : fs::directory_iterator(folder.Path()))
        left.insert(entry.path().filename().string());
    EXPECT_EQ(left,
        (std::set<std::string>{
            "ownedbps.dat", "ownedbps.dat.tmp4711-2", ".notes.tmp", ".skills.dat.tmp1-1", ".skills.dat.tmp1-2"}));
}

TEST(Leftovers, AMissingFolderIsNoFailure)
{
    EXPECT_NO_THROW(storage::RemoveLeftovers("/nonexistent/brenta-folder"));
}

} // namespace
} // namespace brenta::test
