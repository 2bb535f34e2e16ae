#include "TADOIBQuery.h"

#include "DtmDBGeral.h"
#include "QueryPacket.h"
#include "data/ScopedDetach.h"
#include "sqldb/Connection.h"
#include "sqldb/NamedParameters.h"

#include <stdexcept>

namespace {

sqldb::Value ToSql(const data::Value& value) {
    if (const auto* text = std::get_if<std::string>(&value)) {
        return *text;
    }
    if (const auto* number = std::get_if<std::int64_t>(&value)) {
        return *number;
    }
    return {};
}

sqldb::Params Bound(const TParams& params, const std::string& queryName) {
    sqldb::Params bound;
    for (const auto& param : params) {
        if (!param.Assigned()) {
            throw std::runtime_error("Consulta " + queryName + ": o parâmetro " + param.Name() +
                                     " não foi informado.");
        }
        bound.emplace(param.Name(), ToSql(param.Value()));
    }
    return bound;
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
    if (!dtmDBGeral::Connected()) {
        throw std::runtime_error("A consulta " + Name() +
                                 " não pode ser aberta: não há conexão com o banco de dados.");
    }
    if (BeforeOpen) {
        BeforeOpen(*this);
    }
    sqldb::Rows rows;
    try {
        rows = dtmDBGeral::adcGeral().Query(m_sql, Bound(m_params, Name()));
    } catch (const sqldb::SqlError& error) {
        throw std::runtime_error("Erro na consulta " + Name() + ": " + error.what());
    }
    // The dataset's own open runs its after-open and scroll events once the rows are in.
    FlagScope fetching(m_fetching);
    data::ScopedDetach afterOpen(AfterOpen);
    data::ScopedDetach afterScroll(AfterScroll);
    LoadFromPacket(QueryPacket(*this, rows));
}
