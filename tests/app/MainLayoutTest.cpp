#include <gtest/gtest.h>

#include "app/MainLayout.h"

namespace karvo {
namespace {

TEST(MainLayout, DesignSizeGivesDesignPositions) {
    const MainLayout l = ComputeMainLayout(790, 534);
    EXPECT_EQ(l.memo.left, 8);
    EXPECT_EQ(l.memo.top, 61);
    EXPECT_EQ(l.memo.width, 777);
    EXPECT_EQ(l.memo.height, 277);
    EXPECT_EQ(l.panel1.top, 338);
    EXPECT_EQ(l.panel2.top, 418);
    EXPECT_EQ(l.panel1.width, 777);
    EXPECT_EQ(l.clearButton.top, 506);
    EXPECT_EQ(l.reconnectButton.left, 696);
    EXPECT_EQ(l.reconnectButton.top, 506);
}

TEST(MainLayout, GrowingWindowGrowsTheLogAndKeepsTheBottomDistances) {
    const MainLayout small = ComputeMainLayout(790, 534);
    const MainLayout big = ComputeMainLayout(1600, 1000);
    EXPECT_EQ(big.memo.width - small.memo.width, 810);
    EXPECT_EQ(big.memo.height - small.memo.height, 466);
    EXPECT_EQ(1000 - big.panel1.top, 534 - small.panel1.top);
    EXPECT_EQ(1000 - big.panel2.top, 534 - small.panel2.top);
    EXPECT_EQ(1000 - big.clearButton.top, 534 - small.clearButton.top);
    EXPECT_EQ(1600 - big.reconnectButton.left, 790 - small.reconnectButton.left);
    EXPECT_EQ(big.memo.top + big.memo.height, big.panel1.top);
}

TEST(MainLayout, ShrinksTheLogAndTheButtonsOnlyDownToTheMinimum) {
    const MainLayout design = ComputeMainLayout(790, 534);
    EXPECT_EQ(design.toolButtonWidth, 66);
    const MainLayout small = ComputeMainLayout(630, 430);
    EXPECT_EQ(small.memo.height, design.memo.height - 104);
    EXPECT_LE(kToolbarLeft + 11 * small.toolButtonWidth, 630) << "every button on the window";
    const MainLayout tiny = ComputeMainLayout(100, 100);
    EXPECT_EQ(tiny.memo.width, kMinClientWidth - 13);
    EXPECT_GE(tiny.memo.height, 60) << "a few lines of log stay";
    EXPECT_GE(tiny.toolButtonWidth, 50);
}

// On a 640 × 480 screen the whole frame, title bar included, sits on the
// screen one pixel from its top left, and the client shrinks to make room.
TEST(MainLayout, TopLeftPlacementFitsTheFrameOnASmallScreen) {
    const FrameMargins frame{4, 28, 4, 4};
    const TopLeftPlacement p = PlaceTopLeft({0, 0, 640, 480}, frame);
    EXPECT_EQ(p.frameLeft, 1);
    EXPECT_EQ(p.frameTop, 1);
    EXPECT_LE(p.frameLeft + frame.left + p.clientWidth + frame.right, 640);
    EXPECT_LE(p.frameTop + frame.top + p.clientHeight + frame.bottom, 480);
    EXPECT_EQ(p.clientWidth, 640 - 1 - 8);
    EXPECT_EQ(p.clientHeight, 480 - 1 - 32);
    // A panel along the top moves the window below it; a larger screen
    // keeps the design size.
    const TopLeftPlacement below = PlaceTopLeft({0, 24, 1000, 744}, frame);
    EXPECT_EQ(below.frameTop, 25);
    EXPECT_EQ(below.clientWidth, kDesignClientWidth);
    EXPECT_EQ(below.clientHeight, kDesignClientHeight);
}

}  // namespace
}  // namespace karvo

#include <filesystem>
#include <fstream>

#include "session/ProgramDirectory.h"

namespace karvo {
namespace {

TEST(ProgramDirectory, FindsTheDataWhereverTheProgramWasPut) {
    namespace fs = std::filesystem;
    const fs::path root = fs::temp_directory_path() / "karvo-progdir-test";
    fs::remove_all(root);
    fs::create_directories(root / "build" / "bin");
    fs::create_directories(root / "prefix" / "bin");
    fs::create_directories(root / "prefix" / "share" / "karvo");
    std::ofstream(root / "build" / "bin" / "chimes.wav") << "x";
    std::ofstream(root / "prefix" / "share" / "karvo" / "chimes.wav") << "x";
    const std::string build = (root / "build" / "bin").string();
    const std::string installed = (root / "prefix" / "share" / "karvo").string();
    EXPECT_EQ(ResolveProgramDirectory(build, "/nowhere", ""), build);
    EXPECT_EQ(ResolveProgramDirectory((root / "prefix" / "bin").string(), "/nowhere", ""),
              installed);
    EXPECT_EQ(ResolveProgramDirectory("/nowhere/bin", installed, ""), installed);
    EXPECT_EQ(ResolveProgramDirectory(build, installed, "/my/dir"), "/my/dir");
    fs::remove_all(root);
}

}  // namespace
}  // namespace karvo
