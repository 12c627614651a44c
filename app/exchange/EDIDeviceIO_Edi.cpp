// The EDI writer of EDIDeviceIO: head, information block, measurement definitions and the
// spectra section of one station.

#include "EDIDeviceIO.h"

#include <QDate>
#include <QFile>
#include <QTextStream>
#include <gsl/gsl_complex_math.h>

#include "OperatorDialogs.h"
#include "OperatorMessages.h"
#include "TextFileOutput.h"

namespace {

constexpr int kEdiChannels = 7;
// Cross-power matrix index (0 Ex, 1 Ey, 2 Hx, 3 Hy) feeding each EDI channel: no vertical field
// and no remote reference, so HZ repeats Hx and the two reference channels repeat Hx and Hy.
constexpr int kMatrixIndexOfChannel[kEdiChannels] = {2, 3, 2, 0, 1, 2, 3};

const QString kIndent = QStringLiteral("   ");

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString g6(double value)
{
    return QString::number(value, 'g', 6);
}

gsl_complex elementOf(const TensorCrossPower &record, int row, int column)
{
    if (row < record.matrix.size() && column < record.matrix[row].size())
        return record.matrix[row][column];
    return gsl_complex_rect(0.0, 0.0);
}

// Row i of the real 7 x 7 spectra matrix: real parts on and below the diagonal, imaginary parts
// above it.
QString spectraRow(const TensorCrossPower &record, int i)
{
    QStringList values;
    for (int j = 0; j < kEdiChannels; ++j) {
        const gsl_complex element =
            elementOf(record, kMatrixIndexOfChannel[i], kMatrixIndexOfChannel[j]);
        const double value = j <= i ? GSL_REAL(element) : GSL_IMAG(element);
        values << QString::number(value, 'E', 6);
    }
    return QLatin1Char(' ') + values.join(QStringLiteral("  "));
}

} // namespace

QString EDIDeviceIO::ediDataId(double line, double station)
{
    return g6(line) + QLatin1Char('-') + g6(station);
}

bool EDIDeviceIO::writeEDI(const QString &path, const QList<TensorCrossPower> &crossPowers,
                           double xPoleDistance, double yPoleDistance, double line,
                           double station)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "EDIDeviceIO::writeEDI")) {
        showCritical(*dialogs, OperatorMessages::inversionDataExportFailed());
        return false;
    }
    const QString dataId = ediDataId(line, station);
    QTextStream out(&file);
    writeEDIHead(out, dataId);
    writeEDIInfo(out);
    writeEDIDefineMeas(out, dataId, xPoleDistance, yPoleDistance, crossPowers.size());
    writeEDISpectra(out, crossPowers);
    if (!TextFileOutput::finish(file, out, "EDIDeviceIO::writeEDI")) {
        showCritical(*dialogs, OperatorMessages::inversionDataExportFailed());
        return false;
    }
    return true;
}

void EDIDeviceIO::writeEDIHead(QTextStream &out, const QString &dataId)
{
    const QString today = QDate::currentDate().toString(QStringLiteral("MM/dd/yyyy"));
    out << ">HEAD\n";
    const QStringList lines{QStringLiteral("DATAID=") + quoted(dataId),
                            QStringLiteral("ACQBY=") + quoted(QStringLiteral("Terrasounds")),
                            QStringLiteral("HLEBY=") + quoted(QStringLiteral("Terrasounds")),
                            QStringLiteral("ACQDATE=") + today,
                            QStringLiteral("FILEDATE=") + today,
                            QStringLiteral("COUNTRY=") + quoted(QStringLiteral("China")),
                            QStringLiteral("UNITS=M"),
                            QStringLiteral("STDVERS=SEG1.0"),
                            QStringLiteral("PROGVERS=Sondarium1.0"),
                            QStringLiteral("PROGDATE=06/16/2002"),
                            QStringLiteral("EMPTY=1.0000E+32")};
    for (const QString &line : lines)
        out << kIndent << line << '\n';
    out << '\n';
}

