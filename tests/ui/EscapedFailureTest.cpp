// The last line behind every handler: a failure that escapes an event handler is
// caught at the event loop, reported once, and the program goes on, so the
// player's work is still saved at the close.

#include <QEventLoop>
#include <QTimer>

#include <stdexcept>

#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#include <sanitizer/lsan_interface.h>
#define BRENTA_LEAK_CHECK 1
#endif
#endif

#include "tests/ui/MainWindowFixture.h"
#include "ui/main/Application.h"

#ifdef BRENTA_LEAK_CHECK
// A failure that crosses Qt's event delivery leaves the guard Qt keeps on the
// receiving widget counted, so the guard's few bytes are never freed. The guard may
// be made before the step that fails (LeaksAccepted below covers what that step
// makes itself), so the leak check is told of it by name.
// The sanitizer runtime asks the program for its suppressions by this name.
// NOLINTNEXTLINE(bugprone-reserved-identifier,cert-dcl37-c,cert-dcl51-cpp)
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:QtSharedPointer::ExternalRefCountData::getAndRef\n";
}
#endif

namespace brenta::test {
namespace {

ui::Application& App()
{
    auto* app = dynamic_cast<ui::Application*>(QCoreApplication::instance());
    if (!app)
        throw std::logic_error("the tests run without the program's application");
    return *app;
}

// A failure that crosses Qt's own frames on its way to the event loop skips their
// clean-up: the few bytes they held (an event's copy, a guard) are lost, the
// price of going on. The leak check is told so for such a step alone.
class LeaksAccepted {
public:
    LeaksAccepted()
    {
#ifdef BRENTA_LEAK_CHECK
        __lsan_disable();
#endif
    }
    ~LeaksAccepted()
    {
#ifdef BRENTA_LEAK_CHECK
        __lsan_enable();
#endif
    }
    LeaksAccepted(const LeaksAccepted&) = delete;
    LeaksAccepted& operator=(const LeaksAccepted&) = delete;
};

// Runs the event loop for a moment, as the program's own loop runs.
void RunEventLoop()
{
    QEventLoop loop;
    QTimer::singleShot(20, &loop, &QEventLoop::quit);
    loop.exec();
}

class EscapedFailure : public MainWindowTest {
protected:
    void TearDown() override
    {
        App().SetUnattended({});
        MainWindowTest::TearDown();
    }
};
BRENTA_BOTH_LOCALES(EscapedFailure);

TEST_P(EscapedFailure, IsReportedAndTheProgramGoesOnToSaveThePlayersWork)
{
    ui::frmMain& w = Start();
    SelectBlueprint(QStringLiteral("100mm Reinforced Steel Plates I Blueprint"));
    // A handler the core fails in, as a click or a typed value can reach one.
    QObject::connect(w.ControlsForTests().cmdClear, &QPushButton::clicked, &w,
        [] { throw Failure("Arithmetic result is not a finite number"); });
    {
        const LeaksAccepted lost;
        QTest::mouseClick(w.ControlsForTests().cmdClear, Qt::LeftButton);
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(QString::fromStdString(messages[0]),
        ui::Application::FailureText(QStringLiteral("Arithmetic result is not a finite number")));
    EXPECT_NE(messages[0].find("goes on"), std::string::npos);

    // A failure of another kind, or of none, from an event the loop delivers.
    messages.clear();
    QTimer::singleShot(0, &w, [] { throw std::runtime_error("out of order"); });
    QTimer::singleShot(0, &w, [] { throw 42; });
    RunEventLoop();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[0].find("out of order"), std::string::npos);
    EXPECT_NE(messages[1].find("unknown kind"), std::string::npos);

    // The window still works, and its close saves what the player did after it.
    SelectBlueprint(QStringLiteral("100mm Reinforced Steel Plates I Blueprint"));
    EXPECT_EQ(w.ControlsForTests().lblAmount[0]->text(), QStringLiteral("676"));
    Type(w.ControlsForTests().txtPPU[0], QStringLiteral("7"));
    QTest::keyClick(w.ControlsForTests().txtPPU[0], Qt::Key_Return);
    messages.clear();
    w.close();
    window.reset();
    const std::string prices = ReadFile("matprices.dat");
    EXPECT_TRUE(prices.starts_with("34{7\r\n") || prices.find("\n34{7\r\n") != std::string::npos);
    EXPECT_TRUE(messages.empty()) << messages.front(); // the close saved everything
}

// A receiver whose handler of a custom event fails with its own name.
class Thrower : public QObject {
public:
    explicit Thrower(const char* what) { setObjectName(QString::fromLatin1(what)); }
    void Post() { QCoreApplication::postEvent(this, new QEvent(QEvent::User)); }
    void Send()
    {
        QEvent event(QEvent::User);
        QCoreApplication::sendEvent(this, &event);
    }

protected:
    bool event(QEvent* e) override
    {
        if (e->type() == QEvent::User)
            throw Failure(objectName().toStdString());
        return QObject::event(e);
    }
};

TEST_P(EscapedFailure, WhileReportingOrUnattendedItGoesToStandardErrorAlone)
{
    Thrower outer("outer");
    Thrower inner("inner");
    Thrower later("later");

    // A failure while the message is up (its box runs the event loop) gets no box
    // of its own, and neither does a failure of the message itself.
    int shown = 0;
    ui::SetMessageHook([&](const QString&) {
        ++shown;
        inner.Send();
        later.Post();
        RunEventLoop();
        throw std::runtime_error("the box itself");
    });
    ::testing::internal::CaptureStderr();
    outer.Post();
    RunEventLoop();
    std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(shown, 1);
    for (const char* what : {"inner", "later", "outer", "the box itself"})
        EXPECT_NE(errors.find(what), std::string::npos) << what << " in " << errors;

    // After it the next failure has its box again; during an unattended close none.
    ui::SetMessageHook([this](const QString& text) { messages.push_back(text.toStdString()); });
    outer.Send();
    EXPECT_EQ(messages.size(), 1u);
    App().SetUnattended([] { return true; });
    ::testing::internal::CaptureStderr();
    outer.Send();
    errors = ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(messages.size(), 1u);
    EXPECT_NE(errors.find("Brenta: Brenta could not finish what it was doing"), std::string::npos) << errors;
    EXPECT_NE(errors.find("outer"), std::string::npos) << errors;
}

} // namespace
} // namespace brenta::test
