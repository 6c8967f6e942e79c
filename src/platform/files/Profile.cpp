#include "platform/files/Profile.h"

#include <QDir>
#include <QSettings>

QString Profile::DefaultPath() {
    const QByteArray env = qgetenv("QUINTARA_PROFILE");
    if (!env.isEmpty())
        return QString::fromLocal8Bit(env);
    QString base = QString::fromLocal8Bit(qgetenv("XDG_CONFIG_HOME"));
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QLatin1String("/.config");
    return base + QLatin1String("/quintara/quintara.ini");
}

Profile::Profile(const QString& path) : path_(path) {}

Profile::~Profile() = default;

QSettings& Profile::Settings() const {
    // Opened on first use, so that start-up does not wait for the disk.
    if (!settings_)
        settings_ = std::make_unique<QSettings>(path_, QSettings::IniFormat);
    return *settings_;
}

QString Profile::GetString(const QString& section, const QString& key,
                           const QString& fallback) const {
    return Settings().value(section + QLatin1Char('/') + key, fallback).toString();
}

int Profile::GetInt(const QString& section, const QString& key, int fallback) const {
    bool ok = false;
    const int v = Settings().value(section + QLatin1Char('/') + key).toInt(&ok);
    return ok ? v : fallback;
}

void Profile::SetString(const QString& section, const QString& key, const QString& value) {
    Settings().setValue(section + QLatin1Char('/') + key, value);
}

void Profile::SetInt(const QString& section, const QString& key, int value) {
    Settings().setValue(section + QLatin1Char('/') + key, value);
}

void Profile::Remove(const QString& section, const QString& key) {
    Settings().remove(section + QLatin1Char('/') + key);
}

bool Profile::Sync() {
    if (!settings_)
        return true;
    settings_->sync();
    return settings_->status() == QSettings::NoError;
}
