#include "RibbonSystemButton.h"

#include <QPainter>
#include <QPainterPath>

RibbonSystemButton::RibbonSystemButton(QWidget *parent) : QToolButton(parent)
{
    setObjectName(QStringLiteral("ribbonSystemButton"));
    setIconSize(QSize(16, 16));
    setCursor(Qt::PointingHandCursor);
}

QSize RibbonSystemButton::sizeHint() const
{
    const QFontMetrics fm = fontMetrics();
    const int textWidth = fm.horizontalAdvance(QString(text()).remove(QLatin1Char('&')));
    return QSize(textWidth + iconSize().width() + 26, fm.height() + 10);
}

void RibbonSystemButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QColor accent = palette().color(QPalette::Highlight);
    if (underMouse() || isDown())
        accent = accent.lighter(115);
    QPainterPath tab;
    tab.addRoundedRect(QRectF(rect()).adjusted(0.5, 1.5, -0.5, 3), 3, 3);
    QLinearGradient fill(0, 0, 0, height());
    fill.setColorAt(0, accent.lighter(118));
    fill.setColorAt(1, accent);
    painter.fillPath(tab, fill);
    const QRect iconRect(8, (height() - iconSize().height()) / 2, iconSize().width(),
                         iconSize().height());
    icon().paint(&painter, iconRect);
    painter.setPen(palette().color(QPalette::HighlightedText));
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    const QRect textRect = rect().adjusted(iconRect.right() + 4, 0, -6, 0);
    painter.drawText(textRect, Qt::AlignCenter | Qt::TextShowMnemonic, text());
}
