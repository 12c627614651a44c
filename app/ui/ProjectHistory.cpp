#include "ProjectHistory.h"

#include <QFileInfo>

namespace {
const QString kHistoryPath = QStringLiteral("historypath");
const QString kRecent = QStringLiteral("recentprojects");
} // namespace

ProjectHistory::ProjectHistory(const QString &path) : settings(path, QSettings::IniFormat) {}

QString ProjectHistory::historyPath() const
{
    return settings.value(kHistoryPath).toString();
}

void ProjectHistory::setHistoryPath(const QString &path)
{
    settings.setValue(kHistoryPath, path);
    settings.sync();
}

QString ProjectHistory::existingHistoryFolder() const
{
    const QFileInfo file(historyPath());
    return !historyPath().isEmpty() && file.isFile() ? file.absolutePath() : QString();
}

QStringList ProjectHistory::recentProjects() const
{
    QStringList existing;
    for (const QString &path : settings.value(kRecent).toStringList())
        if (QFileInfo(path).isFile())
            existing.append(path);
    return existing;
}

void ProjectHistory::addRecentProject(const QString &path)
{
    QStringList recent = settings.value(kRecent).toStringList();
    const QString absolute = QFileInfo(path).absoluteFilePath();
    recent.removeAll(absolute);
    recent.prepend(absolute);
    settings.setValue(kRecent, QStringList(recent.mid(0, kMaxRecent)));
    settings.sync();
}
