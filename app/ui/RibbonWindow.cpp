#include "RibbonWindow.h"

#include <QActionGroup>
#include <QApplication>
#include <QMenu>
#include <QMessageBox>
#include <QSettings>
#include <QStyle>
#include <QToolButton>

#include "DesktopTheme.h"
#include "RibbonBar.h"
#include "RibbonQuickAccessBar.h"

namespace {

// The font the program started with, before any "Font" size was chosen.
QFont systemFont()
{
    static const QFont font = QApplication::font();
    return font;
}

QFont scaledSystemFont(double factor)
{
    QFont font = systemFont();
    if (font.pointSizeF() > 0)
        font.setPointSizeF(font.pointSizeF() * factor);
    else
        font.setPixelSize(qRound(font.pixelSize() * factor));
    return font;
}

const char *const kScrollBarSheet =
    "QScrollBar:vertical { background: palette(base); width: 11px; margin: 0; }"
    "QScrollBar:horizontal { background: palette(base); height: 11px; margin: 0; }"
    "QScrollBar::handle { background: palette(mid); border-radius: 3px; margin: 2px; }"
    "QScrollBar::handle:hover { background: palette(dark); }"
    "QScrollBar::handle:vertical { min-height: 24px; }"
    "QScrollBar::handle:horizontal { min-width: 24px; }"
    "QScrollBar::add-line, QScrollBar::sub-line { width: 0; height: 0; }"
    "QScrollBar::add-page, QScrollBar::sub-page { background: none; }";

} // namespace

RibbonWindow::RibbonWindow(QWidget *parent)
    : QMainWindow(parent), ribbon(new RibbonBar), optionsMenuWidget(new QMenu(tr("Options"), this)),
      optionsButton(new QToolButton), themeGroup(new QActionGroup(this)),
      fontGroup(new QActionGroup(this))
{
    systemFont();
    setMenuWidget(ribbon);
    buildOptionsMenu();
    auto *aboutButton = new QToolButton;
    auto *aboutAction = new QAction(style()->standardIcon(QStyle::SP_MessageBoxQuestion), tr("About"), this);
    aboutAction->setObjectName(QStringLiteral("actionAbout"));
    connect(aboutAction, &QAction::triggered, this, &RibbonWindow::about);
    aboutButton->setDefaultAction(aboutAction);
    ribbon->addCornerButton(aboutButton);
    connect(ribbon, &RibbonBar::minimizationChanged, this, &RibbonWindow::minimizationChanged);
    connect(ribbon->quickAccessBar(), &RibbonQuickAccessBar::aboutToShowCustomizeMenu, this,
            &RibbonWindow::showQuickAccessCustomizeMenu);
    applyScrollBarSheet();
}

void RibbonWindow::buildOptionsMenu()
{
    optionsButton->setText(tr("Options"));
    optionsButton->setObjectName(QStringLiteral("optionsButton"));
    optionsButton->setArrowType(Qt::NoArrow);
    connect(optionsButton, &QToolButton::clicked, this, &RibbonWindow::optionsDialog);
    ribbon->addCornerButton(optionsButton);
    addThemeActions();
    optionsMenuWidget->addSeparator();
    addToggle(optionsMenuWidget, "actionAnimation", tr("Animation"), true,
              &RibbonWindow::includingAnimation);
    optionsMenuWidget->addSeparator();
    addFontActions(optionsMenuWidget->addMenu(tr("Font")));
    optionsMenuWidget->addSeparator();
    addToggle(optionsMenuWidget, "actionDPIAware", tr("DPI Aware (new)"), true,
              &RibbonWindow::setDPIToggled);
    addToggle(optionsMenuWidget, "actionNativeScrollBars", tr("Native Scroll Bars (new)"), false,
              &RibbonWindow::setNativeScrollBarsToggled);
    addToggle(optionsMenuWidget, "actionNativeDialogs", tr("Native Dialogs"), true,
              &RibbonWindow::setNativeDialogsToggled);
}

void RibbonWindow::addThemeActions()
{
    QMap<QString, QMenu *> families;
    for (const DesktopTheme &theme : DesktopTheme::all()) {
        QMenu *menu = optionsMenuWidget;
        if (!theme.family.isEmpty()) {
            if (!families.contains(theme.family))
                families.insert(theme.family, optionsMenuWidget->addMenu(theme.family));
            menu = families.value(theme.family);
        }
        QAction *action = menu->addAction(theme.label);
        action->setObjectName(theme.name);
        action->setCheckable(true);
        themeGroup->addAction(action);
    }
    themeGroup->actions().first()->setChecked(true);
    connect(themeGroup, &QActionGroup::triggered, this, &RibbonWindow::options);
}

void RibbonWindow::addFontActions(QMenu *menu)
{
    const QList<QPair<QString, QString>> sizes = {{"fontSystemDefault", tr("System Default")},
                                                  {"fontNormal", tr("Normal")},
                                                  {"fontLarge", tr("Large")},
                                                  {"fontExtraLarge", tr("Extra Large")}};
    for (const auto &size : sizes) {
        QAction *action = menu->addAction(size.second);
        action->setObjectName(size.first);
        action->setCheckable(true);
        fontGroup->addAction(action);
    }
    fontGroup->actions().first()->setChecked(true);
    connect(fontGroup, &QActionGroup::triggered, this, &RibbonWindow::optionsFont);
}

