// The list of the four most recently opened or saved documents, kept in the per-user settings
// file $XDG_CONFIG_HOME/zentavo/zentavo.conf (never in the vocabulary file).
#pragma once

#include <QString>
#include <QStringList>

class CRecentFiles
{
public:
    static constexpr int kMaxFiles = 4;

    /// Reads the list from `settingsFile` (DefaultSettingsFile() when empty).
    explicit CRecentFiles(const QString& settingsFile = QString());

    /// $XDG_CONFIG_HOME/zentavo/zentavo.conf, ~/.config/zentavo/zentavo.conf when unset.
    static QString DefaultSettingsFile();

    /// Puts the file first (an absolute path), dropping an older entry of it and the fifth.
    void Add(const QString& path);
    /// Drops the file (its open failed).
    void Remove(const QString& path);
    /// Most recent first.
    const QStringList& Files() const { return m_files; }

    /// The menu text of entry `index` (from 0): "&1 path", the home folder shown as "~".
    static QString MenuText(int index, const QString& path);

private:
    void Save() const;

    QString m_settingsFile;
    QStringList m_files;
};
