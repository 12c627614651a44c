#pragma once
// A central page waiting for its content: the view's name and what brings content to it, centred
// in grey on the window's base colour.

#include <QWidget>

class ViewPlaceholder : public QWidget {
    Q_OBJECT
public:
    ViewPlaceholder(const QString &title, const QString &hint, QWidget *parent = nullptr);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QString title;
    QString hint;
};
