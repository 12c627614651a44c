#include "OperatorMessages.h"

namespace OperatorMessages {

namespace {

const QString kExportErrorTitle = QStringLiteral("导出错误");
const QString kEdiExportErrorTitle = QStringLiteral("EDI导出错误");
const QString kEh4Title = QStringLiteral("导出EH4数据");
const QString kEh4Failed = QStringLiteral("导出EH4数据错误");
const QString kHintTitle = QStringLiteral("提示");
const QString kMergeTitle = QStringLiteral("合并数据库");
const QString kErrorTitle = QStringLiteral("错误");
const QString kInversionTitle = QStringLiteral("反演");
const QString kModelTitle = QStringLiteral("初始化模型");
const QString kVolumeTitle = QStringLiteral("三维反演");

// "线1，点2，第3个记录（2400 Hz）": the recording a recomputation message speaks of.
QString recordingName(const QString &lineLabel, const QString &stationLabel, int recordingNumber,
                      int sampleRate)
{
    return QStringLiteral("%1，%2，第%3个记录（%4 Hz）")
        .arg(lineLabel, stationLabel)
        .arg(recordingNumber)
        .arg(sampleRate);
}

} // namespace

OperatorMessage notProjectFile(const QString &path, const QStringList &incompleteTables)
{
    return {QStringLiteral("打开Vardex文件"),
            QStringLiteral("%1 不是工程文件：缺少表 %2 或其主键列 ID")
                .arg(path, incompleteTables.join(QStringLiteral("、")))};
}

OperatorMessage nothingToShow(const QString &stationLabel)
{
    return {QStringLiteral("显示错误"), QStringLiteral("%1 没有可显示的曲线。").arg(stationLabel)};
}

OperatorMessage stationCleared(const QString &stationLabel)
{
    return {QStringLiteral("清除信息"), QStringLiteral("%1 的结果已清除。").arg(stationLabel)};
}

OperatorMessage recomputationFailed(const QString &lineLabel, const QString &stationLabel,
                                    int recordingNumber, int sampleRate, const QString &cause,
                                    const QStringList &storedPairs)
{
    const QString outcome = storedPairs.isEmpty()
        ? QStringLiteral("未保存任何结果。")
        : QStringLiteral("已保存%1的曲线。").arg(storedPairs.join(QStringLiteral("、")));
    return {QStringLiteral("重新计算失败"),
            QStringLiteral("%1的重新计算失败：%2。%3")
                .arg(recordingName(lineLabel, stationLabel, recordingNumber, sampleRate), cause, outcome)};
}

QString recordingTableMissing(const QString &path)
{
    return QStringLiteral("记录表 %1 不存在").arg(path);
}

QString recordingTableUnreadable(const QString &path)
{
    return QStringLiteral("记录表 %1 中没有该记录的可读行").arg(path);
}

QString tensorFlagsNotWritten()
{
    return QStringLiteral("测点的张量标志无法写入工程文件");
}

QString pairCurveNotWritten(const QString &pairName)
{
    return QStringLiteral("%1：曲线无法写入工程文件").arg(pairName);
}

QString noPairableChannels()
{
    return QStringLiteral("该记录没有可配对的电道和磁道");
}

QString remoteStationMissing()
{
    return QStringLiteral("远参考测点不存在");
}

QString remoteRecordingMissing(const QString &stationLabel, int sampleRate)
{
    return QStringLiteral("远参考%1没有采样率为%2 Hz且磁道相同的记录").arg(stationLabel).arg(sampleRate);
}

QString tensorFolderMissing(const QString &path)
{
    return QStringLiteral("张量结果文件夹 %1 不存在").arg(path);
}

QString tensorFileNotWritten(const QString &path)
{
    return QStringLiteral("张量结果文件 %1 无法写入").arg(path);
}

OperatorMessage recomputationCancelled(const QString &lineLabel, const QString &stationLabel,
                                       int recordingNumber, int sampleRate)
{
    return {QStringLiteral("重新计算已取消"),
            QStringLiteral("%1的重新计算已取消，未保存任何结果。")
                .arg(recordingName(lineLabel, stationLabel, recordingNumber, sampleRate))};
}

OperatorMessage exportCancelled()
{
    return {QStringLiteral("导出数据"), QStringLiteral("导出已取消，未写入文件。")};
}

OperatorMessage exportSucceeded()
{
    return {QStringLiteral("导出数据"), QStringLiteral("导出数据成功")};
}

OperatorMessage inversionDataExportFailed()
{
    return {kExportErrorTitle, QStringLiteral("导出反演数据错误")};
}

OperatorMessage dataExportFailed()
{
    return {kExportErrorTitle, QStringLiteral("导出数据错误")};
}

OperatorMessage rawDataExported()
{
    return {QStringLiteral("导出原始数据"), QStringLiteral("导出原始数据成功")};
}

OperatorMessage dataSaved()
{
    return {QStringLiteral("保存数据"), QStringLiteral("保存数据成功")};
}

OperatorMessage saveFailed()
{
    return {QStringLiteral("保存错误"), QStringLiteral("保存数据错误")};
}

OperatorMessage readFailed()
{
    return {QStringLiteral("读取错误"), QStringLiteral("读取数据错误")};
}

OperatorMessage ediExported()
{
    return {QStringLiteral("数据导出"), QStringLiteral("EDI数据导出成功！")};
}

OperatorMessage ediWithoutTensor()
{
    return {kEdiExportErrorTitle, QStringLiteral("该点未进行张量计算或不能进行张量计算")};
}

OperatorMessage ediWithoutErrorBars(double stationNumber)
{
    return {kEdiExportErrorTitle,
            QStringLiteral("测点%1没有带误差棒的ExHy和EyHx曲线，请先用回归估计方法处理该点。").arg(stationNumber)};
}

OperatorMessage eh4Exported()
{
    return {kEh4Title, kEh4Title};
}

OperatorMessage eh4FolderMissing(const QString &folder)
{
    return {kExportErrorTitle, QStringLiteral("%1: %2 不是已有的文件夹").arg(kEh4Failed, folder)};
}

OperatorMessage eh4ExportFailed(const QStringList &failures)
{
    return {kExportErrorTitle, kEh4Failed + QStringLiteral(":\n") + failures.join(QLatin1Char('\n'))};
}

QString eh4StationWithoutPosition(double stationNumber)
{
    return QStringLiteral("测点%1：点号不是整数，不能写入点列表").arg(stationNumber);
}

OperatorMessage topographyMissing()
{
    return {kHintTitle, QStringLiteral("请导入高程文件！")};
}

OperatorMessage startStationInvalid()
{
    return {kHintTitle, QStringLiteral("请正确输入起始点号！")};
}

OperatorMessage topographyDuplicates(const QList<double> &positions)
{
    QString text = QStringLiteral("重复高程点的里程：");
    for (double position : positions)
        text += QString::number(position, 'g', 6) + QLatin1Char(',');
    return {kHintTitle, text};
}

OperatorMessage mergeFilesNotOpen()
{
    return {kMergeTitle, QStringLiteral("请先打开合并文件A和合并文件B")};
}

OperatorMessage mergeFailed()
{
    return {kMergeTitle, QStringLiteral("合并数据库失败")};
}

OperatorMessage mergeSucceeded()
{
    return {kMergeTitle, QStringLiteral("合并数据库成功")};
}

OperatorMessage nlcgTooFewStations(int minimum)
{
    return {kErrorTitle, QStringLiteral("NLCG反演至少需要%1个有数据的测点").arg(minimum)};
}

OperatorMessage nllsTooFewStations(int minimumStations, int minimumFrequencies)
{
    return {kErrorTitle, QStringLiteral("NLLS反演至少需要%1个测点，且每个测点至少%2个频点")
                             .arg(minimumStations)
                             .arg(minimumFrequencies)};
}

OperatorMessage inversionDataFailed()
{
    return {kErrorTitle, QStringLiteral("数据错误")};
}

OperatorMessage inversionModelFailed()
{
    return {kErrorTitle, QStringLiteral("模型初始化错误")};
}

OperatorMessage inversionControlFailed()
{
    return {kErrorTitle, QStringLiteral("模型初始化控制文件错误")};
}

OperatorMessage inversionProgramFailed()
{
    return {kErrorTitle, QStringLiteral("反演程序运行出错")};
}

OperatorMessage inversionResultNotRemovable()
{
    return {kErrorTitle, QStringLiteral("无法删除上次的反演结果文件")};
}

OperatorMessage inversionProgramNotStarted()
{
    return {kErrorTitle, QStringLiteral("反演程序无法启动")};
}

OperatorMessage inversionProgramTimedOut()
{
    return {kErrorTitle, QStringLiteral("反演程序运行超时，已终止")};
}

OperatorMessage initialDataFileFailed()
{
    return {QStringLiteral("数据错误"), QStringLiteral("生成初始数据文件错误")};
}

OperatorMessage inversionDataReady()
{
    return {QStringLiteral("获取数据"), QStringLiteral("当前获取数据成功,正在初始化模型！")};
}

OperatorMessage inversionModelReady()
{
    return {kModelTitle, QStringLiteral("当前初始化模型成功,正在准备反演！")};
}

OperatorMessage inversionFinished(const QString &finalMisfit)
{
    const QString done = QStringLiteral("当前反演结束，成功,正在准备成图！");
    return {kInversionTitle, finalMisfit.isEmpty() ? done : done + QStringLiteral("\nRMS拟合差：") + finalMisfit};
}

OperatorMessage inversionCancelled()
{
    return {kInversionTitle, QStringLiteral("反演已取消，未生成剖面。")};
}

OperatorMessage volumeRefused(const QString &cause)
{
    return {kVolumeTitle, cause};
}

OperatorMessage volumePointsLeftOut(const QStringList &points)
{
    return {kVolumeTitle, QStringLiteral("以下坐标点未参与三维反演：\n") + points.join(QLatin1Char('\n'))};
}

QString volumeTooFewStations(int minimum, int available)
{
    return QStringLiteral("至少需要%1个有曲线的测点，现有%2个").arg(minimum).arg(available);
}

QString volumeNoStations()
{
    return QStringLiteral("没有可用的测点");
}

QString volumeFileNotWritten(const QString &path)
{
    return QStringLiteral("无法写入文件%1").arg(path);
}

OperatorMessage volumeFinished(int stations, int nx, int ny, int nz, const QStringList &files)
{
    return {kVolumeTitle, QStringLiteral("三维反演完成：%1个测点，网格 %2 × %3 × %4\n")
                                  .arg(stations).arg(nx).arg(ny).arg(nz)
                              + files.join(QLatin1Char('\n'))};
}

} // namespace OperatorMessages
