#pragma once

#include "report/Document.h"
#include "report/PrintService.h"

#include <memory>
#include <string>

namespace host {

// Writes a report's pages to a PDF file. The host's desktop side implements it with its PDF
// writer, which works on the headless platform too; a host built without it has none.
class ReportPdfWriter {
public:
    virtual ~ReportPdfWriter() = default;
    // Throws std::runtime_error with the operator's message when the file cannot be written.
    virtual void Write(const report::Document& document, const std::string& file) = 0;
};

// Defined in host/qt: the PDF writer, and the desktop's preview, print and save dialogs.
std::unique_ptr<ReportPdfWriter> CreateQtPdfWriter();
std::unique_ptr<report::PrintService> CreateQtPrintService();

} // namespace host
