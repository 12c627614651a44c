#pragma once
// The system button left of the page tabs: an accent-coloured tab with the program logo and its
// text, which drops down the system menu.

#include <QToolButton>

class RibbonSystemButton : public QToolButton {
    Q_OBJECT
public:
    explicit RibbonSystemButton(QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
};
