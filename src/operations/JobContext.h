#pragma once
#include <atomic>
#include <memory>
#include <string>

#include "operations/JobProtocol.h"
#include "operations/ProgressWindowPort.h"
#include "ports/LogPort.h"
#include "ports/UiThreadPort.h"
#include "session/Session.h"

namespace karvo {

// Shared by the engine and its worker for one operation, touched on the
// user-interface thread only. The window pointer goes null when the window is
// released, so a late update from a worker winding down after an Abort never
// reaches it; its progress goes to the main window's finishing indicator.
struct RunChannel {
    ProgressWindowPort* window = nullptr;
    bool aborted = false;
    int percent = 0;  // how far the bar is
};

// Everything a family job uses, on the worker thread. Screen effects are
// posted to the user-interface thread in the order they are made; the link
// helpers notice a programmer that stopped answering.
class JobContext final : private LogPort {
  public:
    // into: where the job's reads go instead of the session's buffer (a
    // scratch copy of it); the caller keeps it alive until the job ends.
    JobContext(Session& session, UiThreadPort& ui, std::shared_ptr<RunChannel> channel, char opCode,
               MemoryBuffer* into = nullptr);

    THid& link;
    MemoryBuffer& buffer;
    const DeviceRecord& device;
    OptionFlags& options;
    std::atomic<bool>& RunFlag;
    std::atomic<std::uint8_t>& ErrorCount;
    Clock& clock;
    char OpCode;
    char AreaCode = 'P';
    // This job's walking position in the buffer. It is the job's own: nothing
    // the user-interface thread does (a refused command, a fill) may move it
    // while the worker is still writing a chip.
    std::uint32_t Cursor = 0;

    JobReporter& Reporter() { return reporter_; }
    // Code 11 at Cursor with the chip's byte; code 12.
    void ReportCompareError(std::uint8_t chipByte) {
        reporter_.ReportError(11, chipByte, device, buffer, Cursor);
    }
    void ReportNotBlank() { reporter_.ReportError(12, 0, device, buffer, Cursor); }
    bool Running() const { return RunFlag && ErrorCount == 0; }

    void Log(const std::string& line);
    void Caption(const std::string& caption);
    void ProgressMax(int maximum);
    void ProgressValue(int value);
    void ProgressAdd(int amount);
    void UpdateChecksum();
    void CloseProgress();
    void ApplyButtonCaps();

    // Link use with failure detection. A failed or timed-out transfer is
    // reported once (" No answer from the programmer", ErrorCount raised):
    // a job must never take silence for data.
    void SendText(const std::string& text);
    void SendBlock(const std::uint8_t* payload64);
    std::string ReceiveText4(int timeoutMs = THid::kReadTimeoutMs);
    bool ReceivePayload(std::uint8_t* payload64);
    bool LinkLost() const { return linkLost_; }
    // The acceptance reply did not come: says so and raises ErrorCount.
    void ReportRefused(const std::string& command, const std::string& reply);

    // An Abort/Retry/Ignore box, shown on the user-interface thread while the
    // worker waits for the answer. After an Abort of the operation, or when
    // the box can no longer be shown, the answer is Abort.
    Answer AskAbortRetryIgnore(const std::string& caption, const std::string& text);

  private:
    void AppendLine(const std::string& line) override { Log(line); }
    void Clear() override {}
    bool CheckLink();
    void PostWindow(std::function<void(ProgressWindowPort&)> update);

    Session& session_;
    UiThreadPort& ui_;
    std::shared_ptr<RunChannel> channel_;
    JobReporter reporter_;
    std::uint64_t failuresAtStart_;
    bool linkLost_ = false;
    int maximum_ = 0;
    int value_ = 0;
    int shownPercent_ = -1;
};

// Elapsed time as the log shows it: " hh:nn:ss.zzz".
std::string FormatElapsed(std::int64_t ms);

}  // namespace karvo
