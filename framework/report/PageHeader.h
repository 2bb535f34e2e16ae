#pragma once

#include "report/Page.h"

#include <string>

namespace report {

// What the top of every page tells: who printed what, where and when.
struct PageHeader {
    std::string Company;
    std::string Branch;
    std::string Title;
    std::string Filter;
    std::string Operator;
    std::string PrintedAt; // as the operator reads it: "08/12/2026 14:05"
    std::string Footer;    // the left text of the page's foot

    static constexpr int Height = 74; // from the top margin to the body
    static constexpr int FooterHeight = 18;

    // "Página N de M"
    static std::string PageText(int number, int count);

    // Draws the header between left and right from top, and the foot above bottom.
    void Draw(Page& page, int left, int right, int top, int bottom, int number, int count) const;
};

} // namespace report
