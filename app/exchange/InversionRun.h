#pragma once
// The two external 2-D inversion runs of a survey line, in the work folder's "nlcg" and "nlls":
// write the program's input files, run it (blocking, within a time limit), read its output and
// publish the section. A program that cannot start, fails, overruns or ends without writing its
// output (for the conjugate-gradient run: a readable one) is reported to the operator, and since
// the previous output file is removed before the run, an old result is never published as new.
// The notice after a run shows the final RMS misfit when the program prints one.

class Data_Line;
class OperatorDialogs;
class SectionPublisher;
class QString;

class InversionRun {
public:
    static constexpr int kDefaultTimeoutMs = 2 * 60 * 60 * 1000;

    // Both must outlive this object.
    InversionRun(OperatorDialogs *dialogs, SectionPublisher *publisher);

    void setTimeout(int milliseconds) { timeoutMs = milliseconds; }

    // The conjugate-gradient run (MTNLCG.exe) over the line's used stations with an Ex/Hy
    // curve. True when a section was published.
    bool runNLCG(Data_Line &line);
    // The least-squares run (MT2DACB.exe); publishes an empty section when the program's output
    // holds no usable section.
    bool runNLLS(Data_Line &line);

private:
    // Runs program in folder and keeps its standard output in programOutput.
    bool runProgram(const QString &folder, const QString &program, const QString &output,
                    QString &programOutput);
    void refuse(const QString &text);

    OperatorDialogs *dialogs;
    SectionPublisher *publisher;
    int timeoutMs = kDefaultTimeoutMs;
};
