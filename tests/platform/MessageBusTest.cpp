#include "platform/MessageBus.h"
#include "platform/SingleInstance.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>

using platform::BusFrame;
using platform::MessageBus;
using platform::SingleInstance;
using testsupport::TempFolder;

namespace {

BusFrame CopyData(const std::string& bytes)
{
    BusFrame frame;
    frame.message = "{4695579F-999A-41d4-9FAF-EFFCE93EBE19}";
    frame.wParam = 7;
    frame.lParam = -2;
    frame.hasData = true;
    frame.dataId = 3;
    frame.data = bytes;
    return frame;
}

TEST(BusFrame, PacksAndUnpacksEveryField)
{
    BusFrame frame = CopyData(std::string("\0\1levels", 8));
    auto back = BusFrame::Unpack(frame.Pack());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->message, frame.message);
    EXPECT_EQ(back->wParam, 7u);
    EXPECT_EQ(back->lParam, -2);
    EXPECT_TRUE(back->hasData);
    EXPECT_EQ(back->dataId, 3u);
    EXPECT_EQ(back->data, frame.data);
}

TEST(BusFrame, RefusesMalformedAndOversizedFrames)
{
    std::string good = CopyData("abc").Pack();
    std::string badMagic = good;
    badMagic[0] = 'X';
    std::string badVersion = good;
    badVersion[4] = 9;
    std::string longer = good + "x";
    std::string lengthPastEnd = good;
    lengthPastEnd[28] = 100;
    for (const std::string& bytes : {std::string(), good.substr(0, 31), badMagic, badVersion, longer, lengthPastEnd,
                                     good.substr(0, good.size() - 1)})
        EXPECT_FALSE(BusFrame::Unpack(bytes));
    EXPECT_EQ(CopyData(std::string(BusFrame::kMaxFrameSize, 'x')).Pack(), "");
    BusFrame unnamed;
    EXPECT_EQ(unnamed.Pack(), "");
}

TEST(MessageBus, SendReceiveAndBroadcastBetweenEndpoints)
{
    TempFolder dir;
    std::string folder = dir / "run";
    MessageBus program(folder), tool(folder), recorder(folder);
    ASSERT_TRUE(program.Listen("QV742-CORE"));
    ASSERT_TRUE(tool.Listen("qv742-msg"));
    ASSERT_TRUE(recorder.Listen("AudioRecorder"));

    struct stat info {};
    ASSERT_EQ(stat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    EXPECT_FALSE(program.Receive());
    ASSERT_TRUE(tool.Send("QV742-CORE", CopyData("hello")));
    auto got = program.Receive();
    ASSERT_TRUE(got);
    EXPECT_EQ(got->data, "hello");
    EXPECT_FALSE(tool.Send("nobody", CopyData("x")));

    BusFrame wake;
    wake.message = "QV742-CORE";
    wake.lParam = 1;
    EXPECT_EQ(tool.Broadcast(wake), 2);
    EXPECT_EQ(program.Receive()->lParam, 1);
    EXPECT_EQ(recorder.Receive()->message, "QV742-CORE");
    EXPECT_FALSE(tool.Receive()); // not sent to itself
}

TEST(MessageBus, DropsMalformedDatagramsAndKeepsServing)
{
    TempFolder dir;
    MessageBus program(dir.Path());
    ASSERT_TRUE(program.Listen("QV742-CORE"));

    int raw = socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::string path = dir / "QV742-CORE.sock";
    std::strcpy(address.sun_path, path.c_str());
    const char junk[] = "not a frame at all, but long enough to look like a header";
    ASSERT_GT(sendto(raw, junk, sizeof junk, 0, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    close(raw);

    MessageBus tool(dir.Path());
    ASSERT_TRUE(tool.Send("QV742-CORE", CopyData("after")));
    auto got = program.Receive();
    ASSERT_TRUE(got);
    EXPECT_EQ(got->data, "after");
}

TEST(SingleInstance, SecondHolderIsRefusedUntilTheFirstGoes)
{
    TempFolder dir;
    auto first = std::make_unique<SingleInstance>("QV742-CORE", dir / "run");
    ASSERT_TRUE(first->Acquire());
    EXPECT_TRUE(first->IsHeld());
    SingleInstance second("QV742-CORE", dir / "run");
    EXPECT_FALSE(second.Acquire());
    first.reset();
    EXPECT_TRUE(second.Acquire());
}

} // namespace
