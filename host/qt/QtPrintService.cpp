#include "app/ReportPdfWriter.h"
#include "qt/ReportPainter.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <memory>

namespace host {
namespace {

// The desktop's answers to a report: the print preview window (zoom, page navigation and its
// own print button), the system print dialog, and a save dialog for the PDF.
class QtPrintService : public report::PrintService {
public:
    void Output(const report::Document& document, report::PrintAction action,
                const std::string& suggestedName) override {
        switch (action) {
        case report::PrintAction::Preview:
            return Preview(document);
        case report::PrintAction::Print:
            return Print(document);
        case report::PrintAction::SavePdf:
            return SavePdf(document, suggestedName);
        }
    }

private:
    static void Preview(const report::Document& document) {
        QPrinter printer(QPrinter::HighResolution);
        QPrintPreviewDialog dialog(&printer, QApplication::activeWindow());
        dialog.setWindowTitle(QString::fromStdString(document.Title));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested,
                         [&document](QPrinter* target) { PaintReport(document, *target); });
        dialog.exec();
    }

    static void Print(const report::Document& document) {
        QPrinter printer(QPrinter::HighResolution);
        printer.setDocName(QString::fromStdString(document.Title));
        QPrintDialog dialog(&printer, QApplication::activeWindow());
        if (dialog.exec() == QDialog::Accepted)
            PaintReport(document, printer);
    }

    void SavePdf(const report::Document& document, const std::string& suggestedName) {
        const QString file = QFileDialog::getSaveFileName(
            QApplication::activeWindow(), "Salvar PDF", QString::fromStdString(suggestedName), "PDF (*.pdf)");
        if (file.isEmpty())
            return;
        m_pdf->Write(document, file.toStdString());
    }

    std::unique_ptr<ReportPdfWriter> m_pdf = CreateQtPdfWriter();
};

} // namespace

std::unique_ptr<report::PrintService> CreateQtPrintService() {
    return std::make_unique<QtPrintService>();
}

} // namespace host
