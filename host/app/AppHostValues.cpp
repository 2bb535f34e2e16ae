#include "app/AppHostValues.h"

#include "Consiste.h"
#include "DtmDBGeral.h"
#include "sqldb/Connection.h"

namespace host {

AppHostValues::AppHostValues(const HostOptions& options, ScreenOpener opener)
    : AppHostValues(options, ParameterOpener([opener = std::move(opener)](const std::string& code,
                                                                          const std::string&) { opener(code); })) {}

AppHostValues::AppHostValues(const HostOptions& options, ParameterOpener opener)
    : m_options(options), m_opener(std::move(opener)), m_branch(Consiste::Ajusta(options.Branch, 4)) {}

void AppHostValues::ReadBranchName() {
    sqldb::Rows rows = dtmDBGeral::adcGeral().Query("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = :CDFILIAL",
                                                    {{"CDFILIAL", m_branch}});
    m_branchName = rows.IsEmpty() ? "" : rows.Text(0, "NMFILIAL");
}

void AppHostValues::LoadBPL(const std::string& code, const std::string& parameter) {
    m_opener(code, parameter);
}

} // namespace host
