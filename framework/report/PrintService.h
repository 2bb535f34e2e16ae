#pragma once

#include "report/Document.h"

#include <string>

namespace report {

// What the operator asked for with a report.
enum class PrintAction { Preview, Print, SavePdf };

// Where finished reports go: the desktop's preview, printer and PDF dialogs, or a script's
// answers. The host installs one; screens only hand their document over.
class PrintService {
public:
    virtual ~PrintService() = default;
    // `suggestedName` is the PDF file name offered to the operator ("PED01100.pdf").
    virtual void Output(const Document& document, PrintAction action, const std::string& suggestedName) = 0;
};

// Installs the service (nullptr removes it); the caller keeps it alive while installed.
void InstallPrintService(PrintService* service);
// The installed service; throws std::runtime_error with the operator's message when there is none.
PrintService& CurrentPrintService();

// Installs a service for a scope and puts the previous one back at its end.
class ScopedPrintService {
public:
    explicit ScopedPrintService(PrintService& service);
    ~ScopedPrintService();
    ScopedPrintService(const ScopedPrintService&) = delete;
    ScopedPrintService& operator=(const ScopedPrintService&) = delete;

private:
    PrintService* m_previous;
};

} // namespace report
