// Frames come out of a connection's bytes whole and in order, however the
// bytes are cut up on the way.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "server/frame_reader.h"
#include "server/wire.h"

namespace {

using sim::FrameReader;

std::string Framed(const std::string& payload)
{
    sim::WireWriter header;
    header.U32(static_cast<uint32_t>(payload.size()));
    return header.Data() + payload;
}

TEST(FrameReaderTest, FramesComeOutWholeWhateverPiecesTheBytesArriveIn)
{
    std::vector<std::string> sent = {"", "a", std::string(300, 'b'), "cd", std::string(70000, 'e'), "f"};
    std::string stream;
    for (const std::string& payload : sent)
        stream += Framed(payload);
    for (size_t piece : {size_t(1), size_t(3), size_t(4), size_t(5), size_t(4096), stream.size()}) {
        SCOPED_TRACE(piece);
        FrameReader reader;
        std::vector<std::string> got;
        for (size_t at = 0; at < stream.size(); at += piece) {
            reader.Append(std::string_view(stream).substr(at, piece));
            std::string frame;
            while (reader.Take(frame) == FrameReader::Next::Frame)
                got.push_back(frame);
            EXPECT_EQ(reader.MidFrame(), !reader.Empty());
        }
        EXPECT_EQ(got, sent);
        EXPECT_TRUE(reader.Empty());
        EXPECT_FALSE(reader.MidFrame());
    }
}

TEST(FrameReaderTest, ACutOffFrameWaitsAndATooLongOneIsRefused)
{
    FrameReader reader;
    std::string frame;
    reader.Append(Framed("whole") + Framed("cut").substr(0, 5));
    ASSERT_EQ(reader.Take(frame), FrameReader::Next::Frame);
    EXPECT_EQ(frame, "whole");
    EXPECT_EQ(reader.Take(frame), FrameReader::Next::Incomplete);
    EXPECT_TRUE(reader.MidFrame());
    reader.Append("ut");
    ASSERT_EQ(reader.Take(frame), FrameReader::Next::Frame);
    EXPECT_EQ(frame, "cut");

    sim::WireWriter tooLong;
    tooLong.U32(sim::kMaxFrameBytes + 1);
    reader.Append(tooLong.Data());
    EXPECT_EQ(reader.Take(frame), FrameReader::Next::TooLong);
    EXPECT_TRUE(reader.MidFrame());
}

}  // namespace
