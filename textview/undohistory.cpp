#include "undohistory.h"

namespace huevane {

void UndoHistory::record(Edit edit)
{
    Edit *last = m_undo.empty() ? nullptr : &m_undo.back();
    if (last && edit.kind == Kind::Typing && last->kind == edit.kind && edit.removed.isEmpty()
        && last->at + last->inserted.size() == edit.at) {
        last->inserted += edit.inserted;
    } else if (last && edit.kind == Kind::Erasing && last->kind == edit.kind
               && last->inserted.isEmpty()
               && (edit.at + edit.removed.size() == last->at || edit.at == last->at)) {
        last->removed = edit.at + edit.removed.size() == last->at ? edit.removed + last->removed
                                                                  : last->removed + edit.removed;
        last->at = edit.at;
    } else {
        m_undo.push_back(std::move(edit));
    }
    m_redo.clear();
}

void UndoHistory::clear()
{
    m_undo.clear();
    m_redo.clear();
}

std::optional<UndoHistory::Edit> UndoHistory::take(std::vector<Edit> &from, std::vector<Edit> &to)
{
    if (from.empty())
        return std::nullopt;
    Edit step = std::move(from.back());
    from.pop_back();
    // A step undone and redone stands on its own: nothing typed later joins it.
    step.kind = Kind::Other;
    to.push_back(step);
    return step;
}

} // namespace huevane