QAction *RibbonWindow::addToggle(QMenu *menu, const QString &name, const QString &text, bool on,
                                 void (RibbonWindow::*slot)(bool))
{
    QAction *action = menu->addAction(text);
    action->setObjectName(name);
    action->setCheckable(true);
    action->setChecked(on);
    connect(action, &QAction::toggled, this, slot);
    return action;
}

QString RibbonWindow::currentTheme() const
{
    return themeGroup->checkedAction() ? themeGroup->checkedAction()->objectName()
                                       : DesktopTheme::all().first().name;
}

QAction *RibbonWindow::optionAction(const QString &objectName) const
{
    return optionsMenuWidget->findChild<QAction *>(objectName);
}

QString RibbonWindow::aboutText() const
{
    return tr("<b>%1</b><p>Magnetotelluric data processing.</p>").arg(windowTitle());
}

void RibbonWindow::about()
{
    QMessageBox::about(this, tr("About"), aboutText());
}

void RibbonWindow::options(QAction *action)
{
    DesktopTheme::named(action->objectName()).apply(*qApp);
    applyScrollBarSheet();
}

void RibbonWindow::optionsDialog()
{
    // Right-aligned under the button, so the menu stays over the window at the tab row's end.
    const QPoint corner = optionsButton->mapToGlobal(QPoint(optionsButton->width(), optionsButton->height()));
    optionsMenuWidget->popup(corner - QPoint(optionsMenuWidget->sizeHint().width(), 0));
}

void RibbonWindow::includingAnimation(bool on)
{
    ribbon->setAnimated(on);
}

void RibbonWindow::maximizeToggle()
{
    ribbon->setMinimized(!ribbon->isMinimized());
}

void RibbonWindow::minimizationChanged(bool minimized)
{
    ribbon->minimizeAction()->setChecked(minimized);
}

void RibbonWindow::optionsFont(QAction *action)
{
    const QString name = action->objectName();
    if (name == QLatin1String("fontNormal"))
        QApplication::setFont(scaledSystemFont(1.0));
    else if (name == QLatin1String("fontLarge"))
        QApplication::setFont(scaledSystemFont(1.2));
    else if (name == QLatin1String("fontExtraLarge"))
        QApplication::setFont(scaledSystemFont(1.45));
    else
        QApplication::setFont(systemFont());
}

void RibbonWindow::setDPIToggled(bool on)
{
    QApplication::setAttribute(Qt::AA_UseHighDpiPixmaps, on);
    update();
}

void RibbonWindow::setNativeScrollBarsToggled(bool on)
{
    nativeScrollBars = on;
    applyScrollBarSheet();
}

void RibbonWindow::setNativeDialogsToggled(bool on)
{
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs, !on);
}

void RibbonWindow::applyScrollBarSheet()
{
    setStyleSheet(nativeScrollBars ? QString() : QString::fromLatin1(kScrollBarSheet));
}

void RibbonWindow::showQuickAccessCustomizeMenu(QMenu *menu)
{
    menu->clear();
    menu->addSection(tr("Customize Quick Access Toolbar"));
    for (QAction *toggle : ribbon->quickAccessBar()->visibilityToggles())
        menu->addAction(toggle);
    menu->addSeparator();
    QAction *move = menu->addAction(ribbon->isQuickAccessBelow() ? tr("Show Above the Ribbon")
                                                                 : tr("Show Below the Ribbon"));
    move->setObjectName(QStringLiteral("actionSwitchQuickAccessPosition"));
    connect(move, &QAction::triggered, this, &RibbonWindow::switchQuickAccessBarPosition);
}

void RibbonWindow::switchQuickAccessBarPosition()
{
    ribbon->setQuickAccessBelow(!ribbon->isQuickAccessBelow());
}

void RibbonWindow::restoreFrameState()
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("frame"));
    for (const QString &key : {QStringLiteral("theme"), QStringLiteral("font")}) {
        QAction *chosen = optionAction(settings.value(key).toString());
        if (chosen && !chosen->isChecked())
            chosen->trigger();
    }
    for (QAction *toggle : {optionAction("actionAnimation"), optionAction("actionDPIAware"),
                            optionAction("actionNativeScrollBars"), optionAction("actionNativeDialogs")})
        toggle->setChecked(settings.value(toggle->objectName(), toggle->isChecked()).toBool());
    ribbon->setMinimized(settings.value(QStringLiteral("ribbonMinimized"), false).toBool());
    ribbon->setQuickAccessBelow(settings.value(QStringLiteral("quickAccessBelow"), false).toBool());
    restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("state")).toByteArray());
    settings.endGroup();
}

void RibbonWindow::saveFrameState() const
{
    QSettings settings;
    settings.beginGroup(QStringLiteral("frame"));
    settings.setValue(QStringLiteral("theme"), currentTheme());
    settings.setValue(QStringLiteral("font"), fontGroup->checkedAction()->objectName());
    for (QAction *toggle : {optionAction("actionAnimation"), optionAction("actionDPIAware"),
                            optionAction("actionNativeScrollBars"), optionAction("actionNativeDialogs")})
        settings.setValue(toggle->objectName(), toggle->isChecked());
    settings.setValue(QStringLiteral("ribbonMinimized"), ribbon->isMinimized());
    settings.setValue(QStringLiteral("quickAccessBelow"), ribbon->isQuickAccessBelow());
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("state"), saveState());
    settings.endGroup();
}
