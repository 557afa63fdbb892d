#include "jobs/JobListCommands.h"

#include <algorithm>

namespace joblist {

int ListState::selectedCount() const { return static_cast<int>(std::count(selected.begin(), selected.end(), true)); }

int ListState::withPages() const { return static_cast<int>(std::count(hasPages.begin(), hasPages.end(), true)); }

int ListState::selectedWithPages() const
{
    int n = 0;
    for (size_t i = 0; i < selected.size() && i < hasPages.size(); ++i)
        n += selected[i] && hasPages[i] ? 1 : 0;
    return n;
}

bool canMove(const ListState& state, int direction)
{
    if (state.selectedCount() != 1)
        return false;
    const int index = static_cast<int>(std::find(state.selected.begin(), state.selected.end(), true) -
                                       state.selected.begin());
    return direction < 0 ? index > 0 : index < state.all() - 1;
}

bool isEnabled(const ListState& state, int command)
{
    switch (command) {
    case CreateEmpty:
    case Views:
        return true;
    case SaveMenu:
    case EmailMenu:
    case RotateLeft:
    case RotateRight:
        return state.withPages() >= 1;
    case MergeMenu:
        return state.withPages() >= 2;
    case joblist::RemoveMenu:
        return state.all() >= 1;
    case MoveUp:
        return canMove(state, -1);
    case MoveDown:
        return canMove(state, 1);
    case OpenViewer:
        return state.selectedCount() == 1 && state.selectedWithPages() == 1;
    case PrintSelected:
    case FaxSelected:
        return state.selectedWithPages() >= 1;
    case Sort:
        return state.all() >= 2;
    default:
        return false;
    }
}

bool asksAllOrSelected(int selected, int total) { return selected >= 1 && selected != total; }

bool asksMergeAllOrSelected(const ListState& state)
{
    return state.selectedWithPages() >= 2 && asksAllOrSelected(state.selectedWithPages(), state.withPages());
}

} // namespace joblist
