#include "app/ui/SoundEffects.h"

#include <QAudioDevice>
#include <QFile>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include "common/ui/GuiThread.h"

namespace karvo::ui {

namespace {
// Checked before a player is made, so that a file the player could never
// decode is reported on this call and not some time later.
bool IsReadableWave(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    const QByteArray header = file.read(12);
    return header.size() == 12 && header.startsWith("RIFF") && header.mid(8, 4) == "WAVE";
}
}  // namespace

SoundEffects::SoundEffects(OutputProbe outputPresent) : outputPresent_(std::move(outputPresent)) {}

SoundEffects::~SoundEffects() = default;

bool SoundEffects::DefaultOutputPresent() {
    return !QMediaDevices::defaultAudioOutput().isNull();
}

SoundResult SoundEffects::Play(const std::string& fileName) {
    // Relative names mean the current directory of the moment, whichever
    // thread asks.
    const QString path = QFileInfo(QString::fromStdString(fileName)).absoluteFilePath();
    SoundResult result = SoundResult::DeviceError;
    RunAndWait(&owner_, [this, &path, &result] { result = PlayHere(path); });
    return result;
}

SoundResult SoundEffects::PlayHere(const QString& path) {
    if (failed_ || !outputPresent_() || !IsReadableWave(path)) return SoundResult::DeviceError;
    QSoundEffect*& player = players_[path];
    if (player == nullptr) {
        player = new QSoundEffect(&owner_);
        QObject::connect(player, &QSoundEffect::statusChanged, &owner_, [this, player] {
            if (player->status() == QSoundEffect::Error) failed_ = true;
        });
        player->setSource(QUrl::fromLocalFile(path));
    }
    if (player->status() == QSoundEffect::Error) return SoundResult::DeviceError;
    // While the file still loads, the player starts as soon as it is ready.
    player->play();
    return SoundResult::Started;
}

}  // namespace karvo::ui
