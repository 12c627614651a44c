#pragma once
// The one-dimensional depth section of a survey line: the operator's parameters, the chosen curve
// of the stations within the range, the Bostick depth section hung from the topography, smoothed
// and published.

#include "InversionParam.h"

class Data_Line;
class OperatorDialogs;
class SectionPublisher;

class LineSectionRun {
public:
    // Both must outlive this object.
    LineSectionRun(OperatorDialogs *dialogs, SectionPublisher *publisher);

    // Asks for the parameters, then runs. True when a section was published.
    bool run(Data_Line &line);
    // Runs with param as given. Refuses an empty topography ("请导入高程文件！") and a start point
    // beyond the end point when both are given ("请正确输入起始点号！").
    bool run(Data_Line &line, const InversionParam &param);

private:
    OperatorDialogs *dialogs;
    SectionPublisher *publisher;
};
