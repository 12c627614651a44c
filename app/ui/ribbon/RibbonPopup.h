#pragma once
// A drop-down that lends itself a piece of the ribbon while it is open: the folded band of a
// minimised ribbon, or a group folded away on a narrow window. The piece moves into the popup
// when it opens and is handed back through `returned` when the popup closes (a click outside,
// Escape), so that its owner puts it back where it belongs.

#include <QWidget>

class RibbonPopup : public QWidget {
    Q_OBJECT
public:
    explicit RibbonPopup(QWidget *parent);

    // Moves piece into the popup and opens it over geometry (global coordinates).
    void lend(QWidget *piece, const QRect &geometry);

signals:
    void returned(QWidget *piece);

protected:
    void paintEvent(QPaintEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    QWidget *piece = nullptr;
};
