#pragma once

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <gsl/gsl_errno.h>
#include <memory>

#include "CurveBlob.h"
#include "DORE_Collection.h"
#include "Data_Line.h"
#include "Data_Project.h"
#include "Data_Station.h"
#include "LibDORE.h"
#include "ProjectSchema.h"
#include "ScriptedOperatorDialogs.h"
#include "WorkFeedback.h"

// The station and line exchanges: EDI, inversion files and runs, elevation file and line
// section, result tables, spectrum table, EH4 and the project merge.
class TestExchange : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { gsl_set_error_handler_off(); }
    void ediExport_data();
    void ediExport();
    void nlcgModelWidths_data();
    void nlcgModelWidths();
    void inversionInputFiles();
    void nlcgOutput_data();
    void nlcgOutput();
    void nllsOutput_data();
    void nllsOutput();
    void inversionRun_data();
    void inversionRun();
    void elevationFile_data();
    void elevationFile();
    void lineSectionRun_data();
    void lineSectionRun();
    void resultTables();
    void spectrumStationLines_data();
    void spectrumStationLines();
    void spectrumExportWritesOnlyWhenNotCancelled_data();
    void spectrumExportWritesOnlyWhenNotCancelled();
    void eh4PointFiles();
    void eh4FailuresAreReported_data();
    void eh4FailuresAreReported();
    void mergeMatchesLinesByNumber();
    void mergeFailureLeavesTargetUntouched_data();
    void mergeFailureLeavesTargetUntouched();
    void mergeCopiesAColumnRegisteredLater();
};

// A temporary work folder, the current directory while the fixture lives (the exports resolve
// "tensors/", "nlcg" and "nlls" against it), with an empty project file "p.HMT" made through the
// store, and the operator's script.
class ExchangeFixture {
    QTemporaryDir dir;  // first in, last out: the files outlive the database
    QString previous = QDir::currentPath();
    LibDORE database;
    std::unique_ptr<DORE_Collection<Data_Project>> projects;

public:
    ScriptedOperatorDialogs dialogs;

    ExchangeFixture()
    {
        QDir::setCurrent(dir.path());
        database.open(path("p.HMT"));
        registerProjectSchema(database);
        projects = std::make_unique<DORE_Collection<Data_Project>>(&database);
        projects->appendNew().object->commit();
    }
    ~ExchangeFixture() { QDir::setCurrent(previous); }
    QString path(const QString &name) const { return dir.filePath(name); }
    LibDORE &db() { return database; }

    // Writes text to the file name (relative to the folder), creating its folder.
    void writeText(const QString &name, const QByteArray &text) const
    {
        QDir().mkpath(QFileInfo(path(name)).path());
        QFile file(path(name));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(text) == text.size());
    }
    QByteArray readText(const QString &name) const
    {
        QFile file(path(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
    }
    Data_Line *addLine(int lineName, int use = 1, const QString &note = QString())
    {
        Data_Line *line = projects->at(0).object->REF_Data_Line()->appendNew().object;
        line->setLineName(lineName);
        line->setUse(use);
        line->setNote(note);
        line->commit();
        return line;
    }
    Data_Station *addStation(Data_Line *line, float number, const QVector<OneFreqImpedance> &exCurve = {}, int use = 1)
    {
        Data_Station *station = line->REF_Data_Station()->appendNew().object;
        station->setStationNum(number);
        station->setUse(use);
        station->setData_ImpedanceEx(CurveBlob::encode(exCurve));
        station->commit();
        return station;
    }
};

// Feedback whose operator cancels at the first report.
class CancelAtOnce : public WorkFeedback {
protected:
    void reported() override { cancel(); }
};

// n records from f0 upwards by factor step with the given rho and phase, coherency 0.9.
inline QVector<OneFreqImpedance> flatCurve(int n, double rho, double phase, double f0 = 1.0, double step = 2.0)
{
    QVector<OneFreqImpedance> curve(n);
    for (int i = 0; i < n; ++i, f0 *= step)
        curve[i] = {0, f0, 0.9, rho, phase};
    return curve;
}
