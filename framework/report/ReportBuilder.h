#pragma once

#include "report/Document.h"
#include "report/PageHeader.h"

#include <functional>
#include <string>

namespace report {

// Lays rows out on pages: a row that does not fit under the previous one starts a new page, so
// no row is ever split. The page header (with "Página N de M") and foot are drawn when the
// report is finished, once the page count is known.
class ReportBuilder {
public:
    // Draws a row with its top at `top`.
    using Draw = std::function<void(Page& page, int top)>;

    explicit ReportBuilder(PageHeader header, PageSize size = PageSize::A4Portrait(), Margins margins = {});

    int Left() const { return m_margins.Left; }
    int Right() const { return m_size.Width - m_margins.Right; }
    // The height left for rows on the current page.
    int Remaining() const;

    // A band repeated at the top of every page's body (column titles).
    void SetPageBand(int height, Draw draw);
    // Adds a row; throws std::invalid_argument for a row taller than a page's body.
    void AddRow(int height, const Draw& draw);
    // Starts a new page unless `height` still fits, so what follows stays together; a height
    // taller than a page's body starts no page.
    void KeepTogether(int height);
    bool IsEmpty() const { return m_rows == 0; }

    // The document; an empty report is one page with its header and `emptyText`.
    Document Finish(const std::string& emptyText);

private:
    int BodyTop() const { return m_margins.Top + PageHeader::Height; }
    int BodyBottom() const { return m_size.Height - m_margins.Bottom - PageHeader::FooterHeight; }
    void NewPage();

    PageHeader m_header;
    PageSize m_size;
    Margins m_margins;
    int m_bandHeight = 0;
    Draw m_band;
    std::vector<Page> m_pages;
    int m_y = 0;
    int m_rows = 0;
};

} // namespace report
