#include "ToolkitFixture.h"

#include "toolkit/qt/QtHost.h"

#include <QColor>
#include <QImage>

namespace {

// Renders with the Qt host on the offscreen platform and checks a few pixels.
class QtRenderTest : public ::testing::Test {
protected:
    QtRenderTest() : host(argc, argv)
    {
        CPaintManagerUI::SetResourcePath(skin.Path());
        CPaintManagerUI::ClearSharedImages();
    }
    ~QtRenderTest() override { CPaintManagerUI::ClearSharedImages(); }

    std::unique_ptr<RecordingWindow> Open(const std::string& xml, int dpi)
    {
        testsupport::WriteFileBytes(skin / "render.xml", xml);
        auto window = std::make_unique<RecordingWindow>("render.xml");
        window->Create(nullptr, "render", WS_POPUP, 0, 0, 0, 100, 60);
        window->GetPaintManager().SetDPI(dpi);
        return window;
    }

    static QRgb At(const QImage& image, int x, int y) { return image.pixel(x, y) | 0xFF000000u; }

    int argc = 1;
    char name[8] = "test";
    char* argv[2] = {name, nullptr};
    testsupport::TempFolder skin;
    CQtHost host;
};

TEST_F(QtRenderTest, PaintsColoursTextAndSvgAtTheWindowsDpi)
{
    testsupport::WriteFileBytes(skin / "dot.svg",
                                R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
                                R"(<rect width="10" height="10" fill="#00FF00"/></svg>)");
    const std::string xml = R"(<Window><VerticalLayout bkcolor="#FF101010">
        <HorizontalLayout height="20">
          <Control width="50" bkcolor="#FFFF0000"/>
          <Control width="10" bkimage="dot.svg"/>
        </HorizontalLayout>
        <Label height="20" text="WWWWWWWW" textcolor="#FFFFFFFF" align="center"/>
        <Progress height="10" width="100" min="0" max="100" value="50" forecolor="#FF0000FF" bkcolor="#FF333333"/>
    </VerticalLayout></Window>)";
    for (int dpi : {96, 144}) {
        auto window = Open(xml, dpi);
        QImage image = CQtHost::RenderToImage(*window);
        int s = dpi / 48; // 2 at 96 DPI, 3 at 144 DPI: half a unit is 1 or 1.5 px
        auto unit = [dpi](int v) { return v * dpi / 96; };
        ASSERT_EQ(image.width(), unit(100)) << dpi;
        EXPECT_EQ(At(image, unit(25), unit(10)), 0xFFFF0000u) << "red cell at " << dpi;
        EXPECT_EQ(At(image, unit(55), unit(10)), 0xFF00FF00u) << "the SVG fills its cell at " << dpi;
        EXPECT_EQ(At(image, unit(25), unit(45)), 0xFF0000FFu) << "progress filled half way at " << dpi;
        EXPECT_EQ(At(image, unit(75), unit(45)), 0xFF333333u) << "progress track at " << dpi;
        EXPECT_EQ(At(image, unit(90), unit(57)), 0xFF101010u) << "background at " << dpi;
        int lit = 0;
        for (int x = 0; x < image.width(); ++x)
            lit += qGray(At(image, x, unit(30))) > 128;
        EXPECT_GT(lit, 3 * s) << "white text drawn across the label at " << dpi;
        window->DestroyWindow();
    }
}

} // namespace

#include "toolkit/EditUI.h"
#include "toolkit/MessageQueue.h"
#include "toolkit/qt/QtWindow.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

#include <atomic>
#include <thread>

namespace {

using QtHostTest = QtRenderTest;

QWidget* WidgetOf(CWindowWnd& window)
{
    return static_cast<CQtWindow*>(window.GetNativeWindow())->Widget();
}

void SendMouse(QWidget* widget, QEvent::Type type, QPoint pt)
{
    QMouseEvent event(type, QPointF(pt), widget->mapToGlobal(QPointF(pt)), Qt::LeftButton,
                      type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &event);
}

TEST_F(QtHostTest, QtInputReachesControlsAsWindowMessages)
{
    auto window = Open(R"(<Window><VerticalLayout>
        <Button name="ok" height="20"/>
        <Edit name="edit" height="20"/>
    </VerticalLayout></Window>)", 96);
    window->ShowWindow(true);
    CQtHost::RenderToImage(*window);
    QWidget* widget = WidgetOf(*window);
    for (QPoint pt : {QPoint(50, 10), QPoint(50, 30)}) {
        SendMouse(widget, QEvent::MouseMove, pt);
        SendMouse(widget, QEvent::MouseButtonPress, pt);
        SendMouse(widget, QEvent::MouseButtonRelease, pt);
    }
    // Typed text arrives as characters, keys as virtual keys: "ä", "b", then Backspace.
    QKeyEvent umlaut(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "ä");
    QKeyEvent b(QEvent::KeyPress, Qt::Key_B, Qt::NoModifier, "b");
    QKeyEvent back(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    for (QKeyEvent* key : {&umlaut, &b, &back})
        QCoreApplication::sendEvent(widget, key);
    std::vector<std::string> notes = window->TakeNotes();
    EXPECT_NE(std::find(notes.begin(), notes.end(), "click:ok"), notes.end());
    EXPECT_EQ(window->FindAs<CEditUI>("edit")->GetText(), "ä");
    window->DestroyWindow();
}

TEST_F(QtHostTest, WorkerSendMessageIsServedByTheQtLoopAndTimersFire)
{
    auto window = Open(R"(<Window><Control name="root"/></Window>)", 96);
    HWND hwnd = window->GetHWND();
    std::thread::id handledOn;
    int ticks = 0;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM, BOOL& handled) -> LRESULT {
        if (msg == 0xC12) {
            handledOn = std::this_thread::get_id();
            handled = TRUE;
            return 42;
        }
        if (msg == WM_TIMER && ++ticks == 3)
            window->KillTimer(7);
        return 0;
    };
    std::atomic<LRESULT> answer{0};
    std::thread worker([&] { answer = SendMessage(hwnd, 0xC12, 0, 0); });
    window->SetTimer(7, 1);
    // The loop waits on what the UI thread itself sets: the worker stores its answer only after
    // the reply has woken it, which may be after the last event the loop will ever see.
    host.RunLoop([&] { return handledOn == std::thread::id{} || ticks < 3; });
    worker.join();
    EXPECT_EQ(answer.load(), 42);
    EXPECT_EQ(handledOn, std::this_thread::get_id());
    EXPECT_EQ(ticks, 3);
    window->DestroyWindow();
}

} // namespace
