#pragma once
#include <QObject>

// The project tree of the hub over a synthetic project: order, items and the Use write-back.
class TestTree : public QObject {
    Q_OBJECT
private slots:
    void treeShowsLinesStationsInOrderAndRecordings();
    void checkChangesWriteUseBelowTheItemOnly_data();
    void checkChangesWriteUseBelowTheItemOnly();
    void itemFlagsFollowTheLevel_data();
    void itemFlagsFollowTheLevel();
    void onlyColumnZeroCarriesACheckBox();
};
