#include <filesystem>
#include <string>

#include "platform/win32/centre_dialog.h"
#include "tests/win32/headless_fixture.h"

namespace ortolix {
namespace {

struct Edge {
  const char* name;
  int desktop_start;
  int desktop_extent;
  int extent;
  int screen_extent;
  int edge;
};

class CentredEdgeTest : public ::testing::TestWithParam<Edge> {};

TEST_P(CentredEdgeTest, CentresThenClampsToTheScreen) {
  const Edge& e = GetParam();
  EXPECT_EQ(CentredEdge(e.desktop_start, e.desktop_extent, e.extent, e.screen_extent), e.edge);
}

const Edge kEdges[] = {
    {"Centred", 0, 1920, 285, 1920, 817},
    {"OddDifferenceTruncates", 0, 1080, 361, 1080, 359},
    {"NegativeDesktopStartIsZero", -1920, 1920, 285, 1920, 0},
    {"WiderThanDesktopIsZero", 0, 200, 285, 1920, 0},
    {"PastTheScreenIsPulledBack", 0, 3840, 285, 1920, 1635},
    {"ShiftedDesktop", 100, 1000, 200, 1920, 500},
    {"DivisionTowardZero", 0, 284, 285, 1920, 0},
};
INSTANTIATE_TEST_SUITE_P(Edges, CentredEdgeTest, ::testing::ValuesIn(kEdges),
                         [](const auto& info) { return std::string(info.param.name); });

struct Display {
  const char* name;
  RECT desktop;
  int screen_width;
  int screen_height;
  int x;
  int y;
};

class CentreOverDesktopTest : public HeadlessTest, public ::testing::WithParamInterface<Display> {};

// The sample dialog (186 x 205 units: 285 x 361 pixels) centres itself on init.
TEST_P(CentreOverDesktopTest, MovesTheDialogWithoutResizingIt) {
  const Display& d = GetParam();
  headless::SetDisplay(d.desktop, d.screen_width, d.screen_height);
  RECT seen{};
  sample::Context context;
  context.on_init = [&seen](HWND dialog) { EXPECT_TRUE(GetWindowRect(dialog, &seen)); };
  sample::Show(context);
  ASSERT_EQ(LastDialog().moves.size(), 1u);
  EXPECT_EQ(LastDialog().moves[0], (headless::WindowMove{nullptr, d.x, d.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER}));
  EXPECT_EQ(seen.left, d.x);
  EXPECT_EQ(seen.top, d.y);
  EXPECT_EQ(seen.right - seen.left, 285);
  EXPECT_EQ(seen.bottom - seen.top, 361);
  EXPECT_EQ(headless::OpenDeviceContexts(), 0u);
  EXPECT_TRUE(headless::Errors().empty());
}

const Display kDisplays[] = {
    {"FullHd", {0, 0, 1920, 1080}, 1920, 1080, 817, 359},
    {"TwoMonitorsSideBySide", {0, 0, 3840, 1080}, 1920, 1080, 1635, 359},
    {"SmallScreen", {0, 0, 640, 300}, 640, 300, 177, 0},
    {"DesktopLeftOfOrigin", {-1920, 0, 0, 1080}, 1920, 1080, 0, 359},
};
INSTANTIATE_TEST_SUITE_P(Displays, CentreOverDesktopTest, ::testing::ValuesIn(kDisplays),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace ortolix
