#pragma once

#include <QObject>
#include <QTemporaryDir>

// The object-relational layer on real SQLite files: schema, statements, round trips, collections,
// logged failures and damaged or interrupted files.
class TestDore : public QObject {
    Q_OBJECT
private slots:
    void init();

    void freshSchemaColumns_data();
    void freshSchemaColumns();
    void freshSchemaHasFiveTablesAndTheirIndexes();
    void lineTableStatementsAsWritten();
    void registeringTwiceChangesNothing();
    void olderFileGainsMissingColumnsAndKeepsRows();
    void statementTextsOfOrdinaryValues();
    void blobLiterals_data();
    void blobLiterals();

    void textRoundTrip_data();
    void textRoundTrip();
    void numberRoundTrip_data();
    void numberRoundTrip();
    void curveRoundTrip_data();
    void curveRoundTrip();

    void dirtyTracking();
    void appendNewKeysCountsAndParentKey();
    void orderAndEmptyFilter();
    void paging_data();
    void paging();
    void onUseColumnsLoadOnDemand();

    void unregisteredClassIsLogged();
    void failedStatementsAreLogged();
    void failedCreationRollsBack();
    void failedLoadsLeaveEmptyCollections();
    void commitWithoutTransactionIsLogged();
    void openFailures_data();
    void openFailures();
    void secondConnectionToSameFileRefused();
    void truncatedFiles_data();
    void truncatedFiles();
    void readOnlyFileKeepsItsState();
    void interruptedWriteKeepsLastCommit();

private:
    QString path(const QString &name);
    QTemporaryDir m_dir;
    int m_serial = 0;
};

// Child-process modes of the test executable (see main.cpp).
int runWriteLoop(const QString &path);
int runReadOnlyCommit(const QString &path);
