#include "operations/OperationEngine.h"

#include <chrono>

#include "operations/FamilyJobs.h"

namespace karvo {

OperationEngine::OperationEngine(Session& session, UiThreadPort& ui, ProgressWindowFactory& windows)
    : session_(session), ui_(ui), windows_(windows) {}

OperationEngine::~OperationEngine() {
    WaitForWorker();
}

const char* OperationEngine::Caption(char opCode) {
    switch (opCode) {
        case 'R':
            return "Read";
        case 'B':
            return "Blank Check";
        case 'P':
            return "Program";
        case 'V':
            return "Verify";
        case 'E':
            return "Erase";
        default:
            return "";
    }
}

bool OperationEngine::WaitDone(int ms) {
    std::unique_lock lock(mutex_);
    return doneChanged_.wait_for(lock, std::chrono::milliseconds(ms),
                                 [this] { return workerDone_; });
}

void OperationEngine::JoinIfDone() {
    if (worker_.joinable() && WaitDone(0)) worker_.join();
}

bool OperationEngine::Busy() {
    JoinIfDone();
    return worker_.joinable();
}

void OperationEngine::WaitForWorker() {
    if (worker_.joinable()) worker_.join();
}

void OperationEngine::Run(char opCode, std::shared_ptr<MemoryBuffer> into) {
    Clock& clock = session_.Time();
    const std::int64_t start = clock.NowMs();
    if (!session_.ProgrammerConnected() || !session_.DeviceFilesPresent()) return;
    // A refused command changes nothing at all: an aborted Program may still
    // be writing the chip from the buffer.
    if (Busy()) {
        session_.LogLine(
            " The programmer is still finishing the aborted operation; try again shortly");
        return;
    }
    session_.Buffer().Cursor = 0;
    if (!into) verifyFailed_ = false;
    session_.SetAllButtonsEnabled(false);
    channel_ = std::make_shared<RunChannel>();
    window_ = windows_.Create([this] { Abort(); });
    channel_->window = window_.get();
    session_.LogLine("");
    window_->SetCaption(Caption(opCode));
    session_.State().RunFlag = true;
    {
        std::lock_guard lock(mutex_);
        workerDone_ = false;
    }
    worker_ = std::thread([this, channel = channel_, opCode, into = std::move(into)] {
        Dispatch(channel, opCode, into);
    });

    window_->RunModal();

    channel_->window = nullptr;
    window_.reset();
    if (channel_->aborted) {
        // The operation ended when the user aborted it; the worker finishes
        // the chip or the stream in the background while the main window
        // shows how far it is. Its end gives the buttons back (WorkerEnded).
        session_.LogLine(FormatElapsed(clock.NowMs() - start));
        return;
    }
    // The worker closed the window as its last step with the buffer; it
    // only gives the link back after that.
    WaitForWorker();
    session_.LogLine(FormatElapsed(clock.NowMs() - start));
    if ((opCode == 'V' || opCode == 'P') && session_.State().RunFlag &&
        session_.State().ErrorCount != 0) {
        verifyFailed_ = true;
    }
    if (session_.State().RunFlag) {
        if (session_.State().ErrorCount != 0) {
            session_.PlayError();
        } else {
            session_.PlayChimes();
        }
    }
    session_.UpdateChecksum();
}

void OperationEngine::Abort() {
    if (!channel_ || channel_->aborted || channel_->window == nullptr) return;
    channel_->aborted = true;
    session_.State().RunFlag = false;
    session_.LogLine(" Process Aborted");
    session_.PlayError();
    // Every button stays off until the worker has let go of the link.
    session_.ShowFinishing(channel_->percent);
    channel_->window->Close();
}

void OperationEngine::WorkerEnded(const std::shared_ptr<RunChannel>& channel) {
    JoinIfDone();
    if (!channel->aborted) return;
    session_.ShowFinishing(-1);
    session_.ApplyButtonCaps();
    // What an aborted Read stored is in the buffer now.
    session_.UpdateChecksum();
}

void OperationEngine::Dispatch(std::shared_ptr<RunChannel> channel, char opCode,
                               const std::shared_ptr<MemoryBuffer>& into) {
    {
        session_.Link().WatchRunFlag(&session_.State().RunFlag);
        JobContext job(session_, ui_, channel, opCode, into.get());
        switch (session_.Device().Family()) {
            case Family::Eprom:
                RunFamilyE(job);
                break;
            case Family::Pic:
                RunFamilyC(job);
                break;
            case Family::Micro:
                if (CheckSignatureM(job)) {
                    RunFamilyM(job);
                } else {
                    job.ErrorCount = 1;
                }
                break;
            default:
                // No job for this family in this version: say so and end at
                // once, rather than chime for work that was never done.
                job.ErrorCount = 1;
                job.Log(" " + std::string(Caption(opCode)) + " is not available yet for " +
                        session_.Device().DevName());
                job.CloseProgress();
                break;
        }
        if (job.ErrorCount != 0) job.CloseProgress();
        job.ApplyButtonCaps();
        session_.Link().WatchRunFlag(nullptr);
    }
    {
        std::lock_guard lock(mutex_);
        workerDone_ = true;
        doneChanged_.notify_all();
    }
    // Last of all, so the user-interface thread finds the worker done.
    ui_.Post([this, channel = std::move(channel), alive = std::weak_ptr<bool>(alive_)] {
        if (alive.lock()) WorkerEnded(channel);
    });
}

}  // namespace karvo
