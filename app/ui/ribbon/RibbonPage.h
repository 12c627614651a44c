#pragma once
// One tab page of the ribbon: its groups side by side, left aligned.

#include <QWidget>

class QHBoxLayout;
class RibbonGroup;

class RibbonPage : public QWidget {
    Q_OBJECT
public:
    explicit RibbonPage(const QString &title, QWidget *parent = nullptr);

    QString title() const { return pageTitle; }
    RibbonGroup *addGroup(const QString &title);
    QList<RibbonGroup *> groups() const;

private:
    QString pageTitle;
    QHBoxLayout *row;
};
