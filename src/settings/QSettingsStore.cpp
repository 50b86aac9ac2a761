#include "settings/QSettingsStore.h"

#include <QFile>
#include <QSettings>

#include "settings/PersistedSettings.h"

namespace karvo {

namespace {
QString KeyGroup() {
#ifdef Q_OS_WIN
    return QString::fromLatin1(settings_keys::kKeyPath);
#else
    return QString::fromLatin1(settings_keys::kKeyPath).replace('\\', '/');
#endif
}

QString Name(const std::string& name) {
    return KeyGroup() + '/' + QString::fromStdString(name);
}
}  // namespace

QSettingsStore::QSettingsStore() {
#ifdef Q_OS_WIN
    settings_ = std::make_unique<QSettings>("HKEY_CURRENT_USER", QSettings::NativeFormat);
#else
    settings_ = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, "Halvern",
                                            "KARVOMk2");
    SetAsideUnreadableFile();
#endif
}

QSettingsStore::QSettingsStore(const std::string& iniFile)
    : settings_(
          std::make_unique<QSettings>(QString::fromStdString(iniFile), QSettings::IniFormat)) {
    SetAsideUnreadableFile();
}

void QSettingsStore::SetAsideUnreadableFile() {
    settings_->allKeys();  // the file is read on first use; its status follows
    if (settings_->status() != QSettings::FormatError) return;
    const QString file = settings_->fileName();
    const QString aside = file + QStringLiteral(".unreadable");
    QFile::remove(aside);
    if (!QFile::rename(file, aside)) return;  // Flush will say what fails
    settings_ = std::make_unique<QSettings>(file, QSettings::IniFormat);
}

QSettingsStore::~QSettingsStore() = default;

bool QSettingsStore::KeyExists() {
    if (createdEmpty_) return true;
    settings_->beginGroup(KeyGroup());
    const bool any = !settings_->childKeys().isEmpty();
    settings_->endGroup();
    return any;
}

bool QSettingsStore::CreateKey() {
    if (!settings_->isWritable()) {
        lastError_ = "Failed to create key " + std::string(settings_keys::kKeyPath);
        return false;
    }
    createdEmpty_ = true;
    return true;
}

bool QSettingsStore::DeleteKey() {
    settings_->remove(KeyGroup());
    createdEmpty_ = false;
    return true;
}

bool QSettingsStore::ValueExists(const std::string& name) {
    return settings_->contains(Name(name));
}

bool QSettingsStore::ReadInt(const std::string& name, std::optional<std::uint32_t>& out) {
    out.reset();
    const QVariant value = settings_->value(Name(name));
    if (!value.isValid()) return true;
    bool ok = false;
    const qulonglong number = value.toString().toULongLong(&ok);
    if (!ok || number > 0xFFFFFFFFull) {
        lastError_ = "Invalid data type for '" + name + "'";
        return false;
    }
    out = static_cast<std::uint32_t>(number);
    return true;
}

bool QSettingsStore::ReadString(const std::string& name, std::optional<std::string>& out) {
    out.reset();
    const QVariant value = settings_->value(Name(name));
    if (!value.isValid()) return true;
    out = value.toString().toStdString();
    return true;
}

bool QSettingsStore::WriteInt(const std::string& name, std::uint32_t value) {
    if (!settings_->isWritable()) {
        lastError_ = "Failed to set data for '" + name + "'";
        return false;
    }
    settings_->setValue(Name(name), static_cast<qulonglong>(value));
    createdEmpty_ = false;
    return true;
}

bool QSettingsStore::WriteString(const std::string& name, const std::string& value) {
    if (!settings_->isWritable()) {
        lastError_ = "Failed to set data for '" + name + "'";
        return false;
    }
    settings_->setValue(Name(name), QString::fromStdString(value));
    createdEmpty_ = false;
    return true;
}

bool QSettingsStore::Flush() {
    settings_->sync();
    if (settings_->status() != QSettings::NoError) {
        lastError_ = "Failed to write settings to " + settings_->fileName().toStdString();
        return false;
    }
    return true;
}

}  // namespace karvo
