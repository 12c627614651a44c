#pragma once
// Running terrascope-cli as a separate process and reading its CSV tables, for the CLI tests.

#include <QMap>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace CliTest {

struct Run {
    int exitCode = -1;
    QString out;
    QString err;
};

inline Run cli(const QStringList &arguments)
{
    QProcess process;
    process.start(TERRASCOPE_CLI, arguments);
    Run run;
    if (!process.waitForFinished(300000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// A CSV table as rows of named fields.
inline QList<QMap<QString, QString>> table(const QString &csv)
{
    QStringList lines = csv.split('\n', Qt::SkipEmptyParts);
    const QStringList header = lines.isEmpty() ? QStringList() : lines.takeFirst().split(',');
    QList<QMap<QString, QString>> rows;
    for (const QString &line : lines) {
        const QStringList fields = line.split(',');
        rows.append(QMap<QString, QString>());
        for (int i = 0; i < header.size(); ++i)
            rows.last()[header.at(i)] = fields.value(i);
    }
    return rows;
}

} // namespace CliTest
