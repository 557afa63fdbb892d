// Page: one page of a document's page tree, as handed to callers. It keeps
// the page's objects alive, but references inside them resolve through the
// document, which must outlive the page.
#pragma once

#include "zpdf/Array.h"
#include "zpdf/Dict.h"
#include "zpdf/Object.h"

#include <cstdint>
#include <utility>

namespace zpdf {

class Page {
public:
    // node: the page as the tree lists it (a reference, or the dictionary).
    Page(const IPtr<Object>& node, const IPtr<Dict>& dict, int32_t objectNumber)
        : m_node(node), m_dict(dict), m_objectNumber(objectNumber)
    {
    }

    const IPtr<Object>& node() const { return m_node; }
    const IPtr<Dict>& dict() const { return m_dict; }
    // 0 for a page dictionary written directly into its parent's "Kids".
    int32_t objectNumber() const { return m_objectNumber; }

    // "MediaBox" of the page, or else of the nearest ancestor ("Parent" by
    // "Parent") that has one; null when none has. A "Parent" chain that
    // loops ends the search.
    IPtr<Rectangle> getMediaBox() const;
    // Turns the page by degrees (taken modulo 360, keeping its sign). With
    // absolute, or when the page has no "Rotate" of its own, "Rotate" becomes
    // that value (a relative 0 changes nothing); otherwise the value is added
    // to the page's "Rotate", modulo 360.
    void rotate(int degrees, bool absolute);

private:
    IPtr<Object> m_node;
    IPtr<Dict> m_dict;
    int32_t m_objectNumber;
};

// What makes a node of the page tree the same node when it is met again (to
// end loops): the number and generation of the object a reference names, or
// the address of a dictionary written in place.
std::pair<const void*, int64_t> treeNodeIdentity(const IPtr<Object>& node, const IPtr<Dict>& dict);

} // namespace zpdf
