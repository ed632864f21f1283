#include "ToolkitFixture.h"

#include "toolkit/MessageQueue.h"

#include <atomic>
#include <thread>

namespace {

using MessageQueueTest = ToolkitTest;

constexpr UINT kSlotArrived = 0xC12;

TEST_F(MessageQueueTest, PostedMessagesArriveInOrderAndSendFromAWorkerWaitsForTheAnswer)
{
    auto window = OpenWindow(R"(<Window><Control name="root"/></Window>)");
    std::vector<std::pair<UINT, WPARAM>> seen;
    std::thread::id handlerThread;
    window->onMessage = [&](UINT msg, WPARAM w, LPARAM, BOOL& handled) -> LRESULT {
        if (msg < WM_USER)
            return 0;
        seen.emplace_back(msg, w);
        handlerThread = std::this_thread::get_id();
        handled = TRUE;
        return LRESULT(w * 10);
    };
    HWND hwnd = window->GetHWND();
    EXPECT_TRUE(PostMessage(hwnd, WM_USER + 1, 1));
    EXPECT_TRUE(PostMessage(hwnd, WM_USER + 2, 2));
    EXPECT_TRUE(seen.empty()) << "posting only queues";

    std::atomic<LRESULT> answer{-1};
    std::thread worker([&] { answer = SendMessage(hwnd, kSlotArrived, 3, 0); });
    ASSERT_TRUE(host.RunUntil([&] { return answer.load() != -1; }));
    worker.join();
    EXPECT_EQ(answer.load(), 30);
    EXPECT_EQ(handlerThread, std::this_thread::get_id()) << "handled on the UI thread";
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].first, WM_USER + 1u);
    EXPECT_EQ(seen[1].first, WM_USER + 2u);
    EXPECT_EQ(seen[2].first, kSlotArrived);
    window->DestroyWindow();
    EXPECT_FALSE(PostMessage(hwnd, WM_USER + 1, 1)) << "no window behind the handle any more";
    EXPECT_EQ(SendMessage(hwnd, WM_USER + 1, 1), 0);
}

TEST_F(MessageQueueTest, SendFromAWorkerReturnsWhenTheWindowIsBeingDestroyed)
{
    auto window = OpenWindow(R"(<Window><Control name="root"/></Window>)");
    HWND hwnd = window->GetHWND();
    std::atomic<bool> workerDone{false};
    bool handledSend = false;
    window->onMessage = [&](UINT msg, WPARAM, LPARAM, BOOL&) -> LRESULT {
        if (msg == kSlotArrived)
            handledSend = true;
        if (msg == WM_DESTROY) {
            // The shutdown path: the UI thread waits for a worker that is stuck in SendMessage.
            for (int i = 0; i < 2000 && !workerDone; ++i)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return 0;
    };
    std::thread worker([&] {
        SendMessage(hwnd, kSlotArrived, 0, 0);
        workerDone = true;
    });
    while (!CMessageQueue::Instance().HasPending())
        std::this_thread::yield();
    window->DestroyWindow();
    EXPECT_TRUE(workerDone) << "the waiting sender was released when destruction began";
    worker.join();
    host.RunPending();
    EXPECT_FALSE(handledSend) << "a destroyed window takes no sent message";
}

TEST(RegisteredMessageTest, SameNameSameIdInTheRegisteredRange)
{
    UINT a = RegisterWindowMessage("QV742-CORE");
    UINT b = RegisterWindowMessage("{4695579F-999A-41d4-9FAF-EFFCE93EBF15}");
    EXPECT_EQ(RegisterWindowMessage("QV742-CORE"), a);
    EXPECT_NE(a, b);
    EXPECT_GE(a, 0xC000u);
    EXPECT_LE(b, 0xFFFFu);
}

} // namespace
