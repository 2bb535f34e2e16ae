#pragma once

#include "report/Document.h"

class QPagedPaintDevice;

namespace host {

// Paints the report's pages on a paged device (a PDF writer, a printer, a preview), one sheet
// per page, scaled from the report's points to the device's resolution.
void PaintReport(const report::Document& document, QPagedPaintDevice& device);

} // namespace host
