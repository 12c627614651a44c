#include "SampleSourceFile.h"

#include <QDebug>
#include <QFileInfo>

#include "BinarySampleSource.h"
#include "TextSampleSource.h"

namespace SampleSourceFile {

namespace {

template <class Source>
std::unique_ptr<SampleSource> openAs(const QString &file, QString &error)
{
    auto source = std::make_unique<Source>(file);
    if (!source->open()) {
        error = QStringLiteral("cannot open: ") + source->errorString();
        return nullptr;
    }
    return source;
}

}  // namespace

bool isTextRecording(const QString &file)
{
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("txt") || suffix == QLatin1String("asc")
        || suffix == QLatin1String("csv");
}

std::unique_ptr<SampleSource> open(const QString &file, QString &error)
{
    if (isTextRecording(file))
        return openAs<TextSampleSource>(file, error);
    const qint64 tail = QFileInfo(file).size() % 4;
    if (tail != 0)
        qDebug().noquote() << "SampleSourceFile::open:" << file + ":" << "the last" << tail
                           << "bytes do not make a whole sample and are ignored";
    return openAs<BinarySampleSource>(file, error);
}

}  // namespace SampleSourceFile
