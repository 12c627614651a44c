#pragma once
// One tab page of the ribbon: its groups side by side, left aligned. On a window too narrow for
// all of them, groups fold from the right into one large button each (the group's title under
// its first icon); clicking it drops the group down below the button with every control working.

#include <QList>
#include <QWidget>

class QHBoxLayout;
class QToolButton;
class RibbonGroup;
class RibbonPopup;

class RibbonPage : public QWidget {
    Q_OBJECT
public:
    explicit RibbonPage(const QString &title, QWidget *parent = nullptr);

    QString title() const { return pageTitle; }
    RibbonGroup *addGroup(const QString &title);
    QList<RibbonGroup *> groups() const;
    // The button standing for group while it is folded (hidden while it is not).
    QToolButton *foldedButton(const RibbonGroup *group) const;
    bool isFolded(const RibbonGroup *group) const;

    // Wide enough for every group folded.
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    struct Slot {
        RibbonGroup *group;
        QToolButton *folded;
        bool isFolded = false;
    };
    // Folds groups from the right until the rest fit into width, unfolds those that fit again.
    void fitGroups(int width);
    void dropDown(const Slot &slot);
    void takeBack(QWidget *group);
    int indexOf(const RibbonGroup *group) const;

    QString pageTitle;
    QHBoxLayout *row;
    QList<Slot> slots_;
    RibbonPopup *popup;
};
