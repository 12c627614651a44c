#include "InversionRun.h"

#include <QDebug>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include "Data_Line.h"
#include "NLCGIODevice.h"
#include "NLLSIODevice.h"
#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "WorkFeedback.h"

namespace {

QString workPath(const QString &relative)
{
    return QDir::currentPath() + relative;
}

// The used stations of the line with their Ex/Hy curves.
void selectStations(Data_Line &line, QList<QVector<OneFreqImpedance>> &curves,
                    QVector<double> &positions)
{
    QList<double> numbers;
    line.sectionData(Data_Line::ModeExHy, Data_Line::kNoBound, Data_Line::kNoBound, curves, numbers);
    positions = numbers.toVector();
}

// The final RMS misfit the program printed ("final RMS misfit 1.02", as the stand-ins do), or empty.
QString finalMisfit(const QString &programOutput)
{
    static const QRegularExpression misfit(QStringLiteral("final RMS misfit ([0-9.eE+-]+)"));
    return misfit.match(programOutput).captured(1);
}

} // namespace

InversionRun::InversionRun(OperatorDialogs *dialogs, WorkRunner runner)
    : dialogs(dialogs), runner(std::move(runner))
{
}

void InversionRun::refuse(const OperatorMessage &message)
{
    showCritical(*dialogs, message);
}

bool InversionRun::runNLCG(Data_Line &line, QList<DataType_ResultData> &section)
{
    QList<QVector<OneFreqImpedance>> curves;
    QVector<double> positions;
    selectStations(line, curves, positions);
    if (curves.size() < NLCGIODevice::kMinimumStations) {
        refuse(OperatorMessages::nlcgTooFewStations(NLCGIODevice::kMinimumStations));
        return false;
    }
    NLCGIODevice device;
    if (!device.writeDataFile(curves, workPath("/nlcg/b-tm-1.dat"))) {
        refuse(OperatorMessages::inversionDataFailed());
        return false;
    }
    showProgressNotice(*dialogs, OperatorMessages::inversionDataReady());
    if (!device.writeModelFile(curves.size(), positions, workPath("/nlcg/model-1.dat"))) {
        refuse(OperatorMessages::inversionModelFailed());
        return false;
    }
    if (!device.writeControlFile(workPath("/nlcg/b_test_m.dat"), 0, curves.size())) {
        refuse(OperatorMessages::inversionControlFailed());
        return false;
    }
    showProgressNotice(*dialogs, OperatorMessages::inversionModelReady());
    const QString output = workPath("/nlcg/mod_out.dat");
    QString programOutput;
    if (!runProgram(workPath("/nlcg"), workPath("/nlcg/MTNLCG.exe"), output, programOutput))
        return false;
    showProgressNotice(*dialogs, OperatorMessages::inversionFinished(finalMisfit(programOutput)));
    if (!device.readModelOutput(output, curves.size(), positions)) {
        refuse(OperatorMessages::inversionProgramFailed());
        return false;
    }
    section = device.result();
    return true;
}

bool InversionRun::runNLLS(Data_Line &line, QList<DataType_ResultData> &section)
{
    QList<QVector<OneFreqImpedance>> curves;
    QVector<double> positions;
    selectStations(line, curves, positions);
    bool enough = curves.size() >= NLLSIODevice::kMinimumStations;
    for (const QVector<OneFreqImpedance> &curve : curves)
        enough = enough && curve.size() >= NLLSIODevice::kFrequencies;
    if (!enough) {
        refuse(OperatorMessages::nllsTooFewStations(NLLSIODevice::kMinimumStations, NLLSIODevice::kFrequencies));
        return false;
    }
    NLLSIODevice device;
    if (!device.writeFieldData(workPath("/nlls/SampleData/curline.fdt"), curves, positions)) {
        showCritical(*dialogs, OperatorMessages::initialDataFileFailed());
        return false;
    }
    showProgressNotice(*dialogs, OperatorMessages::inversionModelReady());
    const QString output = workPath("/nlls/SampleData/curline_TMTp.mir");
    QString programOutput;
    if (!runProgram(workPath("/nlls"), workPath("/nlls/MT2DACB.exe"), output, programOutput))
        return false;
    showProgressNotice(*dialogs, OperatorMessages::inversionFinished(finalMisfit(programOutput)));
    device.readResult(output, positions);
    section = device.result();
    return true;
}

InversionRun::Ending InversionRun::waitForEnd(QProcess &process, WorkFeedback &feedback) const
{
    constexpr int kSliceMs = 100;
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(kSliceMs) && process.state() != QProcess::NotRunning) {
        const qint64 waited = clock.elapsed();
        feedback.report(double(waited) / timeoutMs, QStringLiteral("反演程序运行中"));
        if (feedback.isCancelled())
            return Ending::Cancelled;
        if (waited >= timeoutMs)
            return Ending::TimedOut;
    }
    return Ending::Ended;
}

InversionRun::ProgramRun InversionRun::execute(const QString &folder, const QString &program,
                                               WorkFeedback &feedback) const
{
    ProgramRun run;
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProgram(program);
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted()) {
        qWarning().noquote() << "InversionRun::runProgram: cannot start" << program << "-"
                             << process.errorString();
        run.ending = Ending::NotStarted;
        return run;
    }
    process.closeWriteChannel();
    run.ending = waitForEnd(process, feedback);
    if (run.ending != Ending::Ended) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.output = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.succeeded = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (!run.succeeded)
        qWarning().noquote() << "InversionRun::runProgram:" << program << "failed with exit code"
                             << process.exitCode() << process.readAllStandardError();
    return run;
}

bool InversionRun::runProgram(const QString &folder, const QString &program, const QString &output,
                              QString &programOutput)
{
    if (QFile::exists(output) && !QFile::remove(output)) {
        qWarning().noquote() << "InversionRun::runProgram: cannot remove the old output" << output;
        refuse(OperatorMessages::inversionResultNotRemovable());
        return false;
    }
    ProgramRun run;
    runner(QStringLiteral("反演"), [&](WorkFeedback &feedback) { run = execute(folder, program, feedback); });
    if (run.ending != Ending::Ended) {
        QFile::remove(output);
        reportEnding(run, program);
        return false;
    }
    // What the program printed (iterations, misfits, stations it left out) goes to the log.
    programOutput = run.output;
    if (!programOutput.isEmpty())
        qInfo().noquote() << "InversionRun::runProgram:" << program << "printed:\n" + programOutput.trimmed();
    if (!run.succeeded) {
        refuse(OperatorMessages::inversionProgramFailed());
        return false;
    }
    // The old output was removed above, so a program that ends well without writing one failed.
    if (!QFile::exists(output)) {
        qWarning().noquote() << "InversionRun::runProgram:" << program << "ended without writing"
                             << output;
        refuse(OperatorMessages::inversionProgramFailed());
        return false;
    }
    return true;
}

void InversionRun::reportEnding(const ProgramRun &run, const QString &program)
{
    switch (run.ending) {
    case Ending::NotStarted:
        refuse(OperatorMessages::inversionProgramNotStarted());
        break;
    case Ending::TimedOut:
        qWarning().noquote() << "InversionRun::runProgram:" << program << "ran past"
                             << timeoutMs << "ms and was stopped";
        refuse(OperatorMessages::inversionProgramTimedOut());
        break;
    case Ending::Cancelled:
    case Ending::NotRun:  // the runner refused it: nothing ran, as after a cancel
        qInfo().noquote() << "InversionRun::runProgram:" << program << "stopped on request";
        showInformation(*dialogs, OperatorMessages::inversionCancelled());
        break;
    case Ending::Ended:
        break;
    }
}
