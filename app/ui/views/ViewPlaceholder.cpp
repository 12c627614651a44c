#include "ViewPlaceholder.h"

#include <QPainter>

ViewPlaceholder::ViewPlaceholder(const QString &title, const QString &hint, QWidget *parent)
    : QWidget(parent), title(title), hint(hint)
{
}

void ViewPlaceholder::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Disabled, QPalette::WindowText));
    QFont big = font();
    big.setPointSizeF(font().pointSizeF() * 1.6);
    painter.setFont(big);
    const QRect upper = rect().adjusted(0, 0, 0, -height() / 2);
    painter.drawText(upper, Qt::AlignHCenter | Qt::AlignBottom, title);
    painter.setFont(font());
    const QRect lower = rect().adjusted(0, height() / 2 + 8, 0, 0);
    painter.drawText(lower, Qt::AlignHCenter | Qt::AlignTop, hint);
}
