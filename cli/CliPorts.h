#pragma once
#include <cstdio>
#include <string>

#include "ports/LogPort.h"
#include "ports/MainViewPort.h"
#include "ports/PromptPort.h"
#include "ports/SoundPort.h"

namespace karvo::cli {

// Every log line goes to standard output as it is appended.
class StdoutLog final : public LogPort {
  public:
    void AppendLine(const std::string& line) override {
        std::fwrite(line.data(), 1, line.size(), stdout);
        std::fputc('\n', stdout);
        std::fflush(stdout);
    }
    void Clear() override {}
};

// Message boxes go to standard error as CAPTION: TEXT. Abort/Retry/Ignore
// boxes are answered as --answer says.
class StderrPrompts final : public PromptPort {
  public:
    // A box answered Retry this many times in a row is answered Abort: a
    // script must not retry for ever against a chip that never matches.
    static constexpr int kMostRetries = 3;

    explicit StderrPrompts(Answer answer = Answer::Abort) : answer_(answer) {}
    void ShowMessage(BoxKind kind, const std::string& caption, const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        if (kind == BoxKind::Error) ++errors_;
    }
    Answer AskAbortRetryIgnore(const std::string& caption, const std::string& text) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
        if (answer_ != Answer::Retry) {
            if (answer_ == Answer::Abort) ++errors_;
            return answer_;
        }
        if (++retries_ <= kMostRetries) return Answer::Retry;
        retries_ = 0;
        ++errors_;
        std::fprintf(stderr, "karvo-cli: still no match after %d retries; answered Abort\n",
                     kMostRetries);
        return Answer::Abort;
    }
    int Errors() const { return errors_; }
    // Each command starts with a full count of retries.
    void NewCommand() { retries_ = 0; }

  private:
    Answer answer_;
    int retries_ = 0;
    int errors_ = 0;
};

// No window: the panel lives in the core's PanelState; the "screen" is large
// enough that no resolution warning appears.
class HeadlessView final : public MainViewPort {
  public:
    void LabelChanged(PanelLabel, const std::string&) override {}
    void ButtonEnabledChanged(ToolButton, bool) override {}
    void FinishingChanged(int) override {}
    ScreenSize Screen() override { return {1920, 1080}; }
    void Place(WindowPlacement) override {}
};

// Scripts run silently.
class SilentSounds final : public SoundPort {
  public:
    SoundResult Play(const std::string&) override { return SoundResult::Started; }
};

}  // namespace karvo::cli
