// Entry point of the widget tests: a QApplication on the offscreen platform, so the
// real windows are created, clicked and typed into without a display. The
// application is the program's own, so a failure escaping a handler is answered as
// the program answers it.
#include <gtest/gtest.h>

#include "ui/main/Application.h"

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    brenta::ui::Application app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
