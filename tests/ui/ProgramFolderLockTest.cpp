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

} // namespace
} // namespace brenta::test
