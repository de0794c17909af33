#include "platform/Drawing.h"

#include <gtest/gtest.h>

using tallix::GradientFill;
using tallix::GradientMode;
using tallix::TriVertex;

class GradientFillTest : public testing::TestWithParam<GradientMode> {};

// A gradient that starts away from the picture's edge begins at its first
// colour on its own first pixel and ends one step short of its last colour.
TEST_P(GradientFillTest, RunsFromItsOwnStartNotThePicturesEdge) {
    QImage image(20, 20, QImage::Format_RGB32);
    image.fill(Qt::white);
    const TriVertex from{4, 6, 0, 0, 0, 0};
    const TriVertex to{14, 16, qint16(0xFF00), 0, 0, 0}; // red, 10 steps on
    GradientFill(image, from, to, int(GetParam()));
    const bool vertical = GetParam() == GradientMode::Vertical;
    const auto at = [&](int step) {
        return image.pixel(vertical ? 4 : 4 + step, vertical ? 6 + step : 6);
    };
    EXPECT_EQ(at(0), qRgb(0, 0, 0));
    EXPECT_EQ(at(9), qRgb(0xFF * 9 / 10, 0, 0));
    EXPECT_EQ(image.pixel(3, 5), qRgb(255, 255, 255));
}

INSTANTIATE_TEST_SUITE_P(Modes, GradientFillTest,
                         testing::Values(GradientMode::Vertical, GradientMode::Horizontal),
                         [](const auto& info) {
                             return info.param == GradientMode::Vertical ? "Vertical"
                                                                         : "Horizontal";
                         });
