#pragma once
// A main window over a synthetic survey in a temporary work folder: line 1 with stations 1 and 2,
// line 2 with station 5, each recorded once at 2400 Hz for 8 s. The operator is scripted; rows
// are read back through a second, plain SQL connection.

#include <QAction>
#include <QDir>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>
#include <functional>
#include <memory>

#include "Form_Project.h"
#include "MainRibbonControls.h"
#include "MainWindow.h"
#include "ReadBack.h"
#include "ScriptedOperatorDialogs.h"
#include "SyntheticProject.h"

inline StationPlan smallStation(int line, int station)
{
    StationPlan plan;
    plan.line = line;
    plan.station = station;
    RecordingPlan recording;
    recording.sampleRate = 2400;
    recording.seconds = 8;
    recording.seed = std::uint64_t(10 * line + station);
    plan.recordings = {recording};
    return plan;
}

inline SurveyPlan smallSurvey()
{
    SurveyPlan survey;
    survey.stations = {smallStation(1, 1), smallStation(1, 2), smallStation(2, 5)};
    return survey;
}

class WindowFixture {
    QTemporaryDir dir;  // first in, last out: the files outlive the window
    QString previousDir = QDir::currentPath();

public:
    QString projectFile;
    ScriptedOperatorDialogs dialogs;
    QQueue<QMessageBox::StandardButton> saveAnswers;
    QStringList saveQuestions;
    std::unique_ptr<MainWindow> window;
    bool valid = false;

    explicit WindowFixture(const SurveyPlan &survey = smallSurvey())
        : WindowFixture([&survey](const QString &folder, QString &file) {
              SurveyDescription written;
              return SyntheticProject::create(survey, folder, "survey", &written, &file)
                     && QDir(folder).mkpath("tensors");
          })
    {
    }
    // A window beside the project makeProject writes into the work folder (naming its file).
    explicit WindowFixture(const std::function<bool(const QString &folder, QString &projectFile)> &makeProject)
    {
        valid = makeProject(dir.path(), projectFile);
        window.reset(new MainWindow(&dialogs, path("history.ini")));
        window->setSaveQuestion([this](const QString &title, const QString &) {
            saveQuestions.append(title);
            return saveAnswers.isEmpty() ? QMessageBox::Cancel : saveAnswers.dequeue();
        });
        // Wide enough for the whole ribbon in the offscreen platform's font, so that no group is
        // folded away from the clicks of the tests.
        window->resize(2000, 1000);
        window->show();
        QApplication::setActiveWindow(window.get());
    }
    ~WindowFixture()
    {
        window.reset();
        QDir::setCurrent(previousDir);
    }

    QString path(const QString &name) const { return dir.filePath(name); }
    MainRibbonControls *controls() const { return window->controls(); }

    // Opens the survey's project through the ribbon's "打开" with the scripted answer.
    bool openProject()
    {
        dialogs.fileNames.enqueue(projectFile);
        controls()->open->trigger();
        return window->isProjectOpen();
    }

    // Double-clicks an item of the project tree as the operator does: an item view takes a double
    // click only after a press on the same item.
    void doubleClickInTree(const QModelIndex &index) const
    {
        QTreeView *tree = window->projectForm()->treeView();
        tree->expandAll();
        tree->doItemsLayout();
        tree->scrollTo(index);
        const QPoint centre = tree->visualRect(index).center();
        QTest::mouseClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
        QTest::mouseDClick(tree->viewport(), Qt::LeftButton, Qt::NoModifier, centre);
    }

    // The rows of a query on the project file, read through a connection of the test's own.
    QList<QVariantList> rows(const QString &statement) const { return ReadBack::rows(projectFile, statement); }
};
