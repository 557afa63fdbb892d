// What a drag out of the explorer offers: the list's selected items, or the
// folder of the tree node that is dragged.
#pragma once

#include "explorer/FileDataObject_win.h"

namespace ole {

class ListDataObject final : public FileDataObject {
public:
    explicit ListDataObject(std::vector<ZString> selected)
        : FileDataObject({}, ZString(), false), m_selected(std::move(selected))
    {
    }

protected:
    void populate() override { setFiles(m_selected); }

private:
    std::vector<ZString> m_selected;
};

class TreeDataObject final : public FileDataObject {
public:
    explicit TreeDataObject(const ZString& folder) : FileDataObject({}, ZString(), false), m_folder(folder) {}

protected:
    void populate() override { setFiles({m_folder}); }

private:
    ZString m_folder;
};

} // namespace ole
