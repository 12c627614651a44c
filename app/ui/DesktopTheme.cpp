#include "DesktopTheme.h"

#include <QApplication>

#include "CheckIndicatorStyle.h"

namespace {

QPalette lightPalette(const QColor &window, const QColor &accent)
{
    QPalette p(window.lighter(103), window);
    const QColor text(28, 28, 30);
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::AlternateBase, window.lighter(104));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::ToolTipBase, QColor(255, 255, 238));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(120, 120, 124));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(150, 150, 154));
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent.darker(110));
    return p;
}

QPalette darkPalette(const QColor &window, const QColor &accent)
{
    QPalette p(window.lighter(112), window);
    const QColor text(226, 226, 228);
    p.setColor(QPalette::Base, window.darker(135));
    p.setColor(QPalette::AlternateBase, window.darker(115));
    p.setColor(QPalette::Text, text);
    p.setColor(QPalette::WindowText, text);
    p.setColor(QPalette::ButtonText, text);
    p.setColor(QPalette::BrightText, Qt::white);
    p.setColor(QPalette::Light, window.lighter(150));
    p.setColor(QPalette::Midlight, window.lighter(125));
    p.setColor(QPalette::Mid, window.lighter(160));
    p.setColor(QPalette::Dark, window.darker(150));
    p.setColor(QPalette::Shadow, Qt::black);
    p.setColor(QPalette::ToolTipBase, window.darker(120));
    p.setColor(QPalette::ToolTipText, text);
    p.setColor(QPalette::PlaceholderText, QColor(150, 150, 154));
    for (QPalette::ColorRole role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        p.setColor(QPalette::Disabled, role, QColor(120, 120, 124));
    p.setColor(QPalette::Highlight, accent);
    p.setColor(QPalette::HighlightedText, Qt::white);
    p.setColor(QPalette::Link, accent.lighter(130));
    return p;
}

} // namespace

const QList<DesktopTheme> &DesktopTheme::all()
{
    static const QList<DesktopTheme> themes = {
        {"Office2007Blue", "Office 2007", "Blue", QColor(221, 232, 245), QColor(43, 106, 186), false},
        {"Office2007Black", "Office 2007", "Black", QColor(66, 68, 72), QColor(235, 150, 50), true},
        {"Office2007Silver", "Office 2007", "Silver", QColor(231, 233, 237), QColor(92, 112, 145), false},
        {"Office2007Aqua", "Office 2007", "Aqua", QColor(220, 238, 241), QColor(30, 140, 156), false},
        {"Windows7Scenic", "", "Windows 7 Scenic", QColor(236, 241, 248), QColor(58, 126, 196), false},
        {"Office2010Blue", "Office 2010", "Blue", QColor(223, 233, 245), QColor(41, 98, 170), false},
        {"Office2010Silver", "Office 2010", "Silver", QColor(234, 236, 240), QColor(84, 98, 120), false},
        {"Office2010Black", "Office 2010", "Black", QColor(74, 74, 76), QColor(110, 160, 225), true},
        {"Office2013White", "Office 2013", "White", QColor(248, 248, 248), QColor(43, 87, 154), false},
        {"Office2013Gray", "Office 2013", "Light Gray", QColor(236, 236, 236), QColor(43, 87, 154), false},
        {"Office2013Dark", "Office 2013", "Dark Gray", QColor(88, 88, 92), QColor(60, 130, 210), true},
        {"GAEA2014Black", "", "GAEA Black", QColor(45, 45, 48), QColor(230, 120, 40), true},
    };
    return themes;
}

DesktopTheme DesktopTheme::named(const QString &name)
{
    for (const DesktopTheme &theme : all())
        if (theme.name == name)
            return theme;
    return all().first();
}

QPalette DesktopTheme::palette() const
{
    return dark ? darkPalette(window, accent) : lightPalette(window, accent);
}

void DesktopTheme::apply(QApplication &app) const
{
    if (!qobject_cast<CheckIndicatorStyle *>(app.style()))
        app.setStyle(new CheckIndicatorStyle);
    app.setPalette(palette());
}
