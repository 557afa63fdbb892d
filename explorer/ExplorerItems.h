// The explorer list's model: one item per entry of the shown folder, the
// extension filter, and the order (folders first, then by natural order).
#pragma once

#include "base/ZString.h"

#include <cstdint>
#include <vector>

struct ExplorerItem {
    enum Flags : uint32_t {
        Folder = 1u << 0,
        File = 1u << 1,
        IconDelivered = 1u << 4,
        ThumbnailDelivered = 1u << 5,
    };
    uint32_t flags = 0;
    ZString name;
    // The name shown: a shortcut's name without ".lnk".
    ZString displayName;

    bool isFolder() const { return (flags & Folder) != 0; }
    bool isFile() const { return (flags & File) != 0; }
    // Sets name and display name.
    void rename(const ZString& newName);
};

ExplorerItem makeExplorerItem(const ZString& name, bool folder);

// Folders before files, each group by natural order of the names.
bool explorerItemLess(const ExplorerItem& a, const ExplorerItem& b);
void sortExplorerItems(std::vector<ExplorerItem>& items);

// The extension of a file name without the dot, empty when it has none (a
// name that starts with its only dot has none either).
ZString fileExtension(const ZString& name);

// The extensions a list shows (lower-case); empty shows every file that has an extension.
class ExtensionFilter {
public:
    // From the stored form: extensions separated by spaces.
    static ExtensionFilter parse(const ZString& text);
    // The stored form: lower-case extensions separated by single spaces.
    ZString text() const;

    bool isEmpty() const { return m_extensions.empty(); }
    void add(const ZString& extension);
    void clear() { m_extensions.clear(); }
    bool contains(const ZString& extension) const;
    // Whether a file of that name is listed: it has an extension, and the
    // filter is empty or holds that extension.
    bool accepts(const ZString& fileName) const;

private:
    std::vector<ZString> m_extensions;
};
