#include "report/PageHeader.h"

#include "report/ReportFonts.h"

namespace report {

std::string PageHeader::PageText(int number, int count) {
    return "Página " + std::to_string(number) + " de " + std::to_string(count);
}

void PageHeader::Draw(Page& page, int left, int right, int top, int bottom, int number, int count) const {
    const int half = left + (right - left) / 2;
    const std::string pageText = PageText(number, count);
    page.AddText({left, top, right - 110, top + 13}, Company, Bold(10));
    page.AddText({right - 110, top, right, top + 13}, pageText, Regular(8), Align::Right);
    page.AddText({left, top + 14, half, top + 25}, Branch, Regular(8));
    page.AddText({half, top + 14, right, top + 25}, "Emitido em " + PrintedAt, Regular(8), Align::Right);
    page.AddText({left, top + 28, right, top + 44}, Title, Bold(13), Align::Center);
    page.AddText({left, top + 48, right - 160, top + 58}, Filter, Regular(7));
    page.AddText({right - 160, top + 48, right, top + 58}, "Operador: " + Operator, Regular(7), Align::Right);
    page.AddLine(left, right, top + 62, 1);

    const int foot = bottom - FooterHeight + 6;
    page.AddLine(left, right, foot - 3, 1, ui::clGray);
    page.AddText({left, foot, half, foot + 10}, Footer, Regular(7));
    page.AddText({half, foot, right, foot + 10}, pageText, Regular(7), Align::Right);
}

} // namespace report
