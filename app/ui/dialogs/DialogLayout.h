#pragma once
// Small builders shared by the parameter dialogs, so that their forms look alike: named edits and
// buttons (the names the dialogs' auto-connected slots and the tests find them by), labels that
// take the keyboard focus to their field, and the right-aligned row of dialog buttons.

#include <QList>
#include <QString>

class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QWidget;

namespace DialogLayout {

QLineEdit *namedEdit(const QString &objectName, QWidget *parent);
QPushButton *namedButton(const QString &text, const QString &objectName, QWidget *parent);
// A label whose buddy is field.
QLabel *label(const QString &text, QWidget *field);
// The buttons right-aligned, in order.
QHBoxLayout *buttonRow(const QList<QPushButton *> &buttons);

} // namespace DialogLayout
