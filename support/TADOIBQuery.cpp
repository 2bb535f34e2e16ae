#include "TADOIBQuery.h"

#include "DtmDBGeral.h"
#include "LookupSession.h"
#include "QueryPacket.h"
#include "data/ScopedDetach.h"
#include "sqldb/NamedParameters.h"

#include <stdexcept>

namespace {

// A parameter's value as the lookup session sends it: a text, an integer's digits, or none.
std::optional<std::string> ParamText(const data::Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return std::to_string(*number);
    }
    return std::nullopt;
}

// Resets a flag on every path out of a scope.
class FlagScope {
public:
    explicit FlagScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~FlagScope() { m_flag = false; }
    FlagScope(const FlagScope&) = delete;
    FlagScope& operator=(const FlagScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

TADOIBQuery::TADOIBQuery(std::string name) : ui::Component(name), data::DataSet(name) {
    // Opening through the plain dataset interface (a data source, a search button) must run the
    // SQL as well, so the query hooks the dataset's own open event.
    data::DataSet::BeforeOpen = [this](data::DataSet&) {
        if (!m_fetching) {
            Fetch();
        }
    };
}

void TADOIBQuery::SetSQL(std::string sql) {
    if (sql == m_sql) {
        return;
    }
    Close();
    m_params.Reset(sqldb::ToPositional(sql).names);
    m_sql = std::move(sql);
}

void TADOIBQuery::Fetch() {
    if (m_fetched) {
        const data::Packet result = std::move(*m_fetched);
        m_fetched.reset();
        return Load(result);
    }
    RequireSession(Name());
    if (BeforeOpen) {
        BeforeOpen(*this);
    }
    data::Packet result;
    try {
        result = dtmDBGeral::adcGeral().Query(Request());
    } catch (const std::runtime_error& error) {
        throw std::runtime_error("Erro na consulta " + Name() + ": " + error.what());
    }
    Load(result);
}

void TADOIBQuery::RequireSession(const std::string& name) {
    if (!dtmDBGeral::Connected()) {
        throw std::runtime_error("A consulta " + name + " não pode ser aberta: não há conexão com o banco de dados.");
    }
}

LookupRequest TADOIBQuery::Request() const {
    LookupRequest request{m_sql, {}};
    for (const auto& param : m_params) {
        if (!param.Assigned()) {
            throw std::runtime_error("Consulta " + Name() + ": o parâmetro " + param.Name() + " não foi informado.");
        }
        request.Params.emplace_back(param.Name(), ParamText(param.Value()));
    }
    return request;
}

void TADOIBQuery::Load(const data::Packet& result) {
    // The dataset's own open runs its after-open and scroll events once the rows are in.
    FlagScope fetching(m_fetching);
    data::ScopedDetach afterOpen(AfterOpen);
    data::ScopedDetach afterScroll(AfterScroll);
    LoadFromPacket(QueryPacket(*this, result));
}

void TADOIBQuery::OpenTogether(const std::vector<TADOIBQuery*>& queries) {
    std::vector<LookupRequest> requests;
    for (TADOIBQuery* query : queries) {
        RequireSession(query->Name());
        if (query->BeforeOpen) {
            query->BeforeOpen(*query);
        }
        requests.push_back(query->Request());
    }
    std::vector<RemoteResult> results = dtmDBGeral::adcGeral().QueryAll(requests);
    for (std::size_t i = 0; i < queries.size(); ++i) {
        if (!results[i].Ok) {
            throw std::runtime_error("Erro na consulta " + queries[i]->Name() + ": " + results[i].Message);
        }
        // Opened as usual, its events included, with the rows already here.
        queries[i]->m_fetched = std::move(results[i].Packet).value_or(data::Packet{});
        queries[i]->Open();
    }
}
