#pragma once
// The short description of a project shown to the operator.

#include <QDate>
#include <QString>

struct ProjectSummary {
    QString projectId;
    QString projectName;
    QString projectAddress;
    QDate projectDate;  // local date of the stored seconds since 1970-01-01 00:00 UTC
    QString operatorName;
};
