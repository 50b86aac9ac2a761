// The time left of a running step: the estimate itself, its wording, the
// lines of karvo-cli --progress, and the estimate over a real paced read.
#include <gtest/gtest.h>

#include <cmath>

#include "catalogue/SelectCommand.h"
#include "operations/HeadlessProgress.h"
#include "operations/TimeLeft.h"
#include "support/CatalogueFixture.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

TEST(TimeLeftEstimate, SaysNothingUntilTheStepHasRunAWhile) {
    TimeLeftEstimate estimate;
    estimate.Start(1000);
    EXPECT_FALSE(estimate.RemainingMs(0));
    estimate.Update(0, 0);
    estimate.Update(100, 1000);
    EXPECT_FALSE(estimate.RemainingMs(1000)) << "1 s is too young";
    estimate.Update(200, 2000);
    ASSERT_TRUE(estimate.RemainingMs(2000));
    EXPECT_EQ(*estimate.RemainingMs(2000), 8000);
    // Between values it counts down, never below zero.
    EXPECT_EQ(*estimate.RemainingMs(5000), 5000);
    EXPECT_EQ(*estimate.RemainingMs(20000), 0);
}

TEST(TimeLeftEstimate, OneSlowStretchDoesNotMakeItJump) {
    TimeLeftEstimate estimate;
    estimate.Start(10000);
    std::int64_t t = 0;
    int value = 0;
    for (; value <= 4000; value += 100, t += 100) estimate.Update(value, t);  // 1 unit/ms
    const std::int64_t before = *estimate.RemainingMs(t - 100);
    // Half a second without a report, then the old pace again.
    t += 500;
    estimate.Update(value, t);
    const std::int64_t after = *estimate.RemainingMs(t);
    EXPECT_NEAR(before, 6000, 100);
    // A raw rate over the last sample would say 2.5 times as long.
    EXPECT_LT(after, before * 13 / 10);
}

TEST(TimeLeftEstimate, AValueGoingBackIsANewStep) {
    TimeLeftEstimate estimate;
    estimate.Start(1000);
    for (int i = 0; i <= 5; ++i) estimate.Update(i * 100, i * 1000);
    ASSERT_TRUE(estimate.RemainingMs(5000));
    estimate.Update(0, 6000);
    EXPECT_FALSE(estimate.RemainingMs(6000));
}

struct Wording {
    std::int64_t ms;
    const char* text;
};
class TimeLeftWording : public ::testing::TestWithParam<Wording> {};
TEST_P(TimeLeftWording, ReadsAsAPersonWouldSayIt) {
    EXPECT_EQ(FormatTimeLeft(GetParam().ms), GetParam().text) << GetParam().ms;
}
INSTANTIATE_TEST_SUITE_P(
    Times, TimeLeftWording,
    ::testing::Values(Wording{0, "About 1 s left"}, Wording{1, "About 1 s left"},
                      Wording{8000, "About 8 s left"}, Wording{8001, "About 9 s left"},
                      Wording{19000, "About 19 s left"}, Wording{21000, "About 25 s left"},
                      Wording{59000, "About 60 s left"}, Wording{61000, "About 1 min 10 s left"},
                      Wording{150000, "About 2 min 30 s left"}, Wording{179000, "About 3 min left"},
                      Wording{599000, "About 10 min left"},
                      Wording{14 * 60000 + 1, "About 15 min left"}),
    [](const ::testing::TestParamInfo<Wording>& row) {
        return std::to_string(row.param.ms) + "ms";
    });

TEST(ProgressLines, ALinePerTenthOfEachStep) {
    std::vector<std::string> lines;
    ProgressLines progress([&lines](const std::string& line) { lines.push_back(line); });
    // Program then Verify of 1000 units, one unit a millisecond, updated in
    // steps of 1% as the jobs do; captions and bars as the jobs set them.
    for (const char* caption : {"Program", "Verify"}) {
        progress.Update(caption, 0, 1000, 0);
        progress.Update(caption, 1000, 1000, 0);
        for (int v = 0; v <= 1000; v += 10) progress.Update(caption, 1000, v, v * 10);
    }
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[0], "Program 10%");
    EXPECT_EQ(lines[1], "Program 20% (about 8 s left)");
    EXPECT_EQ(lines[4], "Program 50% (about 5 s left)");
    EXPECT_EQ(lines[9], "Program 100%");
    EXPECT_EQ(lines[10], "Verify 10%");
    EXPECT_EQ(lines[19], "Verify 100%");
}

TEST(ProgressLines, CaptionsKeepNoTrailingBlank) {
    std::vector<std::string> lines;
    ProgressLines progress([&lines](const std::string& line) { lines.push_back(line); });
    progress.Update("Reading ", 64, 0, 0);
    progress.Update("Reading ", 64, 64, 1);
    EXPECT_EQ(lines, std::vector<std::string>{"Reading 100%"});
}

// A 512 KiB EPROM read from the virtual programmer paced like USB full-speed
// hardware, one report a millisecond, on a clock only the reports move.
TEST(TimeLeftOverARead, WithinAFifthOfTheTruthOverTheSecondHalf) {
    ScratchProgramDir dir;
    DeviceBuilder chip('E', 0x7FFFF, "27C040");
    chip.Algorithm(3).Caps(0xFF, 0x05);
    dir.Write("KARVO_e.usb", {{"AMD", {chip}}});
    VirtualSettings paced;
    paced.paced = true;
    Rig rig(paced);
    QueuedUiThread ui;
    HeadlessProgressFactory windows{ui};
    rig.presenter.AttachOperations(ui, windows);
    rig.presenter.StartUp();
    PickDevice pick(-1, 0, 0);
    rig.presenter.State().settings.DataFileName = "KARVO_e.usb";
    SelectCommand(rig.presenter.Session()).Run(pick);

    struct Sample {
        int value;
        std::int64_t atMs;
        std::optional<std::int64_t> estimate;
    };
    std::vector<Sample> samples;
    TimeLeftEstimate estimate;
    int maximum = -1;
    windows.observer = [&](const HeadlessProgressWindow::State& s, const std::function<void()>&) {
        if (s.maximum != maximum) {
            maximum = s.maximum;
            estimate.Start(maximum);
            samples.clear();
            return;
        }
        if (s.value == 0 && !samples.empty() && samples.back().value == maximum) return;
        estimate.Update(s.value, s.atMs);
        samples.push_back({s.value, s.atMs, estimate.RemainingMs(s.atMs)});
    };
    rig.presenter.RunOperation('R');
    ui.RunPending();
    ASSERT_EQ(rig.log.lines.at(rig.log.lines.size() - 2), " Read Completed");
    ASSERT_EQ(maximum, 0x80000);
    ASSERT_FALSE(samples.empty());
    ASSERT_EQ(samples.back().value, maximum);
    const std::int64_t end = samples.back().atMs;
    EXPECT_GE(end - samples.front().atMs, 8192) << "one report a millisecond";

    int checked = 0;
    for (const Sample& s : samples) {
        if (s.value < maximum / 2 || s.value >= maximum) continue;
        ASSERT_TRUE(s.estimate) << "no estimate at " << s.value;
        const double truth = static_cast<double>(end - s.atMs);
        EXPECT_LE(std::fabs(static_cast<double>(*s.estimate) - truth), 0.2 * truth)
            << "at " << s.value << ": estimated " << *s.estimate << " ms, really " << truth;
        ++checked;
    }
    EXPECT_GE(checked, 45);
}

}  // namespace
}  // namespace karvo::test
