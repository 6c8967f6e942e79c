#pragma once
// The application's profile: quintara.ini in $XDG_CONFIG_HOME/quintara/
// (QSettings INI format), or the file named by QUINTARA_PROFILE.

#include <QString>
#include <QVariant>
#include <memory>

class QSettings;

class Profile {
public:
    // The profile file the program uses (environment and defaults applied).
    static QString DefaultPath();

    explicit Profile(const QString& path = DefaultPath());
    ~Profile();
    Profile(const Profile&) = delete;
    Profile& operator=(const Profile&) = delete;

    const QString& Path() const { return path_; }
    QString GetString(const QString& section, const QString& key,
                      const QString& fallback = QString()) const;
    int GetInt(const QString& section, const QString& key, int fallback) const;
    void SetString(const QString& section, const QString& key, const QString& value);
    void SetInt(const QString& section, const QString& key, int value);
    void Remove(const QString& section, const QString& key);
    // Writes pending changes to disk; false when the file could not be written.
    bool Sync();

private:
    QSettings& Settings() const;

    QString path_;
    mutable std::unique_ptr<QSettings> settings_;
};
