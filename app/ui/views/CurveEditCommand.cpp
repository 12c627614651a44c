#include "CurveEditCommand.h"

#include <utility>

CurveEditCommand::CurveEditCommand(const QString &text, const ImpedanceEditState &before,
                                   const ImpedanceEditState &after, Apply apply)
    : QUndoCommand(text), before(before), after(after), apply(std::move(apply))
{
}
