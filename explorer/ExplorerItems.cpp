#include "explorer/ExplorerItems.h"

#include "base/NaturalOrder.h"
#include "base/TextUtil.h"

#include <algorithm>

void ExplorerItem::rename(const ZString& newName)
{
    name = newName;
    displayName = newName;
    if (newName.length() > 4 && ZString(newName.substring(newName.length() - 4)).equalsIgnoreCase(L".lnk"))
        displayName = newName.substring(0, newName.length() - 5);
}

ExplorerItem makeExplorerItem(const ZString& name, bool folder)
{
    ExplorerItem item;
    item.flags = folder ? ExplorerItem::Folder : ExplorerItem::File;
    item.rename(name);
    return item;
}

bool explorerItemLess(const ExplorerItem& a, const ExplorerItem& b)
{
    if (a.isFolder() != b.isFolder())
        return a.isFolder();
    return naturalCompare(a.name.view(), b.name.view()) < 0;
}

void sortExplorerItems(std::vector<ExplorerItem>& items)
{
    std::stable_sort(items.begin(), items.end(), explorerItemLess);
}

ZString fileExtension(const ZString& name)
{
    const int dot = name.findLastChar(L'.');
    if (dot <= 0 || dot + 1 >= name.length())
        return ZString();
    return name.substring(dot + 1);
}

ExtensionFilter ExtensionFilter::parse(const ZString& text)
{
    ExtensionFilter filter;
    std::vector<ZString> parts;
    split(text, L" ", parts);
    for (ZString& part : parts) {
        part.trim();
        if (!part.isEmpty())
            filter.add(part);
    }
    return filter;
}

ZString ExtensionFilter::text() const
{
    ZString out;
    for (const ZString& extension : m_extensions) {
        if (!out.isEmpty())
            out += L' ';
        out += extension;
    }
    return out;
}

void ExtensionFilter::add(const ZString& extension)
{
    ZString lower = extension;
    lower.toLower();
    if (!lower.isEmpty() && !contains(lower))
        m_extensions.push_back(lower);
}

bool ExtensionFilter::contains(const ZString& extension) const
{
    ZString lower = extension;
    lower.toLower();
    return std::find(m_extensions.begin(), m_extensions.end(), lower) != m_extensions.end();
}

bool ExtensionFilter::accepts(const ZString& fileName) const
{
    const ZString extension = fileExtension(fileName);
    if (extension.isEmpty())
        return false;
    return isEmpty() || contains(extension);
}
