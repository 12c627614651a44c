#pragma once
#include <QObject>

// The section runs and exports reached through the hub.
class TestHubExchange : public QObject {
    Q_OBJECT
private slots:
    void lineSectionIsPublishedAndExported();
};
