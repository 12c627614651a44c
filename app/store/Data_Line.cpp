#include "Data_Line.h"

#include "Data_Station.h"

Data_Line::Data_Line(LibDORE *db, QObject *parent) : DORE_BaseObject(db, parent) {}

Data_Line::~Data_Line()
{
    delete m_stations;
}

void Data_Line::setLineName(int value)
{
    m_lineName = value;
    propertyChanged(QStringLiteral("LineName"));
}

void Data_Line::setUse(int value)
{
    m_use = value;
    propertyChanged(QStringLiteral("Use"));
}

void Data_Line::setNote(const QString &value)
{
    m_note = value;
    propertyChanged(QStringLiteral("Note"));
}

void Data_Line::setData_ProjectID(int value)
{
    m_projectId = value;
    propertyChanged(QStringLiteral("Data_ProjectID"));
}

DORE_Collection<Data_Station> *Data_Line::REF_Data_Station()
{
    initReferences();
    return m_stations;
}

void Data_Line::resetREF_Data_Station()
{
    delete m_stations;
    m_stations = new DORE_Collection<Data_Station>(db(), referenceKeyColumn(),
                                                   QString::number(ID()));
}

static QVector<OneFreqImpedance> curveOfMode(const Data_Station &station, int mode)
{
    const StationCurves curves = station.storedCurves();
    switch (mode) {
    case Data_Line::ModeExHy:
        return curves.exHy;
    case Data_Line::ModeEyHx:
        return curves.eyHx;
    case Data_Line::ModeEx2Hy:
        return curves.ex2Hy;
    case Data_Line::ModeMultiPolarity:
        return curves.multiPolarity;
    default:
        return {};
    }
}

void Data_Line::sectionData(int mode, double lowest, double highest,
                            QList<QVector<OneFreqImpedance>> &curves, QList<double> &positions)
{
    initReferences();
    curves.clear();
    positions.clear();
    const bool hasLowest = lowest != kNoBound;
    const bool hasHighest = highest != kNoBound;
    // Only two given bounds can contradict each other; one missing bound leaves that end open.
    if (hasLowest && hasHighest && lowest > highest)
        return;
    for (int s = 0; s < m_stations->count(); ++s) {
        const Data_Station *station = m_stations->at(s).object;
        if (!station || station->Use() == 0)
            continue;
        const double number = station->StationNum();
        if ((hasHighest && number > highest) || (hasLowest && number < lowest))
            continue;
        const QVector<OneFreqImpedance> curve = curveOfMode(*station, mode);
        if (curve.isEmpty())
            continue;
        curves.append(curve);
        positions.append(number);
    }
}

QList<StationCurve> Data_Line::channelSelection(const QStringList &components)
{
    initReferences();
    QList<StationCurve> selection;
    for (int s = 0; s < m_stations->count(); ++s) {
        const Data_Station *station = m_stations->at(s).object;
        if (!station || station->Use() == 0)
            continue;
        const StationCurves curves = station->storedCurves();
        const QList<QPair<QString, QVector<OneFreqImpedance>>> named{
            {QStringLiteral("Ex"), curves.exHy},
            {QStringLiteral("Ex2"), curves.ex2Hy},
            {QStringLiteral("Ey"), curves.eyHx}};
        for (const auto &entry : named)
            if (components.contains(entry.first) && !entry.second.isEmpty())
                selection.append(StationCurve{station->StationNum(), entry.first, entry.second});
    }
    return selection;
}
