// What every family's jobs share: questions to the user while the worker
// waits, and the blank pattern of the stream checks.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "operations/HeadlessProgress.h"
#include "operations/JobStreams.h"
#include "support/RecordingPorts.h"

namespace karvo::test {
namespace {

// A user-interface thread that has gone: whatever is posted is dropped.
struct GoneUiThread final : UiThreadPort {
    void Post(std::function<void()> task) override { task = nullptr; }
};

struct QuestionRig {
    QuestionRig() { rig.presenter.StartUp(); }
    Answer AskFromAWorker(UiThreadPort& port, std::shared_ptr<RunChannel> channel) {
        Answer answer = Answer::Ignore;
        std::thread worker([&] {
            JobContext job(rig.presenter.Session(), port, std::move(channel), 'R');
            answer = job.AskAbortRetryIgnore("CHIP_ID Error", "ID: 30=0x1E ");
        });
        if (&port == &ui) ui.RunUntil([&] { return !rig.prompts.questions.empty(); });
        worker.join();
        return answer;
    }
    Rig rig;
    QueuedUiThread ui;
};

TEST(JobQuestions, AnsweredOnTheUserInterfaceThreadWhileTheWorkerWaits) {
    QuestionRig q;
    q.rig.prompts.answers = {Answer::Retry};
    EXPECT_EQ(q.AskFromAWorker(q.ui, std::make_shared<RunChannel>()), Answer::Retry);
    ASSERT_EQ(q.rig.prompts.questions.size(), 1u);
    EXPECT_EQ(q.rig.prompts.questions[0].caption, "CHIP_ID Error");
    EXPECT_EQ(q.rig.prompts.questions[0].text, "ID: 30=0x1E ");
}

TEST(JobQuestions, AfterAnAbortOrWithTheWindowGoneTheAnswerIsAbort) {
    QuestionRig q;
    q.rig.prompts.answers = {Answer::Ignore};
    auto aborted = std::make_shared<RunChannel>();
    aborted->aborted = true;
    std::atomic<Answer> answer{Answer::Ignore};
    std::thread worker([&] {
        JobContext job(q.rig.presenter.Session(), q.ui, aborted, 'R');
        answer = job.AskAbortRetryIgnore("CHIP_ID Error", "x");
    });
    // The posted question runs, but shows no box.
    while (answer == Answer::Ignore) q.ui.RunPending();
    worker.join();
    EXPECT_EQ(answer.load(), Answer::Abort);
    EXPECT_TRUE(q.rig.prompts.questions.empty());

    GoneUiThread gone;
    EXPECT_EQ(q.AskFromAWorker(gone, std::make_shared<RunChannel>()), Answer::Abort);
}

TEST(JobStreams, BlankPatternsOfBytesAndWords) {
    const BlankPattern bytes = BlankBytes(0xFF, false);
    EXPECT_TRUE(std::all_of(bytes.begin(), bytes.end(), [](std::uint8_t b) { return b == 0xFF; }));
    const BlankPattern words = BlankBytes(0x3F, true);
    EXPECT_EQ(words[0], 0x3F);
    EXPECT_EQ(words[1], 0xFF);
    EXPECT_EQ(words[62], 0x3F);
    EXPECT_EQ(words[63], 0xFF);
}

}  // namespace
}  // namespace karvo::test
