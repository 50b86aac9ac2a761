#include "operations/JobContext.h"

#include <future>

#include <fmt/format.h>

namespace karvo {

JobContext::JobContext(Session& session, UiThreadPort& ui, std::shared_ptr<RunChannel> channel,
                       char opCode, MemoryBuffer* into)
    : link(session.Link()),
      buffer(into != nullptr ? *into : session.Buffer()),
      device(session.Device()),
      options(session.Options()),
      RunFlag(session.State().RunFlag),
      ErrorCount(session.State().ErrorCount),
      clock(session.Time()),
      OpCode(opCode),
      session_(session),
      ui_(ui),
      channel_(std::move(channel)),
      reporter_(*this, session.State().RunFlag, session.State().ErrorCount),
      failuresAtStart_(session.Link().FailedTransfers()) {}

void JobContext::Log(const std::string& line) {
    Session* session = &session_;
    ui_.Post([session, line] { session->LogLine(line); });
}

void JobContext::PostWindow(std::function<void(ProgressWindowPort&)> update) {
    std::shared_ptr<RunChannel> channel = channel_;
    ui_.Post([channel, update = std::move(update)] {
        if (channel->window != nullptr) update(*channel->window);
    });
}

void JobContext::Caption(const std::string& caption) {
    PostWindow([caption](ProgressWindowPort& w) { w.SetCaption(caption); });
}

void JobContext::ProgressMax(int maximum) {
    maximum_ = maximum;
    shownPercent_ = -1;
    PostWindow([maximum](ProgressWindowPort& w) { w.SetMaximum(maximum); });
    ProgressValue(0);
}

void JobContext::ProgressValue(int value) {
    value_ = value;
    // One window update per visible step of the bar, not one per report.
    const int percent =
        maximum_ > 0
            ? static_cast<int>(std::min<std::int64_t>(100, std::int64_t{value} * 100 / maximum_))
            : 0;
    if (percent == shownPercent_) return;
    shownPercent_ = percent;
    Session* session = &session_;
    const std::int64_t atMs = clock.NowMs();
    ui_.Post([channel = channel_, session, value, percent, atMs] {
        channel->percent = percent;
        if (channel->window != nullptr) {
            channel->window->SetValueAt(value, atMs);
        } else if (channel->aborted) {
            session->ShowFinishing(percent);
        }
    });
}

void JobContext::ProgressAdd(int amount) {
    ProgressValue(value_ + amount);
}

void JobContext::UpdateChecksum() {
    Session* session = &session_;
    ui_.Post([session] { session->UpdateChecksum(); });
}

void JobContext::CloseProgress() {
    PostWindow([](ProgressWindowPort& w) { w.Close(); });
}

void JobContext::ApplyButtonCaps() {
    Session* session = &session_;
    std::shared_ptr<RunChannel> channel = channel_;
    // After an Abort the buttons were given back already, and the user may
    // have moved on; a late worker leaves them alone.
    ui_.Post([session, channel] {
        if (!channel->aborted) session->ApplyButtonCaps();
    });
}

bool JobContext::CheckLink() {
    if (link.FailedTransfers() == failuresAtStart_) return true;
    if (!linkLost_) {
        linkLost_ = true;
        ErrorCount = 1;
        // After an Abort a cut-short read is expected, not news.
        if (RunFlag) Log(" No answer from the programmer: check the USB cable, then Reconnect");
    }
    return false;
}

void JobContext::SendText(const std::string& text) {
    link.SendText(text);
    CheckLink();
}

void JobContext::SendBlock(const std::uint8_t* payload64) {
    link.SendPayload(payload64);
    CheckLink();
}

std::string JobContext::ReceiveText4(int timeoutMs) {
    std::string text = link.ReceiveText4(timeoutMs);
    CheckLink();
    return text;
}

bool JobContext::ReceivePayload(std::uint8_t* payload64) {
    link.ReceivePayload(payload64);
    return CheckLink();
}

void JobContext::ReportRefused(const std::string& command, const std::string& reply) {
    if (linkLost_) return;  // already said
    ErrorCount = 1;
    if (!RunFlag) return;
    std::string shown;
    for (char c : reply.substr(0, 2)) shown += (c >= 0x20 && c < 0x7F) ? c : '.';
    Log(" Programmer refused the command \"" + command + "\" (answer \"" + shown + "\")");
}

namespace {
// The answer to one question, given exactly once: by the user, or Abort when
// the question is dropped unasked (its window gone), so the worker never
// waits for ever.
class PendingAnswer {
  public:
    explicit PendingAnswer(std::promise<Answer> promise) : promise_(std::move(promise)) {}
    ~PendingAnswer() {
        if (!given_) promise_.set_value(Answer::Abort);
    }
    PendingAnswer(const PendingAnswer&) = delete;
    PendingAnswer& operator=(const PendingAnswer&) = delete;
    void Give(Answer answer) {
        given_ = true;
        promise_.set_value(answer);
    }

  private:
    std::promise<Answer> promise_;
    bool given_ = false;
};
}  // namespace

Answer JobContext::AskAbortRetryIgnore(const std::string& caption, const std::string& text) {
    std::promise<Answer> promise;
    std::future<Answer> answer = promise.get_future();
    auto pending = std::make_shared<PendingAnswer>(std::move(promise));
    Session* session = &session_;
    ui_.Post([pending, session, channel = channel_, caption, text] {
        // After an Abort nobody is waiting for the box any more.
        pending->Give(channel->aborted
                          ? Answer::Abort
                          : session->Ports().prompts.AskAbortRetryIgnore(caption, text));
    });
    pending.reset();
    return answer.get();
}

std::string FormatElapsed(std::int64_t ms) {
    if (ms < 0) ms = 0;
    return fmt::format(" {:02}:{:02}:{:02}.{:03}", ms / 3600000, ms / 60000 % 60, ms / 1000 % 60,
                       ms % 1000);
}

}  // namespace karvo
