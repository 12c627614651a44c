#pragma once
// The two external 2-D inversion runs of a survey line, in the work folder's "nlcg" and "nlls":
// write the program's input files, run it through the runner (which may wait on another thread
// while the window stays alive) within a time limit, read its output and return the section it
// holds. A program that cannot start, fails, overruns or ends without writing its
// output (for the conjugate-gradient run: a readable one) is reported to the operator, and since
// the previous output file is removed before the run, an old result is never returned as new.
// The notice after a run shows the final RMS misfit when the program prints one.

#include <QList>

#include "OperatorMessage.h"
#include "ProcessingRecords.h"
#include "WorkRunner.h"

class Data_Line;
class OperatorDialogs;
class QProcess;
class QString;
class WorkFeedback;

class InversionRun {
public:
    static constexpr int kDefaultTimeoutMs = 2 * 60 * 60 * 1000;

    // dialogs must outlive this object. While the program runs, the time waited is reported to the
    // runner's feedback against the time limit, and a cancel stops the program (its output is
    // removed and the operator told).
    InversionRun(OperatorDialogs *dialogs, WorkRunner runner);

    void setTimeout(int milliseconds) { timeoutMs = milliseconds; }

    // The conjugate-gradient run (MTNLCG.exe) over the line's used stations with an Ex/Hy
    // curve. True, with section set to the program's section, when the run ended well.
    bool runNLCG(Data_Line &line, QList<DataType_ResultData> &section);
    // The least-squares run (MT2DACB.exe); the section is empty when the program's output holds
    // no usable section.
    bool runNLLS(Data_Line &line, QList<DataType_ResultData> &section);

private:
    enum class Ending { NotRun, NotStarted, Ended, TimedOut, Cancelled };
    // How the program's run went; filled in the runner, read back on the caller's thread.
    struct ProgramRun {
        Ending ending = Ending::NotRun;
        bool succeeded = false;  // normal exit with code 0
        QString output;          // what it printed on standard output
    };
    // Runs program in folder until it ends, the time limit passes or feedback is cancelled.
    ProgramRun execute(const QString &folder, const QString &program, WorkFeedback &feedback) const;
    // Waits for process in short slices up to the time limit, reporting and asking the feedback.
    Ending waitForEnd(QProcess &process, WorkFeedback &feedback) const;
    // Removes the old output, runs the program through the runner and tells the operator how it
    // failed; true when it ended well and wrote output. programOutput: what it printed.
    bool runProgram(const QString &folder, const QString &program, const QString &output,
                    QString &programOutput);
    // Tells the operator why a run that did not end well failed.
    void reportEnding(const ProgramRun &run, const QString &program);
    void refuse(const OperatorMessage &message);

    OperatorDialogs *dialogs;
    WorkRunner runner;
    int timeoutMs = kDefaultTimeoutMs;
};
