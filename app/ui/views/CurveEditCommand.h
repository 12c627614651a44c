#pragma once
// One undoable curve edit of the impedance view (a point or curve moved, a point masked or
// restored, the curves smoothed): the four pairs' curves before and after it. Redo and undo hand
// the matching state to the view, which shows it as its current curves.

#include <QUndoCommand>
#include <functional>

#include "CurveEdit.h"

class CurveEditCommand : public QUndoCommand {
public:
    using Apply = std::function<void(const ImpedanceEditState &)>;

    CurveEditCommand(const QString &text, const ImpedanceEditState &before,
                     const ImpedanceEditState &after, Apply apply);

    void redo() override { apply(after); }
    void undo() override { apply(before); }

private:
    ImpedanceEditState before;
    ImpedanceEditState after;
    Apply apply;
};
