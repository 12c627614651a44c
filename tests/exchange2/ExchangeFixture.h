#pragma once
// Fixtures of the exchange tests: a temporary work folder that is the current directory while the
// fixture lives (the exports resolve "tensors/", "nlcg" and "nlls" against it), and a project file
// in it with lines and stations made through the store.

#include <QTemporaryDir>
#include <QVector>
#include <memory>

#include "DORE_Collection.h"
#include "Data_Line.h"
#include "Data_Project.h"
#include "Data_Station.h"
#include "LibDORE.h"
#include "SpectralRecords.h"

class WorkFolder {
public:
    WorkFolder();
    ~WorkFolder();
    QString path(const QString &name = QString()) const;
    // Writes text to the file name (relative to the folder), creating its folder.
    void writeText(const QString &name, const QByteArray &text) const;
    QByteArray readText(const QString &name) const;

private:
    QTemporaryDir dir;
    QString previous;
};

class TestProject {
public:
    explicit TestProject(const QString &file);
    LibDORE &db() { return *database; }
    Data_Project *project() { return projects->at(0).object; }
    Data_Line *addLine(int lineName, int use = 1, const QString &note = QString());
    Data_Station *addStation(Data_Line *line, float number,
                             const QVector<OneFreqImpedance> &exCurve = {}, int use = 1);

private:
    std::unique_ptr<LibDORE> database;
    std::unique_ptr<DORE_Collection<Data_Project>> projects;
};

// A curve of n records from f0 upwards by factor step, with the given rho and phase.
QVector<OneFreqImpedance> flatCurve(int n, double rho, double phase, double f0 = 1.0,
                                    double step = 2.0);
