#include <gtest/gtest.h>

#include "output_size.h"

namespace {

using imgdecmp::OutputSize;
using imgdecmp::PictureSize;
using imgdecmp::SizeRequest;

TEST(OutputSize, ScaledThenShrunkToFitWithTheAspectKept)
{
    struct Case {
        PictureSize source;
        SizeRequest request;
        PictureSize expected;
    } cases[] = {
        {{100, 50}, {100, 999, 4100}, {100, 50}},
        {{100, 50}, {50, 999, 4100}, {50, 25}},
        {{3, 3}, {10, 999, 4100}, {1, 1}},
        {{2000, 1000}, {100, 999, 4100}, {999, 500}},
        {{1000, 3000}, {100, 999, 1000}, {333, 1000}},
        {{2000, 4000}, {100, 1000, 1000}, {500, 1000}},
        {{4000, 2000}, {100, 1000, 1000}, {1000, 500}},
        {{5000, 1}, {100, 999, 4100}, {999, 1}},
        {{2000, 1000}, {100, 0, 500}, {1000, 500}},
        {{2000, 1000}, {100, 0, 0}, {2000, 1000}},
        {{2000, 2000}, {1000, 999, 999}, {999, 999}},
    };
    for (const Case& c : cases) {
        std::optional<PictureSize> size = OutputSize(c.source, c.request);
        ASSERT_TRUE(size.has_value()) << c.source.width << "x" << c.source.height;
        EXPECT_EQ(size->width, c.expected.width) << c.source.width << "x" << c.source.height;
        EXPECT_EQ(size->height, c.expected.height) << c.source.width << "x" << c.source.height;
    }
}

TEST(OutputSize, RefusedBeyondTheLimitsOrWithoutAScale)
{
    struct Case {
        PictureSize source;
        SizeRequest request;
    } cases[] = {
        {{100, 50}, {0, 999, 4100}},
        {{100, 50}, {-50, 999, 4100}},
        {{0, 50}, {100, 999, 4100}},
        {{16385, 1}, {100, 999, 4100}},
        {{1, 16385}, {100, 999, 4100}},
        {{8192, 8193}, {10, 999, 4100}},
        {{2000, 2000}, {1000, 0, 0}},
        {{16384, 1}, {2147483647, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_FALSE(OutputSize(c.source, c.request).has_value()) << c.source.width << "x" << c.source.height;
    EXPECT_TRUE(OutputSize({16384, 4096}, {100, 0, 0}).has_value()) << "exactly at both limits";
}

}  // namespace
