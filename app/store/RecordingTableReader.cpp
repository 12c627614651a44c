#include "RecordingTableReader.h"

#include "TextFields.h"

#include <QDateTime>
#include <QDebug>
#include <QFile>
#include <QRegularExpression>
#include <QTextStream>

namespace {
constexpr int kShortestRow = 21;
constexpr int kFirstFileField = 22;

int modeCode(const QString &text, int unchanged)
{
    static const QStringList modes{QStringLiteral("标量"), QStringLiteral("矢量"),
                                   QStringLiteral("共点多极化"), QStringLiteral("平行实验"),
                                   QStringLiteral("多极化"), QStringLiteral("水上实验")};
    const int code = modes.indexOf(text);
    return code >= 0 ? code : unchanged;
}

int electrodeCode(const QString &text, int unchanged)
{
    if (text == QStringLiteral("极化电极"))
        return 0;
    if (text == QStringLiteral("不极化电极"))
        return 1;
    return unchanged;
}

int textBetween(const QString &text, int from, int to)
{
    return (to < 0 || to <= from) ? 0 : text.mid(from + 1, to - from - 1).toInt();
}
} // namespace

void RecordingTableReader::parseDuration(const QString &text, int &hours, int &minutes,
                                         int &seconds)
{
    const int h = text.indexOf(QStringLiteral("时"));
    const int m = text.indexOf(QStringLiteral("分"));
    const int s = text.indexOf(QStringLiteral("秒"));
    // A missing earlier marker lets the next part start at the beginning ("5分30秒").
    hours = textBetween(text, -1, h);
    minutes = textBetween(text, h, m);
    seconds = textBetween(text, qMax(h, m), s);
}

bool RecordingTableReader::readStartTime(const QStringList &fields, quint32 &startTime)
{
    // A blank between date and time of day splits the start time into fields 20 and 21.
    static const QRegularExpression timeOfDay(QStringLiteral("^\\d{1,2}:\\d{2}:\\d{2}$"));
    QString text = fields.at(20);
    if (fields.size() > 21 && timeOfDay.match(fields.at(21)).hasMatch())
        text += QLatin1Char(' ') + fields.at(21);
    // "h" also takes an hour written without its leading zero.
    const QDateTime start = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd h:mm:ss"));
    const bool valid = start.isValid() && start.toSecsSinceEpoch() >= 0;
    startTime = valid ? quint32(start.toSecsSinceEpoch()) : 0;
    return valid;
}

bool RecordingTableReader::fillFromRow(const QStringList &f, const QString &folder,
                                       RecordingHeader &info)
{
    info.hasEx = f.at(1).toInt() != 0;
    info.hasEy = f.at(2).toInt() != 0;
    info.hasHx = f.at(3).toInt() != 0;
    info.hasHy = f.at(4).toInt() != 0;
    info.hasEx2 = f.at(5).toInt() != 0;
    info.exSensor = f.at(6);
    info.eySensor = f.at(7);
    info.hxSensor = f.at(8);
    info.hySensor = f.at(9);
    info.ex2Sensor = f.at(10);
    info.hGainNumber = f.at(12).toInt();
    info.eGainNumber = f.at(11).toInt();
    // Dipole lengths are written as whole metres; a decimal length is kept rather than read as 0.
    info.exDipole = f.at(13).toDouble();
    info.eyDipole = f.at(14).toDouble();
    info.ex2Dipole = f.at(15).toDouble();
    info.lowBand = f.at(16).toInt();
    parseDuration(f.at(17), info.hours, info.minutes, info.seconds);
    info.electrodeType = electrodeCode(f.at(18), info.electrodeType);
    const bool startRead = readStartTime(f, info.startTime);
    info.measureMode = modeCode(f.at(19), info.measureMode);
    info.files.clear();
    for (int i = kFirstFileField; i < f.size(); ++i)
        info.files << folder + QLatin1Char('/') + f.at(i);
    return startRead;
}

bool RecordingTableReader::read(const QString &folder, int recordingNumber, RecordingHeader &info)
{
    const QString path = folder + QStringLiteral("/config.ini");
    QFile file(path);
    if (!file.exists()) {
        qDebug().noquote() << path << "config.ini文件不存在！";
        return false;
    }
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qDebug().noquote() << path << "config.ini文件打不开！";
        return false;
    }
    QTextStream in(&file);
    in.setCodec("UTF-8");
    in.readLine();
    const QStringList header = splitTextFields(in.readLine());
    in.readLine();
    bool found = false;
    for (int row = 4; !in.atEnd(); ++row) {
        const QStringList fields = splitTextFields(in.readLine());
        if (fields.isEmpty() || fields.at(0).toInt() != recordingNumber)
            continue;
        if (fields.size() < kShortestRow) {
            qDebug().noquote() << path << "row" << row << "has" << fields.size()
                               << "fields, fewer than" << kShortestRow << "; skipped";
            continue;
        }
        if (!fillFromRow(fields, folder, info))
            qDebug().noquote() << path << "row" << row
                               << "start time is not yyyy-MM-dd hh:mm:ss; stored as 0";
        found = true;
    }
    info.instrumentNumber = header.value(0).toInt();
    return found;
}
