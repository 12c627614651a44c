// A curve edit from the mouse to the project file: a synthetic station is processed and shown
// through the hub into the impedance view (wired as the main window wires them), one resistivity
// point is dragged, the edited curves are saved the way the main window's "保存" saves them, and
// the station's curves are read back from the file through a second connection.
#define QTEST_QPA_MOUSE_HANDLING
#include <QDir>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

#include "CurveBlob.h"
#include "Form_Impedance.h"
#include "LibDORE.h"
#include "PlotMouse.h"
#include "QwtPlotGraph.h"
#include "ScriptedOperatorDialogs.h"
#include "SyntheticProject.h"
#include "TreeModel_Index.h"

namespace {

const char *const kCurveColumns[] = {"Data_ImpedanceEx", "Data_ImpedanceEy", "Data_ImpedanceEx2"};

SurveySpec oneStationSurvey()
{
    RecordingSpec recording;
    recording.sampleRate = 2400;
    recording.seconds = 8;
    recording.seed = 41;
    StationSpec station;
    station.recordings = {recording};
    SurveySpec survey;
    survey.stations = {station};
    return survey;
}

// The station's three scalar curves as stored in the file, read through a connection of its own.
QList<QVector<OneFreqImpedance>> storedCurves(const QString &file)
{
    QList<QVector<OneFreqImpedance>> curves;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "second-reader");
        db.setDatabaseName(file);
        QSqlQuery query(db);
        if (db.open() && query.exec("SELECT Data_ImpedanceEx, Data_ImpedanceEy, Data_ImpedanceEx2 "
                                    "FROM Data_Station") && query.next())
            for (int c = 0; c < 3; ++c)
                curves.append(CurveBlob::decode(query.value(c).toByteArray()));
        db.close();
    }
    QSqlDatabase::removeDatabase("second-reader");
    return curves;
}

bool identical(const OneFreqImpedance &a, const OneFreqImpedance &b)
{
    return a.tag == b.tag && a.freq == b.freq && a.coherency == b.coherency && a.rho == b.rho
           && a.phase == b.phase && a.bostickRho == b.bostickRho && a.bostickDepth == b.bostickDepth;
}

void connectLikeTheMainWindow(TreeModel_Index &hub, Form_Impedance &view)
{
    QObject::connect(&hub, &TreeModel_Index::ExHyImpedanceChanged, &view, &Form_Impedance::onExHyImpedanceChanged);
    QObject::connect(&hub, &TreeModel_Index::EyHxImpedanceChanged, &view, &Form_Impedance::onEyHxImpedanceChanged);
    QObject::connect(&hub, &TreeModel_Index::Ex2HyImpedanceChanged, &view, &Form_Impedance::onEx2HyImpedanceChanged);
    QObject::connect(&hub, &TreeModel_Index::MPMTImpedanceChanged, &view, &Form_Impedance::onMPMTImpedanceChanged);
    QObject::connect(&hub, &TreeModel_Index::signal_SelectPointTitle, &view, &Form_Impedance::onSelectPointNameChanged);
}

} // namespace

class TestImpedanceSave : public QObject {
    Q_OBJECT
private slots:
    void draggedPointIsTheOnlyChangeInTheFile();
};

void TestImpedanceSave::draggedPointIsTheOnlyChangeInTheFile()
{
    QTemporaryDir dir;
    const QString previousDir = QDir::currentPath();
    QString projectFile;
    SurveyDescription written;
    QVERIFY(SyntheticProject::create(oneStationSurvey(), dir.path(), "survey", &written, &projectFile));
    QVERIFY(QDir(dir.path()).mkpath("tensors") && QDir::setCurrent(dir.path()));
    {
        LibDORE database;
        QVERIFY(database.open(projectFile));
        ScriptedOperatorDialogs dialogs;
        TreeModel_Index hub(&dialogs);
        hub.openProject(dir.path(), &database);
        ReCalculateParam settings;
        settings.fftLength = 512.0f;
        settings.fftCount = 20;
        settings.recomputeImpedance = true;
        hub.onRecalculateChanged(settings);
        QVERIFY(hub.openRecording(0, 0, 0));

        Form_Impedance view;
        connectLikeTheMainWindow(hub, view);
        view.resize(1280, 860);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        hub.showStation(0, 0);
        const QList<QVector<OneFreqImpedance>> before = storedCurves(projectFile);
        QCOMPARE(before.size(), 3);
        QVERIFY(before[0].size() > 10);
        QCOMPARE(view.stationTitle(), QStringLiteral("Station 1"));

        // Over a layered earth the three pairs lie on top of each other: the operator shows Ex-Hy
        // alone to edit it.
        view.setShowY(false);
        view.setShowZ(false);
        const int k = before[0].size() / 2;
        QwtPlotGraph *plot = view.resistivityPlot();
        const QPoint from = pixelOf(plot, QPointF(before[0][k].freq, before[0][k].rho));
        const QPoint to = from + QPoint(0, -60);
        dragOnCanvas(plot, from, to);
        const double dragged = plot->invTransform(QwtPlot::yLeft, to.y());

        hub.saveCurves(view.editedCurve(Form_Impedance::PairExHy), view.editedCurve(Form_Impedance::PairEyHx),
                       view.editedCurve(Form_Impedance::PairEx2Hy),
                       view.editedCurve(Form_Impedance::PairMultiPolarity));
        view.markSaved();

        const QList<QVector<OneFreqImpedance>> after = storedCurves(projectFile);
        QCOMPARE(after.size(), 3);
        for (int c = 0; c < 3; ++c) {
            QCOMPARE(after[c].size(), before[c].size());
            for (int i = 0; i < before[c].size(); ++i)
                if (c != 0 || i != k)
                    QVERIFY2(identical(after[c][i], before[c][i]),
                             qPrintable(QStringLiteral("%1 point %2 changed").arg(kCurveColumns[c]).arg(i)));
        }
        const OneFreqImpedance &point = after[0][k];
        QVERIFY(std::abs(point.rho / dragged - 1.0) < 1e-12);
        QVERIFY(point.rho > 1.5 * before[0][k].rho);
        QCOMPARE(point.freq, before[0][k].freq);
        QCOMPARE(point.phase, before[0][k].phase);
        QVERIFY(std::abs(point.bostickRho / ((90.0 / point.phase - 1.0) * point.rho) - 1.0) < 1e-12);
        QVERIFY(std::abs(point.bostickDepth / (356.0 * std::sqrt(point.rho / point.freq)) - 1.0) < 1e-12);
        hub.clearModel();
    }
    QDir::setCurrent(previousDir);
}

QTEST_MAIN(TestImpedanceSave)
#include "tst_ImpedanceSave.moc"
