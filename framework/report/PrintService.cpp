#include "report/PrintService.h"

#include <stdexcept>

namespace report {
namespace {

PrintService* installed = nullptr;

} // namespace

void InstallPrintService(PrintService* service) {
    installed = service;
}

PrintService& CurrentPrintService() {
    if (!installed)
        throw std::runtime_error("Impressão não disponível nesta estação.");
    return *installed;
}

ScopedPrintService::ScopedPrintService(PrintService& service) : m_previous(installed) {
    installed = &service;
}

ScopedPrintService::~ScopedPrintService() {
    installed = m_previous;
}

} // namespace report
