#include "storage/InstanceLock.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

#include <sys/wait.h>
#include <unistd.h>

#include "tests/TempFolder.h"

namespace brenta::test {
namespace {

using storage::InstanceLock;

TEST(InstanceLock, OneHolderPerFolderUntilItLetsGo)
{
    TempFolder folder("brenta-lock");
    TempFolder other("brenta-lock-other");
    auto first = InstanceLock::Take(folder.Path().string());
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(first->Held());
    EXPECT_FALSE(InstanceLock::Take(folder.Path().string()).has_value());
    EXPECT_TRUE(InstanceLock::Take(other.Path().string()).has_value()) << "another folder is another program";

    first.reset();
    EXPECT_TRUE(InstanceLock::Take(folder.Path().string()).has_value());
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path())) << "the lock leaves no file behind";
}

TEST(InstanceLock, AKilledHolderLeavesNoStaleLock)
{
    TempFolder folder("brenta-lock");
    int ready[2];
    ASSERT_EQ(::pipe(ready), 0);
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        const auto lock = InstanceLock::Take(folder.Path().string());
        const char held = lock && lock->Held() ? '1' : '0';
        [[maybe_unused]] const auto put = ::write(ready[1], &held, 1);
        ::pause();
        ::_exit(0);
    }
    char held = 0;
    ASSERT_EQ(::read(ready[0], &held, 1), 1);
    EXPECT_EQ(held, '1');
    EXPECT_FALSE(InstanceLock::Take(folder.Path().string()).has_value());

    ::kill(child, SIGKILL);
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ::close(ready[0]);
    ::close(ready[1]);
    const auto after = InstanceLock::Take(folder.Path().string());
    ASSERT_TRUE(after.has_value());
    EXPECT_TRUE(after->Held());
}

// A child process that takes the lock as a player (the administrator steps down to
// "nobody", who may enter the folder but not list it, like its owner at mode 0311),
// says on the pipe whether it got it, and stays until killed.
pid_t HoldAsPlayer(const std::string& folder, const std::string& standIn, int answer)
{
    const pid_t child = ::fork();
    if (child != 0)
        return child;
    if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
        ::_exit(3);
    const auto lock = InstanceLock::Take(folder, standIn);
    const char got = !lock ? 'n' : (lock->Held() ? 'h' : 'u');
    [[maybe_unused]] const auto put = ::write(answer, &got, 1);
    ::pause();
    ::_exit(0);
}

TEST(InstanceLock, AFolderThatCanBeEnteredButNotListedStillAllowsOneProgram)
{
    TempFolder folder("brenta-lock");
    TempFolder standIn("brenta-lock-runtime");
    namespace fs = std::filesystem;
    fs::permissions(folder.Path(),
        fs::perms::owner_write | fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec);
    fs::permissions(standIn.Path(), fs::perms::all);
    int answers[2];
    ASSERT_EQ(::pipe(answers), 0);
    char first = 0, second = 0;
    const pid_t a = HoldAsPlayer(folder.Path().string(), standIn.Path().string(), answers[1]);
    ASSERT_EQ(::read(answers[0], &first, 1), 1);
    const pid_t b = HoldAsPlayer(folder.Path().string(), standIn.Path().string(), answers[1]);
    ASSERT_EQ(::read(answers[0], &second, 1), 1);
    for (const pid_t child : {a, b}) {
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
    }
    ::close(answers[0]);
    ::close(answers[1]);
    fs::permissions(folder.Path(), fs::perms::owner_all);
    EXPECT_EQ(first, 'h') << "the first program holds the stand-in lock";
    EXPECT_EQ(second, 'n') << "the second one stands back";
}

TEST(InstanceLock, AFolderThatCannotBeOpenedDoesNotStopTheProgram)
{
    const auto lock = InstanceLock::Take("/nonexistent/brenta-folder");
    ASSERT_TRUE(lock.has_value());
    EXPECT_FALSE(lock->Held());
}

} // namespace
} // namespace brenta::test
