#include "EDIDeviceIO.h"

#include <QDebug>
#include <QFile>
#include <QTextStream>
#include <algorithm>

#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "TensorResultBand.h"
#include "TensorResultFile.h"
#include "TextFields.h"
#include "TextFileOutput.h"

namespace {

// Lines of a text stream with their numbers, for messages about damaged records.
class NumberedLines {
public:
    explicit NumberedLines(QTextStream &stream) : stream(stream) {}

    // The fields of the next line; false at the end of the stream.
    bool next(QStringList &fields)
    {
        if (stream.atEnd())
            return false;
        fields = splitTextFields(stream.readLine());
        ++number;
        return true;
    }
    // The fields of the next line that holds any; false at the end of the stream.
    bool nextNonBlank(QStringList &fields)
    {
        while (next(fields))
            if (!fields.isEmpty())
                return true;
        return false;
    }
    int lineNumber() const { return number; }

private:
    QTextStream &stream;
    int number = 0;
};

// Reads the four matrix lines of a record; false when one is missing or short.
bool readMatrix(NumberedLines &lines, TensorCrossPower &crossPower)
{
    QStringList fields;
    for (int row = 0; row < TensorResultFile::kMatrixLines; ++row) {
        if (!lines.next(fields) || fields.size() < TensorResultFile::kMatrixFields)
            return false;
        TensorResultFile::parseMatrixLine(fields, row, crossPower);
    }
    return true;
}

} // namespace

EDIDeviceIO::EDIDeviceIO(OperatorDialogs *dialogs, QObject *parent)
    : QObject(parent), dialogs(dialogs)
{
}

QString EDIDeviceIO::tensorFilePath(const QString &basePath, double sampleRate)
{
    return basePath + TensorResultBands::extension(SampleRateBands::tensorResultBand(sampleRate));
}

bool EDIDeviceIO::writeTensorFile(const QVector<TensorCrossPower> &crossPowers,
                                  const QVector<TensorImpedance> &impedances,
                                  const QString &basePath, double sampleRate)
{
    const QString path = tensorFilePath(basePath, sampleRate);
    QFile file(path);
    if (!TextFileOutput::open(file, "EDIDeviceIO::writeTensorFile")) {
        showCritical(*dialogs, OperatorMessages::saveFailed());
        return false;
    }
    if (crossPowers.size() != impedances.size())
        qWarning().noquote() << "EDIDeviceIO::writeTensorFile:" << path << "gets"
                             << crossPowers.size() << "cross powers and" << impedances.size()
                             << "impedances; only the records with both are written";
    const int count = std::min(crossPowers.size(), impedances.size());
    QTextStream out(&file);
    for (int i = 0; i < count; ++i)
        out << TensorResultFile::recordText(crossPowers[i], impedances[i]);
    if (!TextFileOutput::finish(file, out, "EDIDeviceIO::writeTensorFile")) {
        showCritical(*dialogs, OperatorMessages::saveFailed());
        return false;
    }
    return true;
}

bool EDIDeviceIO::readTensorFile(QList<TensorCrossPower> &crossPowers,
                                 QList<TensorImpedance> &impedances, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "EDIDeviceIO::readTensorFile: cannot open" << path << "-"
                             << file.errorString();
        showCritical(*dialogs, OperatorMessages::readFailed());
        return false;
    }
    QTextStream in(&file);
    NumberedLines lines(in);
    QStringList fields;
    while (lines.nextNonBlank(fields)) {
        const int recordLine = lines.lineNumber();
        TensorImpedance impedance;
        TensorCrossPower crossPower;
        if (fields.size() < TensorResultFile::kFrequencyFields || !readMatrix(lines, crossPower)) {
            qWarning().noquote() << "EDIDeviceIO::readTensorFile:" << path
                                 << "holds an incomplete record at line" << recordLine
                                 << "; reading stops there";
            return false;
        }
        TensorResultFile::parseFrequencyLine(fields, impedance);
        crossPower.freq = impedance.freq;
        crossPowers.append(crossPower);
        impedances.append(impedance);
    }
    return true;
}