void EDIDeviceIO::writeEDIInfo(QTextStream &out)
{
    const QStringList lines{
        QStringLiteral("This Edi format File is Made temporalary by Sondarium,"),
        QStringLiteral("using TSiteSpe Class,which was programmed by ZR With c++."),
        QStringLiteral("FILENAME=XX.EDI"),
        QStringLiteral(" NO Using Remote Refrence processing with H"),
        QStringLiteral("About Spectra Data Format:"),
        QStringLiteral("       EX    EY    HX    HY  "),
        QStringLiteral(" EX   EXEX* EXEY* EXHX* EXHY*"),
        QStringLiteral(" EY   EYEX* EYEY* EYHX* EYHY*"),
        QStringLiteral(" HX   HXEX* HXEY* HXHX* HXHY*"),
        QStringLiteral(" HY   HYEX* HYEY* HYHX* HYHY*")};
    out << ">INFO\n";
    for (const QString &line : lines)
        out << kIndent << line << '\n';
    out << '\n';
}

void EDIDeviceIO::writeEDIDefineMeas(QTextStream &out, const QString &dataId,
                                     double xPoleDistance, double yPoleDistance,
                                     int frequencyCount)
{
    out << ">=DEFINEMEAS\n";
    const QStringList settings{"MAXCHAN=7",    "MAXRUN=999",          "MAXMEAS=7",
                               "UNITS=M",      "REFTYPE=CART",        "REFLAT=36:25:23.000",
                               "REFLONG=105:21:5.000", "REFELEV=2136"};
    for (const QString &line : settings)
        out << kIndent << line << '\n';
    out << '\n';
    const QString halfX = g6(xPoleDistance / 2), minusHalfX = g6(-xPoleDistance / 2);
    const QString halfY = g6(yPoleDistance / 2), minusHalfY = g6(-yPoleDistance / 2);
    out << ">HMEAS ID=1.000 CHTYPE=HX ACQCHAN=CH3 GAIN=1 X=8.5 Y=8.5 AZM=0\n"
        << ">HMEAS ID=2.000 CHTYPE=HY ACQCHAN=CH4 GAIN=1 X=-8.5 Y=8.5 AZM=90\n"
        << ">HMEAS ID=3.000 CHTYPE=HZ ACQCHAN=CH5 GAIN=1 X=18.5 Y=-18.5 AZM=90\n"
        << ">EMEAS ID=4.000 CHTYPE=EX ACQCHAN=CH1 GAIN=1 X=" << minusHalfX << " Y=0 Z=0 X2="
        << halfX << " Y2=0 Z2=0\n"
        << ">EMEAS ID=5.000 CHTYPE=EY ACQCHAN=CH2 GAIN=1 X=0 Y=" << minusHalfY << " Z=0 X2=0 Y2="
        << halfY << " Z2=0\n"
        << ">HMEAS ID=6.000 CHTYPE=HX ACQCHAN=CH6 GAIN=1 X=8.5 Y=44888.5 AZM=0\n"
        << ">HMEAS ID=7.000 CHTYPE=HY ACQCHAN=CH7 GAIN=1 X=8.5 Y=44888.5 AZM=90\n"
        << '\n';
    out << ">=SPECTRASECT\n"
        << " SECTID=" << quoted(dataId) << '\n'
        << " NCHAN=7\n"
        << " NFREQ=" << frequencyCount << '\n'
        << " MAXBLKS=" << frequencyCount << '\n'
        << " //7\n";
    for (int channel = 1; channel <= kEdiChannels; ++channel)
        out << "  " << channel << ".000\n";
    out << '\n';
}

void EDIDeviceIO::writeEDISpectra(QTextStream &out, const QList<TensorCrossPower> &crossPowers)
{
    for (int k = 0; k < crossPowers.size(); ++k) {
        const TensorCrossPower &record = crossPowers[k];
        const double bandwidth = k == 0 ? 0.0 : record.freq - crossPowers[k - 1].freq;
        out << ">SPECTRA  FREQ=" << g6(record.freq) << " ROTSPEC=0 BW="
            << QString::number(bandwidth, 'E', 4) << " AVGT=30 //49\n";
        for (int i = 0; i < kEdiChannels; ++i)
            out << spectraRow(record, i) << '\n';
    }
    out << '\n' << ">End\n";
}
