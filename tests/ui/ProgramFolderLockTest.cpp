// A second program on the same program folder says so once and stands back.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "tests/TempFolder.h"
#include "ui/main/MessageBox.h"
#include "ui/main/ProgramFolderLock.h"

namespace brenta::test {
namespace {

TEST(ProgramFolderLock, ASecondStartIsRefusedWithOneMessageAndTouchesNoFile)
{
    TempFolder folder("brenta-instance");
    std::vector<std::string> messages;
    const auto previous = ui::SetMessageHook([&](const QString& text) { messages.push_back(text.toStdString()); });

    const auto first = ui::TakeProgramFolder(folder.Path().string());
    ASSERT_TRUE(first.has_value());
    EXPECT_TRUE(messages.empty());

    EXPECT_FALSE(ui::TakeProgramFolder(folder.Path().string()).has_value());
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_NE(messages[0].find("already running"), std::string::npos) << messages[0];
    EXPECT_NE(messages[0].find(folder.Path().string()), std::string::npos) << messages[0];
    EXPECT_TRUE(std::filesystem::is_empty(folder.Path()));
    ui::SetMessageHook(previous);
}

// A folder that cannot be locked at all stops the start with the reason; the
// program never runs unlocked.
TEST(ProgramFolderLock, AFolderThatCannotBeLockedStopsTheStartWithTheReason)
{
    TempFolder standIn("brenta-instance-runtime");
    std::vector<std::string> messages;
    const auto previous = ui::SetMessageHook([&](const QString& text) { messages.push_back(text.toStdString()); });
    EXPECT_FALSE(ui::TakeProgramFolder("/nonexistent/brenta-folder", standIn.Path().string()).has_value());
    ui::SetMessageHook(previous);
    ASSERT_EQ(messages.size(), 1U);
    EXPECT_TRUE(messages[0].starts_with("Brenta cannot start on this program folder:\n/nonexistent/brenta-folder"))
        << messages[0];
    EXPECT_NE(messages[0].find("No such file or directory"), std::string::npos) << messages[0];
}

} // namespace
} // namespace brenta::test
