#include "storage/Folders.h"

#include <filesystem>
#include <fstream>
#include <map>

#include <gtest/gtest.h>

#include "tests/TempFolder.h"

#include <sys/stat.h>

namespace fs = std::filesystem;
namespace storage = brenta::storage;
using Names = std::vector<std::string>;

namespace {

TEST(Folders, ListsFilesAndSubFoldersButNoHiddenOrBrokenEntries)
{
    brenta::test::TempFolder folder("folders");
    const fs::path& p = folder.Path();
    std::ofstream(p / "a.dat") << "x";
    std::ofstream(p / ".hidden.dat") << "x";
    fs::create_directory(p / "sub.dat");
    fs::create_directory(p / ".cache");
    fs::create_symlink(p / "a.dat", p / "link.dat");
    fs::create_symlink(p / "missing", p / "broken.dat");

    const auto entries = storage::ListFolder(p.string());
    ASSERT_TRUE(entries);
    std::map<std::string, bool> kinds;
    for (const auto& e : *entries)
        kinds[e.name] = e.isFolder;
    EXPECT_EQ(kinds, (std::map<std::string, bool>{{"a.dat", false}, {"link.dat", false}, {"sub.dat", true}}));
}

// The player's files are ordinary, visible files; a link counts as what it leads to.
TEST(Folders, OnlyOrdinaryVisibleFilesArePlayerFiles)
{
    brenta::test::TempFolder temp("brenta-playerfile");
    const fs::path& folder = temp.Path();
    std::ofstream(folder / "matprices.dat") << "34{5\r\n";
    std::ofstream(folder / ".hidden.txt") << "x";
    fs::create_directory(folder / "icons.txt");
    ASSERT_EQ(::mkfifo((folder / "pipe.log").c_str(), 0600), 0);
    fs::create_symlink(folder / "matprices.dat", folder / "link.dat");
    fs::create_symlink(folder / "gone.dat", folder / "dangling.bin");
    const auto is = [&folder](const char* name) { return storage::IsPlayerFile((folder / name).string()); };
    EXPECT_TRUE(is("matprices.dat"));
    EXPECT_TRUE(is("link.dat"));
    for (const char* name : {"missing.dat", "icons.txt", ".hidden.txt", "pipe.log", "dangling.bin",
             "matprices.dat/", "no-folder/matprices.dat"})
        EXPECT_FALSE(is(name)) << name;
    EXPECT_FALSE(storage::IsPlayerFile(""));
}

TEST(Folders, AFolderThatCannotBeListedGivesNothing)
{
    brenta::test::TempFolder folder("folders");
    std::ofstream(folder.Path() / "file") << "x";
    EXPECT_FALSE(storage::ListFolder((folder.Path() / "missing").string()));
    EXPECT_FALSE(storage::ListFolder((folder.Path() / "file").string()));
    EXPECT_TRUE(storage::ListFolder(folder.Path().string()));
}

TEST(Folders, NamesMatchTheFilterCaseSensitivelyInTheGivenOrder)
{
    const std::vector<storage::FolderEntry> entries
        = {{"b.dat", false}, {"A.DAT", false}, {"x.dat", true}, {"a.dat.bak", false}, {"notes.txt", false}};
    EXPECT_EQ(storage::MatchingNames(entries, ".dat", storage::NameMatch::Ending), (Names{"b.dat", "x.dat"}));
    EXPECT_EQ(storage::MatchingNames(entries, ".dat", storage::NameMatch::Anywhere),
        (Names{"b.dat", "x.dat", "a.dat.bak"}));
    EXPECT_EQ(storage::MatchingNames(entries, "", storage::NameMatch::Ending).size(), entries.size());
    EXPECT_EQ(
        storage::SubFolderNames({{"b", true}, {"f", false}, {"C", true}, {"a", true}}), (Names{"a", "b", "C"}));
}

// Every "folder + separator + name" of the program goes through JoinPath: the
// program folder's files and icons, the dialogs' choices, links and leftovers.
TEST(Folders, JoinPathPutsExactlyOneSeparatorBetweenFolderAndName)
{
    const struct {
        std::string folder, name, path;
    } cases[] = {
        {"/home/ann", "mine.dat", "/home/ann/mine.dat"},
        {"/home/ann/", "mine.dat", "/home/ann/mine.dat"}, // given with its separator
        {"/", "mine.dat", "/mine.dat"}, // a root keeps its one separator
        {"", "mine.dat", "mine.dat"}, // no folder: the name as it is
        {"prog", ".matprices.dat.tmp1-2", "prog/.matprices.dat.tmp1-2"}, // relative, hidden name
        {"/home/\xe9t\xe9", "icons", "/home/\xe9t\xe9/icons"}, // the file system's bytes, not UTF-8
    };
    for (const auto& c : cases)
        EXPECT_EQ(storage::JoinPath(c.folder, c.name), c.path) << '"' << c.folder << "\" + \"" << c.name << '"';
}

TEST(Folders, PathsComeApartAtTheSeparator)
{
    EXPECT_EQ(storage::NamePart("/home/ann/owned.txt"), "owned.txt");
    EXPECT_EQ(storage::NamePart("owned.txt"), "owned.txt");
    EXPECT_EQ(storage::NamePart("/home/ann/"), "");
    EXPECT_EQ(storage::FolderPart("/home/ann/owned.txt"), "/home/ann");
    EXPECT_EQ(storage::FolderPart("/owned.txt"), "/");
    EXPECT_EQ(storage::FolderPart("owned.txt"), ".");
    EXPECT_EQ(storage::FolderPart("ann/owned.txt"), "ann");
    EXPECT_EQ(storage::CleanFolderPath("/home//ann/./x/../"), "/home/ann");
    EXPECT_EQ(storage::CleanFolderPath("/"), "/");
    EXPECT_EQ(storage::FolderChain("/home/ann"), (Names{"/", "/home", "/home/ann"}));
    EXPECT_EQ(storage::FolderChain("/"), (Names{"/"}));
}

TEST(Folders, DrivesAreTheRootTheHomeVolumeAndRemovableMedia)
{
    const std::vector<storage::Volume> mounted = {{"/proc", "proc"}, {"/media/ann/STICK", "vfat"}, {"/", "ext4"},
        {"/run/user/1000", "tmpfs"}, {"/home", "ext4"}, {"/boot", "ext4"}, {"/snap/core/1", "squashfs"},
        {"/mnt/backup", "ext4"}, {"/media/ann/disc", "tmpfs"}};
    EXPECT_EQ(
        storage::PlayerDrives(mounted, "/home/ann"), (Names{"/", "/home", "/media/ann/STICK", "/mnt/backup"}));
    // A home folder on the root volume adds nothing; the root is there even unlisted.
    EXPECT_EQ(storage::PlayerDrives({{"/proc", "proc"}}, "/root"), (Names{"/"}));

    const Names drives = {"/", "/home", "/media/ann/STICK"};
    EXPECT_EQ(storage::DriveOf(drives, "/home/ann/x"), 1);
    EXPECT_EQ(storage::DriveOf(drives, "/homework"), 0);
    EXPECT_EQ(storage::DriveOf(drives, "/media/ann/STICK"), 2);
    EXPECT_EQ(storage::DriveOf({"/home"}, "/tmp"), -1);
}

} // namespace
