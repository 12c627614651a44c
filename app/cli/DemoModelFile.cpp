#include "DemoModelFile.h"

#include <QDebug>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QPair>
#include <QTextStream>

#include "TextFields.h"
#include "TextFileOutput.h"

namespace DemoModelFile {

namespace {

QString earthFields(const LayeredEarth &earth)
{
    QStringList fields{QString::number(earth.basementRho(), 'g', 10)};
    for (const LayeredEarth::Layer &layer : earth.layers())
        fields << QString::number(layer.rho, 'g', 10) << QString::number(layer.thickness, 'g', 10);
    return fields.join(QLatin1Char(' '));
}

// An earth from "basement [rho thickness]..." fields; false when the count or a value is wrong.
bool earthFrom(const QStringList &fields, LayeredEarth &earth)
{
    if (fields.isEmpty() || fields.size() % 2 != 1)
        return false;
    QVector<double> values;
    for (const QString &field : fields) {
        bool ok = false;
        values.append(field.toDouble(&ok));
        if (!ok || !(values.last() > 0))
            return false;
    }
    QVector<LayeredEarth::Layer> layers;
    for (int i = 1; i + 1 < values.size(); i += 2)
        layers.append({values.at(i), values.at(i + 1)});
    earth = LayeredEarth(layers, values.first());
    return true;
}

} // namespace

QString besideProject(const QString &projectFile)
{
    const QFileInfo file(projectFile);
    return file.absolutePath() + QLatin1Char('/') + file.completeBaseName()
           + QStringLiteral("-model.txt");
}

bool write(const QString &path, const SurveyPlan &survey)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "DemoModelFile::write"))
        return false;
    QTextStream out(&file);
    out << "# Earth models of the synthetic survey, in the recording axes\n"
        << "# line station polarisation basement_rho [rho thickness]... (ohm-m, m)\n";
    for (const StationPlan &station : survey.stations) {
        if (station.model.rotationDegrees() != 0.0) {
            qWarning().noquote() << "DemoModelFile::write:" << path << "cannot hold the rotated model"
                                 << "of station" << station.station;
            return false;
        }
        out << station.line << ' ' << station.station << " xy " << earthFields(station.model.xyEarth()) << '\n'
            << station.line << ' ' << station.station << " yx " << earthFields(station.model.yxEarth()) << '\n';
    }
    return TextFileOutput::finish(file, out, "DemoModelFile::write");
}

bool read(const QString &path, QList<StationEarths> &stations)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        qWarning().noquote() << "DemoModelFile::read: cannot read" << path;
        return false;
    }
    QTextStream in(&file);
    QMap<QPair<int, float>, StationEarths> byStation;
    for (int number = 1; !in.atEnd(); ++number) {
        const QString text = in.readLine();
        const QStringList fields = splitTextFields(text);
        if (fields.isEmpty() || text.trimmed().startsWith(QLatin1Char('#')))
            continue;
        LayeredEarth earth;
        const bool xy = fields.value(2) == QLatin1String("xy");
        if (fields.size() < 4 || (!xy && fields.value(2) != QLatin1String("yx"))
            || !earthFrom(fields.mid(3), earth)) {
            qWarning().noquote() << "DemoModelFile::read:" << path << "line" << number << "is malformed";
            return false;
        }
        StationEarths &station = byStation[{fields.at(0).toInt(), fields.at(1).toFloat()}];
        station.line = fields.at(0).toInt();
        station.station = fields.at(1).toFloat();
        (xy ? station.xy : station.yx) = earth;
    }
    stations = byStation.values();
    return true;
}

} // namespace DemoModelFile
