#include "DemoInversionPrograms.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>

namespace DemoInversionPrograms {

bool install(const QString &workDir)
{
    const QDir work(workDir);
    if (!work.mkpath(QStringLiteral("nlls/SampleData")) || !work.mkpath(QStringLiteral("nlcg")))
        return false;
    const QString programs[][2] = {{"MTNLCG.exe", "nlcg"}, {"MT2DACB.exe", "nlls"}};
    for (const auto &program : programs) {
        const QString source = QCoreApplication::applicationDirPath() + '/' + program[0];
        const QString target = work.filePath(program[1] + '/' + program[0]);
        QFile::remove(target);
        if (!QFile::copy(source, target)) {
            qWarning().noquote() << "DemoInversionPrograms::install: cannot copy" << source << "to"
                                 << target;
            return false;
        }
    }
    return true;
}

} // namespace DemoInversionPrograms
