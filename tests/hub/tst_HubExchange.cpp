#include "TestHubExchange.h"

#include <QFile>
#include <QtTest>

#include "CurveBlob.h"
#include "Data_Station.h"
#include "HubFixture.h"
#include "InversionParam.h"

namespace {

// A 100 ohm-m half-space seen from 1 Hz to 512 Hz: 45 degrees, Bostick resistivity 100 ohm-m.
QVector<OneFreqImpedance> halfSpaceCurve()
{
    QVector<OneFreqImpedance> curve;
    for (double f = 1; f <= 512; f *= 2) {
        OneFreqImpedance record;
        record.freq = f;
        record.coherency = 0.95;
        record.rho = 100.0;
        record.phase = 45.0;
        curve.append(record);
    }
    return curve;
}

} // namespace

void TestHubExchange::lineSectionIsPublishedAndExported()
{
    SurveySpec survey;
    survey.stations = {stationSpec(1, 10, {recordingSpec(1024, 1)}),
                       stationSpec(1, 20, {recordingSpec(1024, 1)})};
    HubFixture f(survey);
    QVERIFY(f.isValid());
    for (int s = 0; s < 2; ++s) {
        Data_Station *station = f.hub.stationAt(0, s);
        station->setData_ImpedanceEx(CurveBlob::encode(halfSpaceCurve()));
        QVERIFY(station->commit());
    }
    f.dialogs.inversionAnswers << [](InversionParam &param) {
        param.topography = {{0, 50}, {30, 50}};
        param.minTopo = -3000;
    };
    QStringList order;
    QList<DataType_ResultData> shown;
    QObject::connect(&f.hub, &TreeModel_Index::signal2DISOGraphChanged,
                     [&](QList<DataType_ResultData> section, QVector<TopoData>, QMap<float, QColor>, bool) {
                         order << "graph";
                         shown = section;
                     });
    QObject::connect(&f.hub, &TreeModel_Index::signal_StaticResistivity, [&] { order << "range"; });
    QObject::connect(&f.hub, &TreeModel_Index::signal_CentralWidgetChanged,
                     [&](int page) { order << QString("page %1").arg(page); });
    QObject::connect(&f.hub, &TreeModel_Index::setExportData, [&](bool on) { order << QString("export %1").arg(on); });

    f.hub.showStation(0, -1);  // a double click on the line
    QCOMPARE(order, QStringList({"graph", "range", "page 2", "export 1"}));
    QCOMPARE(shown.size(), 2);

    const QString path = f.workDir() + "/section.dat";
    QVERIFY(f.hub.exportSection(path));
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadOnly | QIODevice::Text));
    const QStringList rows = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts);
    int layers = 0;
    for (const DataType_ResultData &column : shown)
        layers += column.depth.size();
    QVERIFY(layers > 0);
    QCOMPARE(rows.size(), layers);
    QSet<QString> positions;
    for (const QString &row : rows) {
        const QStringList fields = row.split(',');
        QCOMPARE(fields.size(), 3);
        positions << fields[0];
        QVERIFY2(qAbs(fields[2].toDouble() - 100.0) < 1e-3, qPrintable(row));  // the half-space
    }
    QCOMPARE(positions, QSet<QString>({"10", "20"}));
    QCOMPARE(f.dialogs.callsOf("information").last().text, QStringLiteral("保存数据成功"));
}
