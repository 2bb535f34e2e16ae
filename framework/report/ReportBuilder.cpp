#include "report/ReportBuilder.h"

#include "report/ReportFonts.h"

#include <stdexcept>

namespace report {

ReportBuilder::ReportBuilder(PageHeader header, PageSize size, Margins margins)
    : m_header(std::move(header)), m_size(size), m_margins(margins) {}

int ReportBuilder::Remaining() const {
    return m_pages.empty() ? BodyBottom() - BodyTop() - m_bandHeight : BodyBottom() - m_y;
}

void ReportBuilder::SetPageBand(int height, Draw draw) {
    m_bandHeight = height;
    m_band = std::move(draw);
}

void ReportBuilder::NewPage() {
    m_pages.emplace_back();
    m_y = BodyTop();
    if (m_band) {
        m_band(m_pages.back(), m_y);
        m_y += m_bandHeight;
    }
}

void ReportBuilder::KeepTogether(int height) {
    // A block taller than a whole page cannot be kept together; it flows from where it is.
    const int pageBody = BodyBottom() - BodyTop() - m_bandHeight;
    if (!m_pages.empty() && height > Remaining() && height <= pageBody)
        NewPage();
}

void ReportBuilder::AddRow(int height, const Draw& draw) {
    if (height > BodyBottom() - BodyTop() - m_bandHeight)
        throw std::invalid_argument("a report row is taller than a page");
    if (m_pages.empty() || height > Remaining())
        NewPage();
    draw(m_pages.back(), m_y);
    m_y += height;
    ++m_rows;
}

Document ReportBuilder::Finish(const std::string& emptyText) {
    if (m_pages.empty()) {
        NewPage();
        m_pages.back().AddText({Left(), m_y + 8, Right(), m_y + 20}, emptyText, Regular(9));
    }
    Document document{m_header.Title, m_size, std::move(m_pages)};
    m_pages.clear();
    const int count = document.PageCount();
    for (int i = 0; i < count; ++i)
        m_header.Draw(document.Pages[static_cast<std::size_t>(i)], Left(), Right(), m_margins.Top,
                      m_size.Height - m_margins.Bottom, i + 1, count);
    return document;
}

} // namespace report
