#pragma once
// One titled group of a ribbon page. Large actions take a column each (32 px icon, label under
// it); small actions, captioned widgets (combo boxes) and plain widgets (check boxes) fill
// columns three rows high, in the order they are added. The title is drawn small and grey, centred
// under the controls, and a thin line separates the group from the next one.

#include <QIcon>
#include <QWidget>

class QAction;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QToolButton;

class RibbonGroup : public QWidget {
    Q_OBJECT
public:
    explicit RibbonGroup(const QString &title, QWidget *parent = nullptr);

    QString title() const;
    // The icon of the group's first button, for the button standing for the group when folded.
    QIcon leadIcon() const;
    QToolButton *addLargeAction(QAction *action);
    QToolButton *addSmallAction(QAction *action);
    // caption to the left of widget, on one small row; captions of a column line up.
    void addCaptionedWidget(const QString &caption, QWidget *widget);
    // widget alone on one small row.
    void addSmallWidget(QWidget *widget);
    // The next small item starts a new column even when the current one has a free row.
    void startColumn();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    // The column with a free row, opened when the last one is full or a large action came last.
    QGridLayout *columnWithFreeRow();
    void updateTitleColour();

    QHBoxLayout *columns;
    QLabel *titleLabel;
    QGridLayout *openColumn = nullptr;
    int usedRows = 0;
};
