#include "DemoWorkFolder.h"

#include <QDebug>
#include <QDir>
#include <QFile>
#include <QTextStream>

#include "DemoModelFile.h"
#include "TextFileOutput.h"

namespace DemoWorkFolder {

namespace {

struct ColourStop {
    int percent;
    int red, green, blue;
};

struct ColourScale {
    const char *fileName;
    QList<ColourStop> stops;
};

// A colour-scale file: a title line, then "percent red green blue" per stop.
bool writeColourScale(const QString &path, const ColourScale &scale)
{
    QFile file(path);
    if (!TextFileOutput::open(file, "DemoWorkFolder"))
        return false;
    QTextStream out(&file);
    out << "# colour scale " << scale.fileName << ": percent red green blue\n";
    for (const ColourStop &stop : scale.stops)
        out << stop.percent << ' ' << stop.red << ' ' << stop.green << ' ' << stop.blue << '\n';
    return TextFileOutput::finish(file, out, "DemoWorkFolder");
}

bool writeColourScales(const QDir &folder)
{
    const ColourScale scales[] = {
        // Conductive (low resistivity) red through to resistive blue, as sections are read.
        {"resistivity.clr", {{0, 170, 0, 0}, {20, 255, 60, 0}, {40, 255, 220, 0}, {55, 120, 220, 60},
                             {70, 0, 200, 220}, {85, 0, 90, 255}, {100, 40, 0, 150}}},
        {"greys.clr", {{0, 20, 20, 20}, {100, 245, 245, 245}}},
    };
    for (const ColourScale &scale : scales)
        if (!writeColourScale(folder.filePath(QLatin1String(scale.fileName)), scale))
            return false;
    return true;
}

bool makeFolder(const QDir &root, const QString &name)
{
    if (root.mkpath(name))
        return true;
    qWarning().noquote() << "DemoWorkFolder: cannot create" << root.filePath(name);
    return false;
}

} // namespace

QString modelFileName(const QString &projectName)
{
    return projectName + QStringLiteral("-model.txt");
}

bool writeExtras(const QString &workDir, const QString &projectName, const SurveyPlan &survey)
{
    const QDir root(workDir);
    for (const char *name : {"tensors", "nlcg", "nlls", "ColorScales"})
        if (!makeFolder(root, QLatin1String(name)))
            return false;
    return writeColourScales(QDir(root.filePath(QStringLiteral("ColorScales"))))
           && DemoModelFile::write(root.filePath(modelFileName(projectName)), survey);
}

} // namespace DemoWorkFolder
