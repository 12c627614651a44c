#include "HubFixture.h"

#include <QDir>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QtEndian>

#include "Data_Line.h"
#include "Data_Station.h"
#include "SyntheticProject.h"

RecordingSpec recordingSpec(int rate, int seconds, bool tensor, std::uint64_t seed)
{
    RecordingSpec spec;
    spec.sampleRate = rate;
    spec.seconds = seconds;
    spec.tensor = tensor;
    spec.seed = seed;
    return spec;
}

StationSpec stationSpec(int line, int station, const QList<RecordingSpec> &recordings)
{
    StationSpec spec;
    spec.line = line;
    spec.station = station;
    spec.exDipole = 60;
    spec.eyDipole = 40;
    spec.recordings = recordings;
    return spec;
}

ReCalculateParam recomputeSettings(int n, int count, bool tensorMode)
{
    ReCalculateParam settings;
    settings.fftLength = float(n);
    settings.fftCount = count;
    settings.tensorMode = tensorMode;
    settings.recomputeImpedance = true;
    return settings;
}

QVector<OneFreqImpedance> blobRecords(const QByteArray &blob)
{
    QVector<OneFreqImpedance> records;
    for (int offset = 0; offset + 56 <= blob.size(); offset += 56) {
        double fields[7];
        for (int f = 0; f < 7; ++f)
            fields[f] = qFromLittleEndian<double>(blob.constData() + offset + 8 * f);
        records.append({fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6]});
    }
    return records;
}

HubFixture::HubFixture(const SurveySpec &survey) : previousDir(QDir::currentPath())
{
    SurveyDescription written;
    valid = dir.isValid()
            && SyntheticProject::create(survey, dir.path(), QStringLiteral("hub"), &written, &projectFile)
            && QDir(dir.path()).mkpath(QStringLiteral("tensors")) && QDir::setCurrent(dir.path());
    connection = QStringLiteral("hub-test-reader-") + dir.path();
    QSqlDatabase reader = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    reader.setDatabaseName(projectFile);
    valid = valid && reader.open() && db.open(projectFile);
    if (valid)
        reopen();
}

HubFixture::~HubFixture()
{
    hub.clearModel();
    QSqlDatabase::database(connection).close();
    QSqlDatabase::removeDatabase(connection);
    QDir::setCurrent(previousDir);
}

void HubFixture::reopen()
{
    hub.openProject(dir.path(), &db);
}

QList<QVariantList> HubFixture::rows(const QString &table, const QString &columns,
                                     const QString &where) const
{
    QSqlQuery query(QSqlDatabase::database(connection));
    query.exec(QStringLiteral("SELECT %1 FROM %2 %3 ORDER BY ID")
                   .arg(columns, table, where.isEmpty() ? QString() : QStringLiteral("WHERE ") + where));
    QList<QVariantList> result;
    while (query.next()) {
        QVariantList row;
        for (int c = 0; c < query.record().count(); ++c)
            row.append(query.value(c));
        result.append(row);
    }
    return result;
}

QVariant HubFixture::value(const QString &table, const QString &column, int id) const
{
    const QList<QVariantList> found = rows(table, column, QStringLiteral("ID = %1").arg(id));
    return found.isEmpty() ? QVariant() : found.first().first();
}

bool HubFixture::execute(const QString &statement) const
{
    QSqlQuery query(QSqlDatabase::database(connection));
    return query.exec(statement);
}

int HubFixture::stationId(int lineName, double stationNum) const
{
    const QList<QVariantList> found = rows(
        QStringLiteral("Data_Station"), QStringLiteral("ID"),
        QStringLiteral("StationNum = %1 AND Data_LineID = (SELECT ID FROM Data_Line WHERE LineName = %2)")
            .arg(stationNum).arg(lineName));
    return found.isEmpty() ? -1 : found.first().first().toInt();
}

QList<int> HubFixture::recordingIds(int stationId) const
{
    QList<int> ids;
    for (const QVariantList &row : rows(QStringLiteral("Data_SampleData"), QStringLiteral("ID"),
                                        QStringLiteral("Data_StationID = %1").arg(stationId)))
        ids.append(row.first().toInt());
    return ids;
}

bool HubFixture::positionsOf(int lineName, double stationNum, int &line, int &station) const
{
    for (line = 0; line < hub.lines()->count(); ++line) {
        Data_Line *l = hub.lineAt(line);
        if (l->LineName() != lineName)
            continue;
        for (station = 0; station < l->REF_Data_Station()->count(); ++station)
            if (hub.stationAt(line, station)->StationNum() == float(stationNum))
                return true;
    }
    return false;
}
