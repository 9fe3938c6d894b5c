// The recent-file list in the per-user settings file.
#include "CRecentFiles.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace
{
const char kGroup[] = "RecentFiles";
}

CRecentFiles::CRecentFiles(const QString& settingsFile)
    : m_settingsFile(settingsFile.isEmpty() ? DefaultSettingsFile() : settingsFile)
{
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    for (int i = 1; i <= kMaxFiles; ++i) {
        const QString path = settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_files.contains(path))
            m_files.append(path);
    }
}

QString CRecentFiles::DefaultSettingsFile()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || !QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/zentavo/zentavo.conf");
}

void CRecentFiles::Add(const QString& path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    m_files.removeAll(absolute);
    m_files.prepend(absolute);
    while (m_files.size() > kMaxFiles)
        m_files.removeLast();
    Save();
}

void CRecentFiles::Remove(const QString& path)
{
    if (m_files.removeAll(QFileInfo(path).absoluteFilePath()) > 0)
        Save();
}

void CRecentFiles::Save() const
{
    QSettings settings(m_settingsFile, QSettings::IniFormat);
    settings.beginGroup(kGroup);
    settings.remove(QString());
    for (int i = 0; i < m_files.size(); ++i)
        settings.setValue(QStringLiteral("File%1").arg(i + 1), m_files[i]);
}

QString CRecentFiles::MenuText(int index, const QString& path)
{
    QString shown = path;
    const QString home = QDir::homePath();
    if (!home.isEmpty() && home != QStringLiteral("/") && shown.startsWith(home + QLatin1Char('/')))
        shown = QStringLiteral("~") + shown.mid(home.size());
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}
