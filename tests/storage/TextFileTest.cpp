#include "storage/TextFile.h"

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include "base/Failure.h"

#include "tests/TempFolder.h"

namespace fs = std::filesystem;
namespace test = brenta::test;
using brenta::Failure;
using brenta::storage::NotAFileReason;
using brenta::storage::ReadWholeFile;
using brenta::storage::SplitLines;
using brenta::storage::WriteFileAtomically;

namespace {

struct SplitCase {
    const char* name;
    std::string content;
    std::vector<std::string> lines;
};

void PrintTo(const SplitCase& c, std::ostream* os) { *os << c.name; }

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, GivesTheLines) { EXPECT_EQ(SplitLines(GetParam().content), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(Cases, SplitLinesTest,
    ::testing::Values(SplitCase{"Empty", "", {}}, SplitCase{"UnterminatedLine", "34{5", {"34{5"}},
        SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}}, SplitCase{"LoneCr", "a\rb\r", {"a", "b"}},
        SplitCase{"LoneLf", "a\nb\r\nc\n", {"a", "b", "c"}},
        SplitCase{"LfOnlyWithEmptyLine", "4,3,5,2\n\nx", {"4,3,5,2", "", "x"}},
        SplitCase{"ByteOrderMarkSkipped",
            "\xEF\xBB\xBF"
            "34{5\r\n35{6\r\n",
            {"34{5", "35{6"}},
        SplitCase{"ByteOrderMarkOnlyAtTheStart",
            "a\n\xEF\xBB\xBF"
            "b",
            {"a",
                "\xEF\xBB\xBF"
                "b"}},
        SplitCase{"EmptyLinesKept", "\r\n\r\nx\r\n", {"", "", "x"}},
        SplitCase{"CrLfThenLoneCr", "a\r\n\r", {"a", ""}},
        SplitCase{"LoneCrBeforeCrLf", "a\r\r\nb", {"a", "", "b"}},
        SplitCase{"LfThenCrAreTwoLineEnds", "a\n\rb", {"a", "", "b"}}),
    [](const auto& param) { return std::string(param.param.name); });

// Each test works in a folder of its own, removed afterwards.
class FileTest : public ::testing::Test {
protected:
    std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

    static std::string Content(const std::string& path)
    {
        std::ifstream in(path, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), {}};
    }

    static void Put(const std::string& path, const std::string& content)
    {
        std::ofstream(path, std::ios::binary) << content;
    }

    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(folder_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

    test::TempFolder temp_{"brenta-textfile"};
    const fs::path& folder_ = temp_.Path();
};

TEST_F(FileTest, WriteThenReadGivesTheBytesBack)
{
    using namespace std::string_literals;
    const std::string bytes = "34{2.5\r\nname \xE9\0x\r\n"s;
    WriteFileAtomically(PathOf("prices.dat"), bytes);
    EXPECT_EQ(ReadWholeFile(PathOf("prices.dat")), bytes);
    EXPECT_EQ(Entries(), std::vector<std::string>{"prices.dat"});
}

