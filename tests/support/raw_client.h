// Stand-in clients for the server tests: one emulated process speaking the
// protocol by hand over a socket pair, and readers of the replies.
#pragma once

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <unistd.h>

#include <string>
#include <utility>

#include "server/server.h"

namespace servertest {

using sim::Op;
using sim::WireReader;
using sim::WireWriter;

// One emulated process speaking the protocol by hand.
class RawClient {
public:
    RawClient(sim::Server& server, std::u16string path)
    {
        int pair[2];
        EXPECT_EQ(socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, pair), 0);
        fd_ = pair[0];
        pid_ = server.AttachClient(pair[1], std::move(path));
    }
    ~RawClient() { Close(); }

    void Close()
    {
        if (fd_ >= 0)
            close(fd_);
        fd_ = -1;
    }
    sim::Pid Pid() const { return pid_; }
    int Fd() const { return fd_; }

    // Bytes as they are, framed or not; false once the server has let go.
    bool Write(const std::string& bytes) { return send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size()); }
    bool ReadReply(std::string& reply) { return sim::ReceiveFrame(fd_, reply); }

    std::string Request(Op op, const WireWriter& args = WireWriter())
    {
        WireWriter frame;
        frame.U16(static_cast<uint16_t>(op));
        std::string bytes = frame.Data() + args.Data();
        std::string reply;
        EXPECT_TRUE(sim::SendFrame(fd_, bytes));
        EXPECT_TRUE(sim::ReceiveFrame(fd_, reply));
        return reply;
    }
    void Hello()
    {
        WireWriter args;
        args.U32(pid_);
        Request(Op::Hello, args);
    }
    uint32_t CreateWindow(const std::u16string& title)
    {
        WireWriter args;
        args.Text(u"Test").Text(title).U32(0).U32(0);
        args.I32(static_cast<int32_t>(0x80000000)).I32(0).I32(static_cast<int32_t>(0x80000000)).I32(0);
        args.U32(0).U32(0).U32(0);
        args.I32(0).I32(0).I32(0).I32(0);
        std::string reply = Request(Op::CreateWindow, args);
        WireReader in(reply);
        return in.U32();
    }
    sim::PostResult Post(uint32_t hwnd, uint32_t message, uint64_t wParam = 0)
    {
        WireWriter args;
        args.U32(hwnd).U32(message).U64(wParam).I64(0);
        std::string reply = Request(Op::PostMessage, args);
        WireReader in(reply);
        return static_cast<sim::PostResult>(in.U8());
    }
    uint32_t TickCount()
    {
        std::string reply = Request(Op::TickCount);
        WireReader in(reply);
        return in.U32();
    }

private:
    int fd_ = -1;
    sim::Pid pid_ = 0;
};

struct Received {
    uint8_t kind = 0;  // sim::WaitReply
    uint64_t sendId = 0;
    int32_t result = 0;
    uint32_t hwnd = 0;
    uint32_t message = 0;
    uint64_t wParam = 0;
};

inline Received ReadWaitReply(const std::string& reply)
{
    WireReader in(reply);
    Received r;
    r.kind = in.U8();
    if (r.kind == static_cast<uint8_t>(sim::WaitReply::Incoming)) {
        r.sendId = in.U64();
        in.U8();
        r.hwnd = in.U32();
        r.message = in.U32();
        r.wParam = in.U64();
    } else {
        r.result = in.I32();
        r.hwnd = in.U32();
        r.message = in.U32();
        r.wParam = in.U64();
    }
    return r;
}

// A request as the connection carries it: the length, the operation, the
// arguments.
inline std::string RequestBytes(uint16_t op, const WireWriter& args = WireWriter())
{
    WireWriter payload;
    payload.U16(op);
    WireWriter frame;
    frame.U32(static_cast<uint32_t>(payload.Data().size() + args.Data().size()));
    return frame.Data() + payload.Data() + args.Data();
}

// GetMessage's filter, then the objects and handles the caller holds.
inline WireWriter GetMessageArgs(uint32_t first, uint32_t last)
{
    WireWriter args;
    args.U32(0).U32(first).U32(last).U32(0).U32(0);
    return args;
}

inline WireWriter AnyMessage()
{
    return GetMessageArgs(0, 0);
}

}  // namespace servertest
