#pragma once
#include <condition_variable>
#include <memory>
#include <mutex>
#include <thread>

#include "operations/JobContext.h"
#include "operations/ProgressWindowPort.h"
#include "ports/UiThreadPort.h"
#include "session/Session.h"

namespace karvo {

// Starts Blank, Read, Program, Verify and Erase: one worker thread runs the
// family's job while the modal progress window offers Abort. Only one worker
// may hold the link at a time, also after an Abort while the old one is still
// winding down.
class OperationEngine final : public LinkGuard {
  public:
    OperationEngine(Session& session, UiThreadPort& ui, ProgressWindowFactory& windows);
    ~OperationEngine() override;
    OperationEngine(const OperationEngine&) = delete;
    OperationEngine& operator=(const OperationEngine&) = delete;

    // The five operation buttons: 'B', 'R', 'P', 'V' or 'E'. With `into`,
    // the job reads into that buffer instead of the user's; the engine keeps
    // it alive until the worker has ended, Abort or not.
    void Run(char opCode, std::shared_ptr<MemoryBuffer> into = nullptr);
    // The progress window's Abort button.
    void Abort();

    // True while a worker (perhaps an aborted one) still uses the link.
    bool Busy() override;
    // Waits for a worker still winding down (used at exit).
    void WaitForWorker();

    static const char* Caption(char opCode);

    // The last operation was a Verify (or a Program's verify) that ended
    // with an error, not aborted: the chip's differences are worth listing.
    // A read into a scratch buffer leaves this as it is; any other
    // operation, and ForgetVerify (another device), clear it.
    bool VerifyFailed() const { return verifyFailed_; }
    void ForgetVerify() { verifyFailed_ = false; }

  private:
    void Dispatch(std::shared_ptr<RunChannel> channel, char opCode,
                  const std::shared_ptr<MemoryBuffer>& into);
    // On the user-interface thread once the worker has ended.
    void WorkerEnded(const std::shared_ptr<RunChannel>& channel);
    void JoinIfDone();
    bool WaitDone(int ms);

    Session& session_;
    UiThreadPort& ui_;
    ProgressWindowFactory& windows_;
    std::unique_ptr<ProgressWindowPort> window_;
    std::shared_ptr<RunChannel> channel_;
    std::thread worker_;
    std::mutex mutex_;
    std::condition_variable doneChanged_;
    bool workerDone_ = true;
    bool verifyFailed_ = false;
    // Lets a worker's last post find out whether the engine still exists.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace karvo
