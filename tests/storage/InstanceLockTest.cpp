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

TEST(InstanceLock, AFolderThatCannotBeOpenedDoesNotStopTheProgram)
{
    const auto lock = InstanceLock::Take("/nonexistent/brenta-folder");
    ASSERT_TRUE(lock.has_value());
    EXPECT_FALSE(lock->Held());
}

} // namespace
} // namespace brenta::test
