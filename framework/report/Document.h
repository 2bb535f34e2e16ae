#pragma once

#include "report/Page.h"
#include "report/PageSize.h"

#include <string>
#include <vector>

namespace report {

// A finished report: its sheets in order, all of one size.
struct Document {
    std::string Title;
    PageSize Size;
    std::vector<Page> Pages;

    int PageCount() const { return static_cast<int>(Pages.size()); }
};

} // namespace report
