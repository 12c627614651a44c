#pragma once
// The Fusion style with check boxes that stay visible on dark palettes: Fusion frames a check box in
// a shade of the window colour and fills it with the base colour, which on a dark theme leaves an
// unchecked box all but invisible on the ribbon and in the project tree. On a dark palette the box
// gets a frame of a grey between the window and its text.

#include <QProxyStyle>

class CheckIndicatorStyle : public QProxyStyle {
    Q_OBJECT
public:
    CheckIndicatorStyle();
    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget = nullptr) const override;
};
