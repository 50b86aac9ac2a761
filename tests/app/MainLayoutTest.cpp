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

TEST(MainLayout, NeverShrinksBelowTheDesignSize) {
    const MainLayout l = ComputeMainLayout(100, 100);
    EXPECT_EQ(l.memo.width, 777);
    EXPECT_GT(l.memo.height, 0);
}

}  // namespace
}  // namespace karvo

#include <filesystem>
#include <fstream>

#include "app/ProgramDirectory.h"

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