TEST_F(FileTest, WriteReplacesTheWholeOldContentAndKeepsItsPermissions)
{
    Put(PathOf("skills.dat"), "a much longer old content\r\nsecond line\r\n");
    fs::permissions(PathOf("skills.dat"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    WriteFileAtomically(PathOf("skills.dat"), "4,3,5,2\r\n");

    EXPECT_EQ(Content(PathOf("skills.dat")), "4,3,5,2\r\n");
    EXPECT_EQ(fs::status(PathOf("skills.dat")).permissions() & fs::perms::all,
        fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    EXPECT_EQ(Entries(), std::vector<std::string>{"skills.dat"});
}

TEST_F(FileTest, WriteOverAFolderFailsAndLeavesNoTemporaryFile)
{
    fs::create_directory(PathOf("ownedbps.dat"));
    try {
        WriteFileAtomically(PathOf("ownedbps.dat"), "11294{5{2\r\n");
        FAIL() << "no Failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find(PathOf("ownedbps.dat")), std::string::npos) << failure.what();
    }
    EXPECT_TRUE(fs::is_directory(PathOf("ownedbps.dat")));
    EXPECT_EQ(Entries(), std::vector<std::string>{"ownedbps.dat"});
}

TEST_F(FileTest, WriteIntoAMissingFolderFailsWithTheReason)
{
    try {
        WriteFileAtomically(PathOf("gone/prices.dat"), "34{5\r\n");
        FAIL() << "no Failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("No such file or directory"), std::string::npos)
            << failure.what();
    }
    EXPECT_TRUE(Entries().empty());
}

// A file size limit makes the write run out of room halfway, as a full disk does.
TEST_F(FileTest, WriteThatRunsOutOfRoomKeepsTheOldFile)
{
    Put(PathOf("prices.dat"), "34{5\r\n");
    rlimit saved{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = saved;
    small.rlim_cur = 16;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);

    EXPECT_THROW(WriteFileAtomically(PathOf("prices.dat"), std::string(4096, 'x')), Failure);

    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(Content(PathOf("prices.dat")), "34{5\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{"prices.dat"});
}

TEST_F(FileTest, ReadingWhatIsNoReadableFileFails)
{
    fs::create_directory(PathOf("folder"));
    EXPECT_THROW(ReadWholeFile(PathOf("missing.dat")), Failure);
    EXPECT_THROW(ReadWholeFile(PathOf("folder")), Failure);
}

// What is there but no file to read is named for what it is, without opening it;
// a file, or nothing at all, has no such reason.
TEST_F(FileTest, WhatIsNoFileIsSaidForWhatItIs)
{
    fs::create_directory(PathOf("folder"));
    ASSERT_EQ(::mkfifo(PathOf("pipe").c_str(), 0600), 0);
    fs::create_symlink("/dev/null", PathOf("device"));
    fs::create_symlink("loop", PathOf("loop"));
    Put(PathOf("file"), "x");
    fs::create_symlink("file", PathOf("link"));
    const struct {
        const char* name;
        std::string reason;
    } cases[] = {
        {"folder", ": it is a folder"},
        {"pipe", ": it is not an ordinary file (a pipe, a device or a socket)"},
        {"device", ": it is not an ordinary file (a pipe, a device or a socket)"},
        {"loop", ": Too many levels of symbolic links"},
        {"file", ""},
        {"link", ""},
        {"missing", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(
            NotAFileReason(PathOf(c.name)), c.reason.empty() ? "" : "cannot read " + PathOf(c.name) + c.reason)
            << c.name;
}

// A pipe put where a file was listed fails at once instead of waiting for a writer;
// a file whose size the system states as 0 but that reads without end stops at the
// bound; a file beyond the bound fails before it is read.
TEST_F(FileTest, ReadingAPipeOrAnEndlessOrHugeFileFailsAtOnce)
{
    ASSERT_EQ(::mkfifo(PathOf("prices.dat").c_str(), 0600), 0);
    EXPECT_THROW(ReadWholeFile(PathOf("prices.dat")), Failure);
    EXPECT_THROW(ReadWholeFile("/dev/zero"), Failure);
    EXPECT_THROW(ReadWholeFile("/proc/self/pagemap"), Failure);

    {
        std::ofstream big(PathOf("big.txt"), std::ios::binary);
        big.seekp(static_cast<std::streamoff>(brenta::storage::kMaxFileBytes));
        big.put('\n'); // sparse: one byte past the bound, without filling the disk
    }
    try {
        ReadWholeFile(PathOf("big.txt"));
        FAIL() << "no Failure";
    } catch (const Failure& failure) {
        EXPECT_NE(std::string(failure.what()).find("larger than 64 MiB"), std::string::npos) << failure.what();
    }
    Put(PathOf("bound.txt"), "");
    fs::resize_file(PathOf("bound.txt"), brenta::storage::kMaxFileBytes);
    EXPECT_EQ(ReadWholeFile(PathOf("bound.txt")).size(), brenta::storage::kMaxFileBytes)
        << "the bound itself reads";
}

// The player's pipe or device is never replaced by an ordinary file.
TEST_F(FileTest, WriteOverAPipeFailsAndKeepsIt)
{
    ASSERT_EQ(::mkfifo(PathOf("report.txt").c_str(), 0600), 0);
    EXPECT_THROW(WriteFileAtomically(PathOf("report.txt"), "x"), Failure);
    EXPECT_TRUE(fs::is_fifo(PathOf("report.txt")));
    EXPECT_EQ(Entries(), std::vector<std::string>{"report.txt"});
}

// A name as long as the system allows still gets a temporary file it accepts, one
// that is recognised as the program's own.
TEST_F(FileTest, WriteToANameOfTheLongestLengthWorks)
{
    const std::string name = std::string(251, 'p') + ".dat";
    ASSERT_EQ(name.size(), 255u);
    brenta::storage::SetWriteFault([&](brenta::storage::WriteStep step, const std::string&) {
        if (step == brenta::storage::WriteStep::Rename) {
            const auto entries = Entries();
            EXPECT_EQ(entries.size(), 1u);
            for (const auto& entry : entries) {
                EXPECT_LE(entry.size(), 255u);
                EXPECT_TRUE(brenta::storage::IsTemporaryName(entry)) << entry;
            }
        }
        return 0;
    });
    WriteFileAtomically(PathOf(name), "34{5\r\n");
    brenta::storage::SetWriteFault({});
    EXPECT_EQ(Content(PathOf(name)), "34{5\r\n");
    EXPECT_EQ(Entries(), std::vector<std::string>{name});
}

TEST_F(FileTest, WriteTargetsAreInspectedAsTheWriteWouldMeetThem)
{
    using brenta::storage::InspectWriteTarget;
    using brenta::storage::WriteTarget;
    Put(PathOf("mine.txt"), "x");
    Put(PathOf("locked.txt"), "x");
    fs::permissions(PathOf("locked.txt"), fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    fs::create_symlink(PathOf("mine.txt"), PathOf("link.txt"));
    fs::create_symlink("/dev/null", PathOf("device.txt"));
    fs::create_directory(PathOf("folder.txt"));
    ASSERT_EQ(::mkfifo(PathOf("pipe.txt").c_str(), 0600), 0);

    EXPECT_EQ(InspectWriteTarget(PathOf("new.txt")), WriteTarget::Missing);
    EXPECT_EQ(InspectWriteTarget(PathOf("mine.txt")), WriteTarget::Ordinary);
    EXPECT_EQ(InspectWriteTarget(PathOf("link.txt")), WriteTarget::Ordinary) << "a link to a file is followed";
    EXPECT_EQ(InspectWriteTarget(PathOf("locked.txt")), WriteTarget::WriteProtected);
    for (const char* other : {"device.txt", "folder.txt", "pipe.txt"})
        EXPECT_EQ(InspectWriteTarget(PathOf(other)), WriteTarget::NotOrdinary) << other;
    EXPECT_TRUE(brenta::storage::LiesInFolder(PathOf("mine.txt"), (folder_ / "folder.txt" / "..").string()));
    EXPECT_FALSE(brenta::storage::LiesInFolder(PathOf("mine.txt"), PathOf("folder.txt")));
}

// What a close compares before it writes: only the very same bytes in an ordinary
// file (through a link too) make a write needless.
TEST_F(FileTest, OnlyTheSameBytesInAFileMakeAWriteNeedless)
{
    using brenta::storage::HoldsExactly;
    Put(PathOf("skills.dat"), "4,3,5,2\r\n");
    fs::create_symlink(PathOf("skills.dat"), PathOf("link.dat"));
    fs::create_directory(PathOf("folder.dat"));
    ASSERT_EQ(::mkfifo(PathOf("pipe.dat").c_str(), 0600), 0);

    EXPECT_TRUE(HoldsExactly(PathOf("skills.dat"), "4,3,5,2\r\n"));
    EXPECT_TRUE(HoldsExactly(PathOf("link.dat"), "4,3,5,2\r\n"));
    EXPECT_FALSE(HoldsExactly(PathOf("skills.dat"), "4,3,5,3\r\n")) << "same length, other bytes";
    EXPECT_FALSE(HoldsExactly(PathOf("skills.dat"), "4,3,5,2\n")) << "other line ends";
    EXPECT_FALSE(HoldsExactly(PathOf("missing.dat"), ""));
    EXPECT_FALSE(HoldsExactly(PathOf("folder.dat"), ""));
    EXPECT_FALSE(HoldsExactly(PathOf("pipe.dat"), ""));
}

// Prices kept in a shared folder through a link: the link stays, its target gets
// the new content whole, and no temporary file is left in either folder.
TEST_F(FileTest, WriteThroughSymbolicLinksReplacesTheTarget)
{
    fs::create_directory(PathOf("shared"));
    Put(PathOf("shared/prices.dat"), "34{5\r\n");
    fs::create_symlink("shared/prices.dat", PathOf("matprices.dat"));
    fs::create_symlink(PathOf("matprices.dat"), PathOf("second.dat")); // a link to the link, absolute
    fs::create_symlink("shared/new.dat", PathOf("dangling.dat"));

    WriteFileAtomically(PathOf("matprices.dat"), "34{6\r\n");
    EXPECT_EQ(Content(PathOf("shared/prices.dat")), "34{6\r\n");
    WriteFileAtomically(PathOf("second.dat"), "34{7\r\n");
    EXPECT_EQ(Content(PathOf("shared/prices.dat")), "34{7\r\n");
    WriteFileAtomically(PathOf("dangling.dat"), "35{1\r\n");
    EXPECT_EQ(Content(PathOf("shared/new.dat")), "35{1\r\n");

    for (const char* link : {"matprices.dat", "second.dat", "dangling.dat"})
        EXPECT_TRUE(fs::is_symlink(PathOf(link))) << link;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"dangling.dat", "matprices.dat", "second.dat", "shared"}));
    std::vector<std::string> shared;
    for (const auto& entry : fs::directory_iterator(PathOf("shared")))
        shared.push_back(entry.path().filename().string());
    std::sort(shared.begin(), shared.end());
    EXPECT_EQ(shared, (std::vector<std::string>{"new.dat", "prices.dat"}));
}

TEST_F(FileTest, WriteThroughALinkLoopFailsAndChangesNothing)
{
    fs::create_symlink("b.dat", PathOf("a.dat"));
    fs::create_symlink("a.dat", PathOf("b.dat"));
    EXPECT_THROW(WriteFileAtomically(PathOf("a.dat"), "x\r\n"), Failure);
    EXPECT_TRUE(fs::is_symlink(PathOf("a.dat")));
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a.dat", "b.dat"}));
}

} // namespace
