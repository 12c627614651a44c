// The operator's messages speak one language: every title and text of the catalogue is Chinese, and
// no run of English words sits in them. Variable parts are filled with names, numbers and paths as
// the hub and the exchanges pass them.

#include <QRegularExpression>
#include <QtTest>

#include "OperatorMessages.h"

Q_DECLARE_METATYPE(OperatorMessage)

class TestOperatorMessages : public QObject {
    Q_OBJECT
private slots:
    void messagesAreChineseThroughout_data();
    void messagesAreChineseThroughout();
};

void TestOperatorMessages::messagesAreChineseThroughout_data()
{
    using namespace OperatorMessages;
    QTest::addColumn<OperatorMessage>("message");
    const QString path = QStringLiteral("/data/Line 1/p.HMT");
    const QList<QPair<const char *, OperatorMessage>> messages{
        {"not a project file", notProjectFile(path, {QStringLiteral("Data_Line"), QStringLiteral("Data_Station")})},
        {"nothing to show", nothingToShow(QStringLiteral("Station 3"))},
        {"station cleared", stationCleared(QStringLiteral("Station 3"))},
        {"recomputation failed, some stored",
         recomputationFailed(QStringLiteral("Line 1"), QStringLiteral("Station 3"), 2, 2400,
                             remoteStationMissing(), {QStringLiteral("EyHx"), QStringLiteral("Ex2Hy")})},
        {"recomputation failed, nothing stored",
         recomputationFailed(QStringLiteral("Line 1"), QStringLiteral("Station 3"), 1, 24000,
                             recordingTableMissing(path), {})},
        {"recomputation cancelled", recomputationCancelled(QStringLiteral("Line 1"), QStringLiteral("Station 3"), 1, 24000)},
        {"export cancelled", exportCancelled()},
        {"EDI without error bars", ediWithoutErrorBars(3.5)},
        {"EH4 folder missing", eh4FolderMissing(path)},
        {"EH4 failures", eh4ExportFailed({eh4StationWithoutPosition(qInf()), tensorFileNotWritten(path)})},
        {"merge files not open", mergeFilesNotOpen()},
        {"topography duplicates", topographyDuplicates({120, 250})},
        {"NLLS too few stations", nllsTooFewStations(3, 12)},
        {"program not removable", inversionResultNotRemovable()},
        {"inversion finished with misfit", inversionFinished(QStringLiteral("1.02"))},
        {"inversion cancelled", inversionCancelled()},
        {"volume points left out", volumePointsLeftOut({QStringLiteral("线1 点2（无此测点）")})},
        {"volume too few stations", volumeRefused(volumeTooFewStations(3, 2))},
        {"volume finished", volumeFinished(4, 20, 20, 15, {path + QStringLiteral(".vti")})}};
    for (const auto &row : messages)
        QTest::newRow(row.first) << row.second;
    const QStringList causes{tensorFlagsNotWritten(), pairCurveNotWritten(QStringLiteral("ExHy")),
                             noPairableChannels(), remoteRecordingMissing(QStringLiteral("Station 4"), 1024),
                             tensorFolderMissing(path), recordingTableUnreadable(path)};
    for (const QString &cause : causes)
        QTest::addRow("cause %s", qPrintable(cause.left(12))) << OperatorMessage{QStringLiteral("重新计算失败"), cause};
}

void TestOperatorMessages::messagesAreChineseThroughout()
{
    QFETCH(OperatorMessage, message);
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    // Three Latin words in a row make an English phrase; names such as "Line 1" or "ExHy" do not.
    static const QRegularExpression englishRun(QStringLiteral("[A-Za-z]{2,}(?:[ ,;']+[A-Za-z]{2,}){2,}"));
    for (const QString &shown : {message.title, message.text}) {
        QVERIFY2(shown.contains(han), qPrintable(shown));
        QVERIFY2(!shown.contains(englishRun), qPrintable(shown));
    }
}

QTEST_GUILESS_MAIN(TestOperatorMessages)
#include "tst_OperatorMessages.moc"
