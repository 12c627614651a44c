// The spectral records travel through queued signal connections under the names the program's
// signals use.

#include "SpectrixTestSupport.h"

#include <QtTest>

#include <cstring>

using namespace SpectrixTest;

class ImpedanceSender : public QObject {
    Q_OBJECT
signals:
    void ExHyImpedanceChanged(QVector<OneFreqImpedance> curve);
};

class ImpedanceReceiver : public QObject {
    Q_OBJECT
public slots:
    void takeCurve(QVector<OneFreqImpedance> curve) { received.append(curve); }

public:
    QList<QVector<OneFreqImpedance>> received;
};

class TestRecords : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { registerSpectralMetaTypes(); }
    void curveTravelsThroughQueuedConnection();
};

void TestRecords::curveTravelsThroughQueuedConnection()
{
    QCOMPARE(QMetaType::type("QVector<OneFreqImpedance>"), qMetaTypeId<QVector<OneFreqImpedance>>());

    ImpedanceSender sender;
    ImpedanceReceiver receiver;
    QVERIFY(QObject::connect(&sender, SIGNAL(ExHyImpedanceChanged(QVector<OneFreqImpedance>)), &receiver,
                             SLOT(takeCurve(QVector<OneFreqImpedance>)), Qt::QueuedConnection));
    const QVector<OneFreqImpedance> curve{{0.25, 1, 0.9, 100, 45, 100, 3560}, {0, 10, kNaN, 1, 45, 1, 112.5},
                                          {-1, 1e4, 0.01, kInf, 78.75, 0, 0}};
    emit sender.ExHyImpedanceChanged(curve);
    QVERIFY(receiver.received.isEmpty());

    QCoreApplication::processEvents();
    QCOMPARE(receiver.received.size(), 1);
    const QVector<OneFreqImpedance> &arrived = receiver.received.first();
    QCOMPARE(arrived.size(), curve.size());
    // Byte comparison: curves are stored as raw 56-byte records, NaN included.
    QVERIFY(std::memcmp(arrived.constData(), curve.constData(), sizeof(OneFreqImpedance) * curve.size()) == 0);
}

int SpectrixTest::runRecordTests(int argc, char **argv)
{
    TestRecords test;
    return QTest::qExec(&test, argc, argv);
}

#include "TestRecords.moc"
