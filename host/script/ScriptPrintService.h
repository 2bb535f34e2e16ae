#pragma once

#include "app/ReportPdfWriter.h"
#include "script/Transcript.h"
#include "report/PrintService.h"

#include <deque>
#include <string>

namespace host {

// Answers a script's print requests: a preview is only written to the transcript; a print or a
// "Salvar PDF" writes the next file the script queued with `pdf FILE`, so both platforms leave
// the same file and the same transcript. Without a queued file the file name is asked in a
// window (PdfFileForm) that the following script lines fill in.
class ScriptPrintService : public report::PrintService {
public:
    explicit ScriptPrintService(Transcript& transcript) : m_transcript(transcript) {}

    // Not owned; without a writer a queued file cannot be written.
    void SetPdfWriter(ReportPdfWriter* writer) { m_writer = writer; }
    void QueuePdf(const std::string& file) { m_files.push_back(file); }
    std::size_t PendingFiles() const { return m_files.size(); }

    void Output(const report::Document& document, report::PrintAction action,
                const std::string& suggestedName) override;

private:
    Transcript& m_transcript;
    ReportPdfWriter* m_writer = nullptr;
    std::deque<std::string> m_files;
};

} // namespace host
