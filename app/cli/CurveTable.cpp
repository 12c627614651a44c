#include "CurveTable.h"

#include <QMap>
#include <QPair>

namespace CurveTable {

namespace {

QString number(double value)
{
    return QString::number(value, 'g', 6);
}

// Frequencies compared at six significant digits, so that a curve rounded to single precision
// lines up with the others.
double frequencyKey(double freq)
{
    return number(freq).toDouble();
}

using RowKey = QPair<double, int>;  // frequency and occurrence within one curve

struct Column {
    const QVector<OneFreqImpedance> *curve;
    bool withCoherency;
    const QVector<ImpedanceErrorBar> *bars;  // null: no error columns
};

QString cellsOf(const Column &column, const OneFreqImpedance &z, const ImpedanceErrorBar *bar)
{
    QString cells = number(z.rho) + QLatin1Char(',') + number(z.phase);
    if (column.withCoherency)
        cells += QLatin1Char(',') + number(z.coherency);
    if (column.bars) {
        cells += bar ? QLatin1Char(',') + number(bar->rhoError) + QLatin1Char(',') + number(bar->phaseError)
                     : QStringLiteral(",,");
    }
    return cells;
}

QMap<RowKey, QStringList> lineUp(const QList<Column> &columns)
{
    QMap<RowKey, QStringList> rows;
    for (int c = 0; c < columns.size(); ++c) {
        const Column &column = columns.at(c);
        const QVector<const ImpedanceErrorBar *> bars =
            column.bars ? errorBarsAlong(*column.curve, *column.bars) : QVector<const ImpedanceErrorBar *>();
        QMap<double, int> seen;
        for (int i = 0; i < column.curve->size(); ++i) {
            const OneFreqImpedance &z = column.curve->at(i);
            const double key = frequencyKey(z.freq);
            QStringList &row = rows[{key, seen[key]++}];
            row.reserve(columns.size());
            while (row.size() < columns.size())
                row.append(QString());
            row[c] = cellsOf(column, z, bars.value(i));
        }
    }
    return rows;
}

QString emptyCells(const Column &column)
{
    return QString(1 + (column.withCoherency ? 1 : 0) + (column.bars ? 2 : 0), QLatin1Char(','));
}

} // namespace

QStringList scalarRows(const QVector<OneFreqImpedance> &exHy, const QVector<OneFreqImpedance> &eyHx,
                       const QVector<OneFreqImpedance> &ex2Hy,
                       const QVector<OneFreqImpedance> &multiPolarity,
                       const QVector<ImpedanceErrorBar> &exHyBars,
                       const QVector<ImpedanceErrorBar> &eyHxBars,
                       const QVector<ImpedanceErrorBar> &ex2HyBars)
{
    const bool errors = !(exHyBars.isEmpty() && eyHxBars.isEmpty() && ex2HyBars.isEmpty());
    QList<Column> columns{{&exHy, true, errors ? &exHyBars : nullptr},
                          {&eyHx, true, errors ? &eyHxBars : nullptr},
                          {&ex2Hy, true, errors ? &ex2HyBars : nullptr}};
    QString header = QStringLiteral("frequency_hz");
    for (const QString &pair : {QStringLiteral("ExHy"), QStringLiteral("EyHx"), QStringLiteral("Ex2Hy")}) {
        header += QStringLiteral(",%1_rho,%1_phase,%1_coherency").arg(pair);
        if (errors)
            header += QStringLiteral(",%1_rho_error,%1_phase_error").arg(pair);
    }
    if (!multiPolarity.isEmpty()) {
        columns.append({&multiPolarity, false, nullptr});
        header += QStringLiteral(",MP_rho,MP_phase");
    }
    QStringList lines{header};
    const QMap<RowKey, QStringList> rows = lineUp(columns);
    for (auto it = rows.cbegin(); it != rows.cend(); ++it) {
        QString line = number(it.key().first);
        for (int c = 0; c < columns.size(); ++c)
            line += QLatin1Char(',') + (it.value().at(c).isEmpty() ? emptyCells(columns.at(c))
                                                                    : it.value().at(c));
        lines << line;
    }
    return lines;
}

QStringList tensorRows(const QList<StationTensorFiles::BandImpedance> &records)
{
    QStringList lines{QStringLiteral("frequency_hz,band,rho_xx,phase_xx,rho_xy,phase_xy,rho_yx,"
                                     "phase_yx,rho_yy,phase_yy")};
    for (const StationTensorFiles::BandImpedance &r : records) {
        const TensorImpedance &z = r.impedance;
        lines << QStringList{number(z.freq), r.band, number(z.rhoXX), number(z.phaseXX),
                             number(z.rhoXY), number(z.phaseXY), number(z.rhoYX), number(z.phaseYX),
                             number(z.rhoYY), number(z.phaseYY)}
                     .join(QLatin1Char(','));
    }
    return lines;
}

} // namespace CurveTable
