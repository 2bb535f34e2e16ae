#include "app/ReportPdfWriter.h"
#include "qt/ReportPainter.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <array>
#include <memory>
#include <stdexcept>

namespace host {
namespace {

// Writes PDF with Qt's writer. Fonts need a GUI application object; on the headless platform
// there is none, so the writer makes one on the offscreen platform for its own use.
class QtPdfWriter : public ReportPdfWriter {
public:
    void Write(const report::Document& document, const std::string& file) override {
        EnsureApplication();
        const QString path = QString::fromStdString(file);
        const std::string failed = "Não foi possível gravar o arquivo " + file + ".";
        try {
            QPdfWriter writer(path);
            writer.setResolution(300);
            writer.setCreator("pedhost");
            writer.setTitle(QString::fromStdString(document.Title));
            PaintReport(document, writer);
        } catch (const std::runtime_error&) {
            // The writer cannot say why; the operator needs to know which file failed.
            throw std::runtime_error(failed);
        }
        if (!QFileInfo(path).isFile() || QFileInfo(path).size() == 0)
            throw std::runtime_error(failed);
    }

private:
    void EnsureApplication() {
        if (QCoreApplication::instance())
            return;
        m_argv = {m_program.data(), m_platformOption.data(), m_platform.data(), nullptr};
        m_application = std::make_unique<QGuiApplication>(m_argc, m_argv.data());
    }

    std::string m_program = "pedhost";
    std::string m_platformOption = "-platform";
    std::string m_platform = "offscreen";
    int m_argc = 3;
    std::array<char*, 4> m_argv{};
    std::unique_ptr<QGuiApplication> m_application;
};

} // namespace

std::unique_ptr<ReportPdfWriter> CreateQtPdfWriter() {
    return std::make_unique<QtPdfWriter>();
}

} // namespace host
