#pragma once
// The project file's journal while a process run stores its results. A run stores many small
// transactions (one per pair curve, one per station's assembled curves); with the rollback journal
// each of them waits for about four disk syncs. From the first store on, the file is switched to
// a write-ahead log whose commits are synced only at its checkpoint: a crash or power loss can
// then lose the last stores of the run but never leaves the file inconsistent. When the journal
// is destroyed the log is checkpointed into the file (synced) and the file gets its own journal
// mode and sync level back. A run that stores nothing leaves the file untouched; a file that
// cannot switch (another program holds it) keeps its journal and the run goes on as before.

#include <QSqlDatabase>
#include <QString>

class StoreJournal {
public:
    explicit StoreJournal(const QSqlDatabase &database);
    ~StoreJournal();
    StoreJournal(const StoreJournal &) = delete;
    StoreJournal &operator=(const StoreJournal &) = delete;

    // Called before each store; switches once.
    void beginStoring();

private:
    QString pragma(const QString &statement) const;

    QSqlDatabase database;
    bool switched = false;
    QString journalMode;
    QString syncLevel;
};
