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

TEST(DialogPixelSize, ScalesDialogUnitsAndAddsTheFrame) {
  const auto size = headless::DialogPixelSize(186, 205);
  EXPECT_EQ(size.width, 279 + 6);
  EXPECT_EQ(size.height, 333 + 6 + 22);
}

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

TEST_F(HeadlessTest, DisplayContextsMustBeReleasedByTheirWindow) {
  HDC screen = GetDC(nullptr);
  ASSERT_NE(screen, nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 1920);
  EXPECT_EQ(GetDeviceCaps(screen, VERTRES), 1080);
  EXPECT_EQ(headless::OpenDeviceContexts(), 1u);
  EXPECT_EQ(ReleaseDC(GetDesktopWindow(), screen), 0);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 1);
  EXPECT_EQ(ReleaseDC(nullptr, screen), 0);
  EXPECT_EQ(GetDeviceCaps(screen, HORZRES), 0);
  EXPECT_EQ(headless::OpenDeviceContexts(), 0u);
  EXPECT_EQ(headless::Errors().size(), 1u);
}

TEST_F(HeadlessTest, DesktopRectangleAndUnsupportedIndexes) {
  RECT desktop{};
  EXPECT_TRUE(GetWindowRect(GetDesktopWindow(), &desktop));
  EXPECT_EQ(desktop.right, 1920);
  EXPECT_EQ(desktop.bottom, 1080);
  EXPECT_FALSE(GetWindowRect(reinterpret_cast<HWND>(0x300), &desktop));
  HDC screen = GetDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen, 12), 0);  // BITSPIXEL is not modelled
  ReleaseDC(nullptr, screen);
  EXPECT_FALSE(SetWindowPos(GetDesktopWindow(), nullptr, 0, 0, 0, 0, SWP_NOSIZE));
  EXPECT_EQ(headless::Errors().size(), 3u);
}

TEST_F(HeadlessTest, CurrentDirectoryIsRecordedNotChanged) {
  const auto before = std::filesystem::current_path();
  const std::u16string existing = std::filesystem::temp_directory_path().u16string();
  EXPECT_TRUE(SetCurrentDirectoryW(existing.c_str()));
  EXPECT_FALSE(SetCurrentDirectoryW(u"/no/such/ortolix/directory/"));
  EXPECT_FALSE(SetCurrentDirectoryW(u""));
  EXPECT_EQ(headless::DirectoryRequests(),
            (std::vector<std::u16string>{existing, u"/no/such/ortolix/directory/", u""}));
  EXPECT_EQ(headless::CurrentDirectory(), existing);
  EXPECT_EQ(std::filesystem::current_path(), before);
}

}  // namespace
}  // namespace ortolix
