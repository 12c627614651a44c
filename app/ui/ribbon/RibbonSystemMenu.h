#pragma once
// The menu the system button drops down: the file commands as large entries on the left, the
// recently opened projects on the right (numbered, the folder shown under the name) and, along
// the bottom, the Options and Exit buttons.

#include <QFrame>

class QAction;
class QLabel;
class QVBoxLayout;
class QHBoxLayout;

class RibbonSystemMenu : public QFrame {
    Q_OBJECT
public:
    explicit RibbonSystemMenu(QWidget *parent = nullptr);

    void addCommand(QAction *action);
    void addSeparator();
    // A button of the bottom row (Options, Exit).
    void addFooterCommand(QAction *action);
    void setRecentFiles(const QStringList &paths);
    QStringList recentFiles() const { return recent; }
    // Shows the menu with its top-left corner at globalPos.
    void popup(const QPoint &globalPos);

signals:
    void recentFileTriggered(const QString &path);

private:
    void rebuildRecentList();

    QVBoxLayout *commands;
    QVBoxLayout *recentColumn;
    QHBoxLayout *footer;
    QLabel *recentTitle;
    QStringList recent;
};
