#pragma once
// The one-dimensional depth section of a survey line: the operator's parameters, the chosen curve
// of the stations within the range, the Bostick depth section hung from the topography and
// smoothed.

#include <QList>
#include <QVector>

#include "InversionParam.h"
#include "ProcessingRecords.h"

class Data_Line;
class OperatorDialogs;

class LineSectionRun {
public:
    // dialogs must outlive this object.
    explicit LineSectionRun(OperatorDialogs *dialogs);

    // Runs with param as given: section receives the smoothed columns, surface the topography
    // they hang from. Refuses an empty topography ("请导入高程文件！") and a start point beyond
    // the end point when both are given ("请正确输入起始点号！").
    bool run(Data_Line &line, const InversionParam &param, QList<DataType_ResultData> &section,
             QVector<TopoData> &surface);

private:
    OperatorDialogs *dialogs;
};
