#include "RibbonPopup.h"

#include <QPainter>
#include <QVBoxLayout>

RibbonPopup::RibbonPopup(QWidget *parent) : QWidget(parent, Qt::Popup)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(1, 1, 1, 1);
    setAttribute(Qt::WA_WindowPropagation);
    setAutoFillBackground(true);
}

void RibbonPopup::lend(QWidget *lentPiece, const QRect &geometry)
{
    piece = lentPiece;
    layout()->addWidget(piece);
    piece->show();
    setGeometry(geometry);
    show();
}

void RibbonPopup::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

void RibbonPopup::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!piece)
        return;
    layout()->removeWidget(piece);
    QWidget *handedBack = piece;
    piece = nullptr;
    emit returned(handedBack);
}
