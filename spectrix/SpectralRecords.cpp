#include "SpectralRecords.h"

void registerSpectralMetaTypes()
{
    qRegisterMetaType<gsl_complex>("gsl_complex");
    qRegisterMetaType<OneFreqSpectrum>("OneFreqSpectrum");
    qRegisterMetaType<OneFreqCrossPower>("OneFreqCrossPower");
    qRegisterMetaType<OneFreqImpedance>("OneFreqImpedance");
    qRegisterMetaType<OneFreqCheck>("OneFreqCheck");
    qRegisterMetaType<QList<OneFreqSpectrum>>("QList<OneFreqSpectrum>");
    qRegisterMetaType<QVector<OneFreqSpectrum>>("QVector<OneFreqSpectrum>");
    qRegisterMetaType<QVector<OneFreqCrossPower>>("QVector<OneFreqCrossPower>");
    qRegisterMetaType<QList<QVector<OneFreqCrossPower>>>("QList<QVector<OneFreqCrossPower>>");
    qRegisterMetaType<QVector<gsl_complex>>("QVector<gsl_complex>");
    qRegisterMetaType<QList<QVector<gsl_complex>>>("QList<QVector<gsl_complex>>");
    qRegisterMetaType<QVector<OneFreqImpedance>>("QVector<OneFreqImpedance>");
    qRegisterMetaType<QList<OneFreqCheck>>("QList<OneFreqCheck>");
}
