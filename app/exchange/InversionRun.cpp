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

// The notice after a run: the fixed text, and a second line with the final RMS misfit when the
// program printed one ("final RMS misfit 1.02", as the stand-ins do).
QString inversionDone(const QString &programOutput)
{
    static const QRegularExpression finalMisfit(QStringLiteral("final RMS misfit ([0-9.eE+-]+)"));
    const QRegularExpressionMatch match = finalMisfit.match(programOutput);
    const QString done = QStringLiteral("当前反演结束，成功,正在准备成图！");
    return match.hasMatch() ? done + QStringLiteral("\nRMS拟合差：") + match.captured(1) : done;
}

const QString kModelReady = QStringLiteral("当前初始化模型成功,正在准备反演！");
const QString kProgramFailed = QStringLiteral("反演程序运行出错");

} // namespace

InversionRun::InversionRun(OperatorDialogs *dialogs, WorkFeedback *feedback)
    : dialogs(dialogs), feedback(feedback)
{
}

void InversionRun::refuse(const QString &text)
{
    dialogs->critical(QStringLiteral("错误"), text);
}

bool InversionRun::runNLCG(Data_Line &line, QList<DataType_ResultData> &section)
{
    QList<QVector<OneFreqImpedance>> curves;
    QVector<double> positions;
    selectStations(line, curves, positions);
    if (curves.size() < NLCGIODevice::kMinimumStations) {
        refuse(QStringLiteral("NLCG反演至少需要%1个有数据的测点").arg(NLCGIODevice::kMinimumStations));
        return false;
    }
    NLCGIODevice device;
    if (!device.writeDataFile(curves, workPath("/nlcg/b-tm-1.dat"))) {
        refuse(QStringLiteral("数据错误"));
        return false;
    }
    dialogs->progressNotice(QStringLiteral("获取数据"),
                            QStringLiteral("当前获取数据成功,正在初始化模型！"));
    if (!device.writeModelFile(curves.size(), positions, workPath("/nlcg/model-1.dat"))) {
        refuse(QStringLiteral("模型初始化错误"));
        return false;
    }
    if (!device.writeControlFile(workPath("/nlcg/b_test_m.dat"), 0, curves.size())) {
        refuse(QStringLiteral("模型初始化控制文件错误"));
        return false;
    }
    dialogs->progressNotice(QStringLiteral("初始化模型"), kModelReady);
    const QString output = workPath("/nlcg/mod_out.dat");
    QString programOutput;
    if (!runProgram(workPath("/nlcg"), workPath("/nlcg/MTNLCG.exe"), output, programOutput))
        return false;
    dialogs->progressNotice(QStringLiteral("反演"), inversionDone(programOutput));
    if (!device.readModelOutput(output, curves.size(), positions)) {
        refuse(kProgramFailed);
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
        refuse(QStringLiteral("NLLS反演至少需要%1个测点，且每个测点至少%2个频点")
                   .arg(NLLSIODevice::kMinimumStations)
                   .arg(NLLSIODevice::kFrequencies));
        return false;
    }
    NLLSIODevice device;
    if (!device.writeFieldData(workPath("/nlls/SampleData/curline.fdt"), curves, positions)) {
        dialogs->critical(QStringLiteral("数据错误"), QStringLiteral("生成初始数据文件错误"));
        return false;
    }
    dialogs->progressNotice(QStringLiteral("初始化模型"), kModelReady);
    const QString output = workPath("/nlls/SampleData/curline_TMTp.mir");
    QString programOutput;
    if (!runProgram(workPath("/nlls"), workPath("/nlls/MT2DACB.exe"), output, programOutput))
        return false;
    dialogs->progressNotice(QStringLiteral("反演"), inversionDone(programOutput));
    device.readResult(output, positions);
    section = device.result();
    return true;
}

InversionRun::Ending InversionRun::waitForEnd(QProcess &process)
{
    constexpr int kSliceMs = 100;
    QElapsedTimer clock;
    clock.start();
    while (!process.waitForFinished(kSliceMs) && process.state() != QProcess::NotRunning) {
        const qint64 waited = clock.elapsed();
        if (feedback) {
            feedback->report(double(waited) / timeoutMs, QStringLiteral("反演程序运行中"));
            if (feedback->isCancelled())
                return Ending::Cancelled;
        }
        if (waited >= timeoutMs)
            return Ending::TimedOut;
    }
    return Ending::Ended;
}

bool InversionRun::runProgram(const QString &folder, const QString &program, const QString &output,
                              QString &programOutput)
{
    if (QFile::exists(output) && !QFile::remove(output)) {
        qWarning().noquote() << "InversionRun::runProgram: cannot remove the old output" << output;
        refuse(QStringLiteral("无法删除上次的反演结果文件"));
        return false;
    }
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setProgram(program);
    process.start(QIODevice::ReadWrite);
    if (!process.waitForStarted()) {
        qWarning().noquote() << "InversionRun::runProgram: cannot start" << program << "-"
                             << process.errorString();
        refuse(QStringLiteral("反演程序无法启动"));
        return false;
    }
    process.closeWriteChannel();
    const Ending ending = waitForEnd(process);
    if (ending != Ending::Ended) {
        process.kill();
        process.waitForFinished();
        QFile::remove(output);
    }
    if (ending == Ending::TimedOut) {
        qWarning().noquote() << "InversionRun::runProgram:" << program << "ran past"
                             << timeoutMs << "ms and was stopped";
        refuse(QStringLiteral("反演程序运行超时，已终止"));
        return false;
    }
    if (ending == Ending::Cancelled) {
        qInfo().noquote() << "InversionRun::runProgram:" << program << "stopped on request";
        dialogs->information(QStringLiteral("反演"), QStringLiteral("反演已取消，未生成剖面。"));
        return false;
    }
    // What the program printed (iterations, misfits, stations it left out) goes to the log.
    programOutput = QString::fromLocal8Bit(process.readAllStandardOutput());
    if (!programOutput.isEmpty())
        qInfo().noquote() << "InversionRun::runProgram:" << program << "printed:\n" + programOutput.trimmed();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning().noquote() << "InversionRun::runProgram:" << program << "failed with exit code"
                             << process.exitCode() << process.readAllStandardError();
        refuse(kProgramFailed);
        return false;
    }
    // The old output was removed above, so a program that ends well without writing one failed.
    if (!QFile::exists(output)) {
        qWarning().noquote() << "InversionRun::runProgram:" << program << "ended without writing"
                             << output;
        refuse(kProgramFailed);
        return false;
    }
    return true;
}
