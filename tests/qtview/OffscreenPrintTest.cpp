#include "testkit/ChildProcess.h"
#include "testkit/HostRun.h"
#include "testkit/ServerProcess.h"
#include "testkit/TempDir.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// The print screen on the desktop view and headless: the same script gives the same transcript
// and a PDF with the same text on both.
constexpr const char* Script = R"(today 2024-05-15
open PED01100
type depDeEmissao 01/01/2024
type depAteEmissao 31/12/2024
click btnVisualizar
pdf {DIR}/{PLATFORM}.pdf
click btnSalvarPdf
)";

class OffscreenPrint : public ::testing::Test {
protected:
    testkit::ProcessResult RunHost(const std::string& platform) {
        std::string text = Script;
        for (const auto& [from, to] : {std::pair<std::string, std::string>{"{DIR}", folder.Path().string()},
                                       std::pair<std::string, std::string>{"{PLATFORM}", platform}}) {
            for (std::size_t at; (at = text.find(from)) != std::string::npos;)
                text.replace(at, from.size(), to);
        }
        auto file = folder.Path() / (platform + ".script");
        std::ofstream(file) << text;
        testkit::HostRun run = testkit::HostRun::On(server, PED_PEDHOST_PATH);
        run.platform = platform;
        run.script = file.string();
        return run.Run(std::chrono::seconds(120));
    }

    std::string PdfText(const std::string& platform) const {
        const auto result = testkit::ChildProcess::Run(
            {"/usr/bin/pdftotext", "-layout", (folder.Path() / (platform + ".pdf")).string(), "-"});
        EXPECT_EQ(result.exitStatus, 0) << result.err;
        return result.out;
    }

    testkit::ServerProcess server{testkit::ServerProcessOptions{}};
    testkit::TempDir folder{"pedhost-qt-print"};
};

} // namespace

TEST_F(OffscreenPrint, QtRunGivesTheHeadlessTranscriptAndTheSamePdf) {
    const testkit::ProcessResult qt = RunHost("qt");
    const testkit::ProcessResult headless = RunHost("headless");
    EXPECT_EQ(qt.exitStatus, 0) << qt.out << qt.err;
    EXPECT_EQ(headless.exitStatus, 0) << headless.out << headless.err;
    std::string expected = headless.out;
    for (std::size_t at; (at = expected.find("headless.pdf")) != std::string::npos;)
        expected.replace(at, 12, "qt.pdf");
    EXPECT_EQ(qt.out, expected) << qt.err;
    EXPECT_NE(qt.out.find("preview: Relação de pedidos ("), std::string::npos) << qt.out;
    const std::string text = PdfText("qt");
    EXPECT_NE(text.find("Página 1 de "), std::string::npos);
    EXPECT_EQ(text, PdfText("headless"));
}
