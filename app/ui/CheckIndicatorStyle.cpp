#include "CheckIndicatorStyle.h"

#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

CheckIndicatorStyle::CheckIndicatorStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion")))
{
}

void CheckIndicatorStyle::drawPrimitive(PrimitiveElement element, const QStyleOption *option,
                                        QPainter *painter, const QWidget *widget) const
{
    QProxyStyle::drawPrimitive(element, option, painter, widget);
    // Item views draw their check boxes through this element too.
    if (element != PE_IndicatorCheckBox || option->palette.color(QPalette::Window).lightness() >= 128)
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->translate(0.5, 0.5);  // on Fusion's own frame
    painter->setBrush(Qt::NoBrush);
    const QColor window = option->palette.color(QPalette::Window);
    const QColor text = option->palette.color(QPalette::WindowText);
    const auto between = [](int a, int b) { return a + (b - a) * 45 / 100; };
    painter->setPen(QColor(between(window.red(), text.red()), between(window.green(), text.green()),
                           between(window.blue(), text.blue())));
    painter->drawRect(option->rect.adjusted(0, 0, -1, -1));
    painter->restore();
}
