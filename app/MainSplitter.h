// The main window's splitter: the explorer above or beside the job list, with
// the layout kept in the user settings ("QuilletOrientation") and a bar painted
// to match the explorer's header.
#pragma once

#include "gui/BaseSplitter.h"

#include <functional>

class MainSplitter : public BaseSplitter {
public:
    // headerHeight: the explorer header's height in pixels, asked at every paint.
    explicit MainSplitter(std::function<int()> headerHeight) : m_headerHeight(std::move(headerHeight)) {}

    // Stores the orientation whenever it changes.
    void setOrientation(int orientation) override;
    // The bar: a light gradient down to the header's height with two grip lines.
    void paintBar(HDC dc) override;

private:
    std::function<int()> m_headerHeight;
};
