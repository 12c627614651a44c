#pragma once
// How the project tree shows its items: the hub's values with what they are ("测线 1",
// "测点 12.5", "2400 Hz") and a small icon per level, leaving the model's data as it is.

#include <QIcon>
#include <QStyledItemDelegate>

class ProjectTreeDelegate : public QStyledItemDelegate {
    Q_OBJECT
public:
    explicit ProjectTreeDelegate(QObject *parent = nullptr);

    // The text shown for a value at depth 0 (line), 1 (station) or 2 (recording).
    static QString label(int depth, const QVariant &value);

protected:
    void initStyleOption(QStyleOptionViewItem *option, const QModelIndex &index) const override;

private:
    QIcon icons[3];
};
