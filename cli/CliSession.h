#pragma once
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "CliPorts.h"
#include "app/MainPresenter.h"
#include "operations/HeadlessProgress.h"

namespace karvo {
class VirtualProgrammer;
}

namespace karvo::cli {

enum ExitStatus { kOk = 0, kFailed = 1, kUsage = 2 };

// The program without windows: the same presenters as the GUI, driven by
// commands instead of clicks.
class CliSession {
  public:
    using Words = std::vector<std::string>;
    using Handler = std::function<int(const Words& args)>;

    // programmer: the virtual one, when the run uses it.
    CliSession(SessionPorts ports, StderrPrompts& prompts, VirtualProgrammer* programmer = nullptr);

    void StartUp() { presenter_.StartUp(); }
    // The exit sequence, after telling BeforeEachCommand the run has ended.
    void Exit();
    // Runs one command line; returns its exit status.
    int Run(const std::string& line);
    // The whole run: start-up, the commands up to the first that fails, the
    // exit sequence. A box raised anywhere, the exit sequence included,
    // fails the run.
    int RunAll(const std::vector<std::string>& commands);

    MainPresenter& Presenter() { return presenter_; }
    StderrPrompts& Prompts() { return prompts_; }
    QueuedUiThread& Ui() { return ui_; }
    VirtualProgrammer* Virtual() { return programmer_; }
    HeadlessProgressFactory& Progress() { return progress_; }

    // maxArgs < 0: no upper bound.
    void Register(const std::string& name, int minArgs, int maxArgs, Handler handler);
    // Told the name of every command line before it runs, and "" before the
    // exit sequence: for state that lasts over a run of one command.
    void BeforeEachCommand(std::function<void(const std::string& name)> hook);

  private:
    struct Entry {
        int minArgs;
        int maxArgs;
        Handler handler;
    };

    QueuedUiThread ui_;
    HeadlessProgressFactory progress_{ui_};
    MainPresenter presenter_;
    StderrPrompts& prompts_;
    VirtualProgrammer* programmer_;
    std::map<std::string, Entry> commands_;
    std::vector<std::function<void(const std::string&)>> beforeEach_;
};

}  // namespace karvo::cli
