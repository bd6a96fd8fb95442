#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace huevane {

/// The edits of a text box that can be undone and redone, most recent last.
/// Typing just after what was typed last joins its step, and so does erasing
/// just before or after what was erased last, so that an undo takes back a
/// word typed or erased key by key. Empty at first.
class UndoHistory
{
public:
    /// What an edit was, for joining it to the one before.
    enum class Kind { Other, Typing, Erasing };

    /// @p removed at @p at replaced with @p inserted.
    struct Edit
    {
        qsizetype at = 0;
        QString removed;
        QString inserted;
        Kind kind = Kind::Other;
    };

    /// Adds @p edit, joined to the last step where it goes on from it, and
    /// forgets what could be redone.
    void record(Edit edit);

    /// The step to undo, moved to those that can be redone; none when there is none.
    std::optional<Edit> undo() { return take(m_undo, m_redo); }

    /// The step to redo, moved back to those that can be undone.
    std::optional<Edit> redo() { return take(m_redo, m_undo); }

    bool canUndo() const { return !m_undo.empty(); }
    bool canRedo() const { return !m_redo.empty(); }

    /// Forgets every step.
    void clear();

private:
    static std::optional<Edit> take(std::vector<Edit> &from, std::vector<Edit> &to);

    std::vector<Edit> m_undo;
    std::vector<Edit> m_redo;
};

} // namespace huevane
