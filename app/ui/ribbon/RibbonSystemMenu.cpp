#include "RibbonSystemMenu.h"

#include <QAction>
#include <QDir>
#include <QFileInfo>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "RibbonMetrics.h"

namespace {

QToolButton *menuButton(QAction *action, int iconSize)
{
    auto *button = new QToolButton;
    button->setDefaultAction(action);
    button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    button->setIconSize(QSize(iconSize, iconSize));
    button->setAutoRaise(true);
    button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    return button;
}

QFrame *verticalLine()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

RibbonSystemMenu::RibbonSystemMenu(QWidget *parent)
    : QFrame(parent, Qt::Popup), commands(new QVBoxLayout), recentColumn(new QVBoxLayout),
      footer(new QHBoxLayout), recentTitle(new QLabel(tr("最近的工程")))
{
    setObjectName(QStringLiteral("ribbonSystemMenu"));
    setFrameShape(QFrame::StyledPanel);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(6, 6, 6, 6);
    auto *body = new QHBoxLayout;
    commands->setSpacing(1);
    commands->addStretch(1);
    body->addLayout(commands);
    body->addWidget(verticalLine());
    QFont bold = recentTitle->font();
    bold.setBold(true);
    recentTitle->setFont(bold);
    recentColumn->addWidget(recentTitle);
    recentColumn->addStretch(1);
    body->addLayout(recentColumn, 1);
    outer->addLayout(body, 1);
    footer->addStretch(1);
    outer->addLayout(footer);
    setMinimumSize(520, 320);
    rebuildRecentList();
}

void RibbonSystemMenu::addCommand(QAction *action)
{
    QToolButton *button = menuButton(action, RibbonMetrics::kLargeIcon);
    button->setMinimumWidth(150);
    connect(button, &QToolButton::clicked, this, &QWidget::hide);
    commands->insertWidget(commands->count() - 1, button);
}

void RibbonSystemMenu::addSeparator()
{
    auto *line = new QFrame;
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    commands->insertWidget(commands->count() - 1, line);
}

void RibbonSystemMenu::addFooterCommand(QAction *action)
{
    QToolButton *button = menuButton(action, RibbonMetrics::kSmallIcon);
    button->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    connect(button, &QToolButton::clicked, this, &QWidget::hide);
    footer->addWidget(button);
}

void RibbonSystemMenu::setRecentFiles(const QStringList &paths)
{
    recent = paths;
    rebuildRecentList();
}

void RibbonSystemMenu::rebuildRecentList()
{
    while (recentColumn->count() > 2) {
        QLayoutItem *item = recentColumn->takeAt(1);
        delete item->widget();
        delete item;
    }
    if (recent.isEmpty()) {
        auto *none = new QLabel(tr("（没有最近打开的工程）"));
        none->setEnabled(false);
        recentColumn->insertWidget(1, none);
        return;
    }
    for (int i = 0; i < recent.size(); ++i) {
        const QFileInfo file(recent.at(i));
        auto *button = new QPushButton;
        button->setText(QStringLiteral("&%1  %2\n      %3")
                            .arg(i + 1)
                            .arg(file.fileName(), QDir::toNativeSeparators(file.absolutePath())));
        button->setToolTip(QDir::toNativeSeparators(file.absoluteFilePath()));
        button->setFlat(true);
        button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        button->setStyleSheet(QStringLiteral("QPushButton { text-align: left; padding: 4px 8px; }"));
        const QString path = recent.at(i);
        connect(button, &QPushButton::clicked, this, [this, path] {
            hide();
            emit recentFileTriggered(path);
        });
        recentColumn->insertWidget(1 + i, button);
    }
}

void RibbonSystemMenu::popup(const QPoint &globalPos)
{
    adjustSize();
    move(globalPos);
    show();
}
