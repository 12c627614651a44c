#pragma once
// A ready project beside a written synthetic survey: the project file "<work folder>/<name>.HMT"
// with one project row, one row per survey line, per station and per recording, created through
// the project store. The stations' folders and recording tables are the SurveyWriter's; the rows
// point at them by line name, station number and recording number.

#include <QString>

#include "SurveyDescription.h"
#include "SurveyPlan.h"

class SyntheticProject {
public:
    // Writes the project file of survey into survey.workDir. Refuses (false, warning naming the
    // file) an existing file, so that no project gains rows twice; false as well when a row
    // cannot be written, and then no project file is left behind.
    static bool write(const SurveyDescription &survey, const QString &name,
                      QString *projectFile = nullptr);

    // Writes the survey of request into workDir, then its project file.
    static bool create(const SurveyPlan &request, const QString &workDir, const QString &name,
                       SurveyDescription *survey, QString *projectFile = nullptr);

    // The project file path for name in workDir.
    static QString projectFilePath(const QString &workDir, const QString &name);
};
