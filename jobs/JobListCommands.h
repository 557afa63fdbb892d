// Which whole-job commands the job list offers now: the toolbar's enable
// rules, the choice between running the "all" command at once and asking
// all-or-selected, and the move rules. Pure, so the rules are tested alone.
#pragma once

#include <vector>

namespace joblist {

// Toolbar and menu command ids of the job list.
enum Command : int {
    CreateEmpty = 0,
    SaveMenu = 1,
    SaveAll = 2,
    SaveSelected = 3,
    MergeMenu = 4,
    MergeAll = 5,
    MergeSelected = 6,
    RemoveMenu = 7,
    DeleteAll = 8,
    DeleteSelected = 9,
    EmailMenu = 10,
    EmailAll = 11,
    EmailSelected = 12,
    MoveUp = 13,
    MoveDown = 14,
    OpenViewer = 15,
    Views = 16,
    PageNumbers = 17,
    PrintSelected = 18,
    RotateRight = 19,
    RotateLeft = 20,
    Sort = 21,
    FaxSelected = 22,
};

// What the rules look at: the jobs in display order, whether each is selected
// and whether it has pages.
struct ListState {
    std::vector<bool> selected;
    std::vector<bool> hasPages;

    int all() const { return static_cast<int>(selected.size()); }
    int selectedCount() const;
    int withPages() const;
    int selectedWithPages() const;
};

bool isEnabled(const ListState& state, int command);

// The all-or-selected menus: the menu only when the selected count is at
// least 1 and differs from the total, else the all command at once.
bool asksAllOrSelected(int selected, int total);
// The merge menu also needs two selected jobs with pages.
bool asksMergeAllOrSelected(const ListState& state);

// Move up (-1) or down (+1): exactly one job selected, not already at that end.
bool canMove(const ListState& state, int direction);

} // namespace joblist
