#pragma once
#include <functional>
#include <map>

#include <QObject>
#include <QString>

#include "ports/SoundPort.h"

class QSoundEffect;

namespace karvo::ui {

// The three sounds through Qt Multimedia, one player per file, each started
// without waiting for its end. Qt plays "successfully" into nothing when the
// machine has no audio output, so the output is asked for explicitly; a
// missing or unreadable file, or a player that failed to decode its file,
// counts as a device error as well.
class SoundEffects final : public SoundPort {
  public:
    using OutputProbe = std::function<bool()>;

    explicit SoundEffects(OutputProbe outputPresent = DefaultOutputPresent);
    ~SoundEffects() override;
    SoundEffects(const SoundEffects&) = delete;
    SoundEffects& operator=(const SoundEffects&) = delete;

    SoundResult Play(const std::string& fileName) override;

    static bool DefaultOutputPresent();

  private:
    SoundResult PlayHere(const QString& path);

    OutputProbe outputPresent_;
    // Lives on the creating (GUI) thread and owns the players.
    QObject owner_;
    std::map<QString, QSoundEffect*> players_;
    // A player reported a decoding or device failure after it was started.
    bool failed_ = false;
};

}  // namespace karvo::ui
