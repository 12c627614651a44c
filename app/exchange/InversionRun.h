#pragma once
// The two external 2-D inversion runs of a survey line, in the work folder's "nlcg" and "nlls":
// write the program's input files, run it (blocking, within a time limit), read its output and
// return the section it holds. A program that cannot start, fails, overruns or ends without writing its
// output (for the conjugate-gradient run: a readable one) is reported to the operator, and since
// the previous output file is removed before the run, an old result is never returned as new.
// The notice after a run shows the final RMS misfit when the program prints one.

#include <QList>

#include "OperatorMessage.h"
#include "ProcessingRecords.h"

class Data_Line;
class OperatorDialogs;
class QProcess;
class QString;
class WorkFeedback;

class InversionRun {
public:
    static constexpr int kDefaultTimeoutMs = 2 * 60 * 60 * 1000;

    // Both must outlive this object; without feedback the run is never cancelled. While the
    // program runs, the time waited is reported against the time limit, and a cancel stops the
    // program (its output is removed and the operator told).
    explicit InversionRun(OperatorDialogs *dialogs, WorkFeedback *feedback = nullptr);

    void setTimeout(int milliseconds) { timeoutMs = milliseconds; }

    // The conjugate-gradient run (MTNLCG.exe) over the line's used stations with an Ex/Hy
    // curve. True, with section set to the program's section, when the run ended well.
    bool runNLCG(Data_Line &line, QList<DataType_ResultData> &section);
    // The least-squares run (MT2DACB.exe); the section is empty when the program's output holds
    // no usable section.
    bool runNLLS(Data_Line &line, QList<DataType_ResultData> &section);

private:
    // Runs program in folder and keeps its standard output in programOutput.
    enum class Ending { Ended, TimedOut, Cancelled };
    // Waits for process in short slices up to the time limit, reporting and asking the feedback.
    Ending waitForEnd(QProcess &process);
    bool runProgram(const QString &folder, const QString &program, const QString &output,
                    QString &programOutput);
    void refuse(const OperatorMessage &message);

    OperatorDialogs *dialogs;
    WorkFeedback *feedback;
    int timeoutMs = kDefaultTimeoutMs;
};
