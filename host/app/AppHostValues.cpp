#include "app/AppHostValues.h"

#include "Consiste.h"
#include "TADOIBQuery.h"
#include "protocol/LookupCatalogue.h"

namespace host {

AppHostValues::AppHostValues(const HostOptions& options, ScreenOpener opener)
    : AppHostValues(options, ParameterOpener([opener = std::move(opener)](const std::string& code,
                                                                          const std::string&) { opener(code); })) {}

AppHostValues::AppHostValues(const HostOptions& options, ParameterOpener opener)
    : m_options(options), m_opener(std::move(opener)), m_branch(Consiste::Ajusta(options.Branch, 4)) {}

void AppHostValues::ReadBranchName() {
    TADOIBQuery query("qryNomeFilial");
    query.AddField("NMFILIAL", data::FieldType::String, 30);
    query.SetSQL(std::string(lookups::Filial.sql));
    query.ParamByName("P_CDFILIAL").SetAsString(m_branch);
    try {
        query.Open();
        m_branchName = query.IsEmpty() ? "" : query.FieldByName("NMFILIAL").AsString();
    } catch (const std::exception&) {
        // A server out of reach leaves the name empty; the screen says why at its first call.
        m_branchName.clear();
    }
}

void AppHostValues::SetSession(const std::string& operatorCode, const std::string& token) {
    m_options.Operator = operatorCode;
    m_options.Token = token;
}

void AppHostValues::SessionExpired() {
    if (OnSessionExpired)
        OnSessionExpired();
}

void AppHostValues::LoadBPL(const std::string& code, const std::string& parameter) {
    m_opener(code, parameter);
}

} // namespace host
