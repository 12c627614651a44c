#pragma once
// Merge of project file B into project file A: B's lines whose line number A already has get B's
// stations appended (a repeated station number becomes a second station); the other lines of B
// are created in A with their number, switch and note. Every station comes with its recordings
// and their processed channels; each row copies every column the store registers for its entity. The whole merge is one transaction on A: any failed write rolls
// it back, so A is either fully merged or exactly as before.

#include <QList>

#include "MergeSnapshot.h"

class Data_Line;
template <class T> class DORE_Collection;
class Data_Station;
class LibDORE;
class OperatorDialogs;

class ProjectMerge {
public:
    // dialogs must outlive this object.
    explicit ProjectMerge(OperatorDialogs *dialogs);

    // Merges B's first project into A's first project. Refused (critical box) while either file
    // is missing. On success the box "合并数据库" / "合并数据库成功"; on a failed write the
    // transaction is rolled back and a critical box says so. True when A was merged.
    bool run(LibDORE *a, LibDORE *b);
    // The same with B already read.
    bool run(LibDORE *a, const QList<MergeRow> &b);

private:
    bool mergeLines(LibDORE &a, const QList<MergeRow> &lines);
    bool mergeLine(DORE_Collection<Data_Line> &lines, const MergeRow &line);
    bool copyStation(Data_Line &line, const MergeRow &station);

    OperatorDialogs *dialogs;
};
