// The page display's geometry: fits, the zoom limits, the point under the
// cursor, scroll clamping and rotation steps.
#include "viewer/ViewerModel.h"

#include <gtest/gtest.h>

namespace {

ViewerModel modelWith(int imageWidth, int imageHeight, int clientWidth, int clientHeight, int dpi = 96)
{
    ViewerModel m(dpi);
    m.setClientSize(clientWidth, clientHeight);
    m.setImageSize(imageWidth, imageHeight);
    return m;
}

TEST(ViewerFits, FactorsLeaveTheMarginAndFitPageTakesTheTighterSide)
{
    ViewerModel portrait = modelWith(1000, 2000, 600, 500);
    EXPECT_DOUBLE_EQ(portrait.fitWidthFactor(), 590.0 / 1000);
    EXPECT_DOUBLE_EQ(portrait.fitHeightFactor(), 490.0 / 2000);
    EXPECT_DOUBLE_EQ(portrait.fitPageFactor(), 490.0 / 2000);

    ViewerModel landscape = modelWith(2000, 1000, 600, 500);
    EXPECT_DOUBLE_EQ(landscape.fitPageFactor(), 590.0 / 2000);

    // At 144 dpi the margin is 15 pixels and the scroll unit 75.
    ViewerModel large = modelWith(1000, 2000, 600, 500, 144);
    EXPECT_EQ(large.scrollUnit(), 75);
    EXPECT_DOUBLE_EQ(large.fitWidthFactor(), 585.0 / 1000);

    // A client smaller than the margin gives no fit.
    ViewerModel tiny = modelWith(1000, 2000, 5, 5);
    EXPECT_FALSE(tiny.fitPage(0, 0));
    EXPECT_EQ(tiny.zoom(), -1);
}

TEST(ViewerZoom, ZoomingOutStopsAtTheFirstFactorBelowTheMinimum)
{
    ViewerModel m = modelWith(1000, 1000, 500, 500);
    EXPECT_FALSE(m.zoomBy(ViewerModel::kZoomInFactor, 0, 0)); // no zoom yet: -1 x 1.15 is ignored
    EXPECT_EQ(m.zoom(), -1);
    ASSERT_TRUE(m.setZoom(1.0, 0, 0));
    int steps = 0;
    while (m.zoomBy(ViewerModel::kZoomOutFactor, 0, 0))
        ++steps;
    EXPECT_GT(steps, 20);
    EXPECT_GE(m.zoom(), ViewerModel::kMinimumZoom);
    EXPECT_LT(m.zoom() * ViewerModel::kZoomOutFactor, ViewerModel::kMinimumZoom);
    EXPECT_FALSE(m.setZoom(0.0199, 0, 0));
}

TEST(ViewerZoom, ThePagePointUnderTheCursorStaysInPlace)
{
    // The image fills the client at 0.5; zoomed to 1.0 the scroll moves by
    // whole units, so the point stays exactly.
    ViewerModel m = modelWith(1000, 1000, 500, 500);
    ASSERT_TRUE(m.setZoom(0.5, 250, 100));
    const double pageX = m.toImageX(250), pageY = m.toImageY(100);
    ASSERT_TRUE(m.setZoom(1.0, 250, 100));
    EXPECT_EQ(m.scrollX(), 5);
    EXPECT_EQ(m.scrollY(), 2);
    EXPECT_NEAR(m.toClientX(pageX), 250, 1.0);
    EXPECT_NEAR(m.toClientY(pageY), 100, 1.0);
    // A cursor at the client's edge (0) keeps that edge.
    ASSERT_TRUE(m.setZoom(2.0, 0, 0));
    EXPECT_EQ(m.scrollX(), 5);
}

TEST(ViewerScroll, PositionsStayInsideTheRange)
{
    ViewerModel m = modelWith(1000, 1000, 500, 500);
    m.setZoom(1.0, 0, 0);
    EXPECT_EQ(m.horizontalRange().page, 10);
    EXPECT_EQ(m.horizontalRange().maximum, 10);
    m.scrollTo(50, -3);
    EXPECT_EQ(m.scrollX(), 10);
    EXPECT_EQ(m.scrollY(), 0);
    m.setZoom(0.5, 0, 0); // fits now: nothing to scroll
    EXPECT_EQ(m.scrollX(), 0);
}

TEST(ViewerRotation, StepsWrapAndOnlyRightAnglesSurvive)
{
    int r = 0;
    for (int i = 0; i < 4; ++i)
        r = nextRotation(r, 90);
    EXPECT_EQ(r, 0);
    EXPECT_EQ(nextRotation(0, -90), -90);
    EXPECT_EQ(nextRotation(-270, -90), 0);
    EXPECT_EQ(nextRotation(270, 90), 0);
    EXPECT_EQ(nextRotation(-180, -90), -270);
    EXPECT_EQ(nextRotation(45, 0), 0);
    EXPECT_EQ(quarterTurns(90), 1);
    EXPECT_EQ(quarterTurns(-270), 1);
    EXPECT_EQ(quarterTurns(-180), 2);
    EXPECT_EQ(quarterTurns(-90), 3);
    EXPECT_EQ(quarterTurns(45), 0);
}

} // namespace
