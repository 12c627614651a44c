#pragma once
// Station result files written for other programs. For now the tensor result files: one text
// file per station and sampling band, "tensors/<station number>" plus ".HMT", ".MMT" or ".LMT",
// five lines per frequency (see TensorResultFile). Failures the operator must see go through
// OperatorDialogs.

#include <QList>
#include <QObject>
#include <QVector>

class QTextStream;

#include "TensorCrossPower.h"
#include "TensorImpedance.h"

class OperatorDialogs;

class EDIDeviceIO : public QObject {
    Q_OBJECT
public:
    // dialogs must outlive this object.
    explicit EDIDeviceIO(OperatorDialogs *dialogs, QObject *parent = nullptr);

    // Writes one record per impedance (cross power i with impedance i; extra entries of the
    // longer vector are left out with a warning) to basePath plus the band extension of
    // sampleRate, truncating the file. When the file cannot be written the operator is told
    // ("保存错误" / "保存数据错误") and the result is false.
    bool writeTensorFile(const QVector<TensorCrossPower> &crossPowers,
                         const QVector<TensorImpedance> &impedances, const QString &basePath,
                         double sampleRate);

    // Appends every record of the file at path to the two lists (they are not cleared, so the
    // three band files of a station can be read into the same lists). When the file cannot be
    // opened the operator is told ("读取错误" / "读取数据错误") and the lists stay as they were.
    // A record cut short (missing lines or too few numbers on a line) ends the reading with a
    // warning naming the file and line; the records before it are kept. False on either failure.
    bool readTensorFile(QList<TensorCrossPower> &crossPowers, QList<TensorImpedance> &impedances,
                        const QString &path);

    // basePath plus ".HMT", ".MMT" or ".LMT" for the sampling rate.
    static QString tensorFilePath(const QString &basePath, double sampleRate);

    // SEG EDI file of one station in spectra form (seven channels: Hx, Hy, Hz repeating Hx, Ex,
    // Ey, and Hx, Hy again as reference), one 7 x 7 spectra block per cross-power record, in the
    // order given (the caller sorts by ascending frequency). Dipole lengths in metres. When the
    // file cannot be written the operator is told ("导出错误" / "导出反演数据错误") and the
    // result is false. Implemented in EDIDeviceIO_Edi.cpp.
    bool writeEDI(const QString &path, const QList<TensorCrossPower> &crossPowers,
                  double xPoleDistance, double yPoleDistance, double line, double station);
    // The pieces of an EDI file, in file order.
    static void writeEDIHead(QTextStream &out, const QString &dataId);
    static void writeEDIInfo(QTextStream &out);
    static void writeEDIDefineMeas(QTextStream &out, const QString &dataId, double xPoleDistance,
                                   double yPoleDistance, int frequencyCount);
    static void writeEDISpectra(QTextStream &out, const QList<TensorCrossPower> &crossPowers);
    // "line-station", both with six significant digits (line 3, station 105: "3-105").
    static QString ediDataId(double line, double station);

private:
    OperatorDialogs *dialogs;
};
