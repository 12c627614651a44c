#include "Data_FitCalc.h"

Data_FitCalc::Data_FitCalc(QObject *parent) : QObject(parent)
{
}

void Data_FitCalc::smoothCurve(QVector<double> &first, QVector<double> &second) const
{
    first = smoothed(first);
    second = smoothed(second);
}

QVector<double> Data_FitCalc::smoothed(const QVector<double> &y)
{
    const int n = y.size();
    if (n < 3)
        return y;
    QVector<double> result(n);
    result[0] = (2 * y[1] + 5 * y[0] - y[2]) / 6.0;
    for (int i = 1; i < n - 1; ++i)
        result[i] = (y[i - 1] + y[i] + y[i + 1]) / 3.0;
    result[n - 1] = (2 * y[n - 2] + 5 * y[n - 1] - y[n - 3]) / 6.0;
    return result;
}
