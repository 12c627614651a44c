#pragma once
// Everything of a project's first project row that a merge copies, read into memory and detached
// from its database: its lines, their stations, the stations' recordings and the recordings'
// processed channels, each row with the values of every column the store registers for its
// entity (curves and error bars kept as their exact BLOB bytes) except its key and the reference
// to its parent. A column added to an entity is copied without changes here.

#include <QList>
#include <QVariantMap>

class LibDORE;

struct MergeRow {
    QVariantMap values;        // column name -> value
    QList<MergeRow> children;  // stations of a line, recordings of a station, channels of a recording
};

namespace MergeSnapshot {

// The lines of db's first project in collection order (empty without a project).
QList<MergeRow> read(LibDORE &db);

} // namespace MergeSnapshot
