#pragma once
// "history.ini": the last project file opened or export written ("historypath"), and the
// projects opened most recently, newest first, for the system menu ("recentprojects").

#include <QSettings>
#include <QStringList>

class ProjectHistory {
public:
    static constexpr int kMaxRecent = 8;

    // path: the settings file, "history.ini" in the folder the program started in.
    explicit ProjectHistory(const QString &path);

    QString historyPath() const;
    void setHistoryPath(const QString &path);
    // The folder of "historypath" when that file exists, otherwise empty.
    QString existingHistoryFolder() const;

    // Recent projects that still exist, newest first.
    QStringList recentProjects() const;
    // Moves path to the front of the recent list (no duplicates, at most kMaxRecent).
    void addRecentProject(const QString &path);

private:
    QSettings settings;
};
