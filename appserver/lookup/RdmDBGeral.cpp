#include "lookup/RdmDBGeral.h"

#include "rdm/Methods.h"
#include "rdm/Packet.h"
#include "rdm/ParamReader.h"
#include "rdm/RowCap.h"
#include "rdm/RpcError.h"
#include "rdm/CharCount.h"
#include "sqldb/NamedParameters.h"

#include <algorithm>
#include <set>

namespace pedserver {
namespace {

constexpr std::size_t kMaxStatementChars = 4000;

const lookups::Statement& Catalogued(const std::string& sql, std::span<const lookups::Statement> catalogue) {
    const auto found = std::find_if(catalogue.begin(), catalogue.end(),
                                    [&](const lookups::Statement& statement) { return statement.sql == sql; });
    if (found == catalogue.end())
        throw RpcError(RpcCode::LookupRefused, "Consulta não permitida pelo servidor de aplicação.",
                       "statement outside the lookup catalogue: " + CutToChars(sql, 200));
    return *found;
}

[[noreturn]] void BadParameters(const std::string& why) {
    throw RpcError(RpcCode::InvalidParams, "Parâmetros da consulta inválidos: " + why + ".");
}

// The parameters packet: fields named as the statement's parameters, one row of texts or nulls.
sqldb::Params BoundParameters(const nlohmann::json& packet, const std::string& sql) {
    const auto& fields = packet.value("fields", nlohmann::json());
    const auto& rows = packet.value("rows", nlohmann::json());
    if (!fields.is_array() || !rows.is_array() || rows.size() != 1 || !rows[0].is_array() ||
        rows[0].size() != fields.size())
        BadParameters("esperado um pacote de uma linha");
    const auto names = sqldb::ToPositional(sql).names;
    const std::set<std::string> wanted(names.begin(), names.end());
    sqldb::Params params;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        const auto& name = fields[i].is_object() ? fields[i].value("name", nlohmann::json()) : nlohmann::json();
        const auto& value = rows[0][i];
        if (!name.is_string() || !wanted.contains(name.get<std::string>()))
            BadParameters("a consulta não tem o parâmetro " + CutToChars(name.dump(), 40));
        if (!value.is_string() && !value.is_null())
            BadParameters("o valor de " + name.get<std::string>() + " deve ser um texto");
        params[name.get<std::string>()] = value.is_null() ? sqldb::Value() : sqldb::Value(value.get<std::string>());
    }
    for (const auto& name : wanted) {
        if (!params.contains(name))
            BadParameters("falta o parâmetro " + name);
    }
    return params;
}

// A column's type in the answer: integers and reals as numbers, anything else as text as long as
// its longest value.
Packet::FieldDef Column(const sqldb::Rows& rows, std::size_t column) {
    bool integers = true, numbers = true;
    std::size_t longest = 1;
    for (const auto& row : rows) {
        const sqldb::Value& value = row[column];
        if (sqldb::IsNull(value))
            continue;
        integers = integers && std::holds_alternative<std::int64_t>(value);
        numbers = numbers && !std::holds_alternative<std::string>(value);
        if (const auto* text = std::get_if<std::string>(&value))
            longest = std::max(longest, CharCount(*text));
    }
    const std::string& name = rows.Columns()[column];
    if (!rows.IsEmpty() && integers)
        return {name, "integer"};
    if (!rows.IsEmpty() && numbers)
        return {name, "float"};
    return {name, "string", static_cast<int>(longest)};
}

PacketCell Cell(const sqldb::Value& value) {
    if (sqldb::IsNull(value))
        return nullptr;
    if (const auto* integer = std::get_if<std::int64_t>(&value))
        return *integer;
    if (const auto* real = std::get_if<double>(&value))
        return *real;
    return std::get<std::string>(value);
}

} // namespace

MethodResult RdmDBGeral::Call(std::string_view method, const MethodCall& call) {
    if (method != lookups::Method)
        throw RpcError(RpcCode::MethodNotFound, "Método desconhecido: " + std::string(method) + ".");
    return Lookup(call, lookups::Catalogue);
}

MethodResult RdmDBGeral::Lookup(const MethodCall& call, std::span<const lookups::Statement> catalogue) {
    const ParamReader reader(call.params, lookups::Method, 2);
    const std::string sql = reader.Text(0, "consulta", kMaxStatementChars);
    const lookups::Statement& statement = Catalogued(sql, catalogue);
    const sqldb::Params params = BoundParameters(reader.Packet(1, "parâmetros"), sql);
    if (!statement.operatorParameter.empty())
        RequireTokenOperator(sqldb::AsText(params.at(std::string(statement.operatorParameter))), call.tokenOperator);
    const sqldb::Rows rows = call.connection.Query(sql + RowCap(call.limits), params);
    RequireRowsWithinCap(rows, call.limits);
    std::vector<Packet::FieldDef> fields;
    for (std::size_t column = 0; column < rows.Columns().size(); ++column)
        fields.push_back(Column(rows, column));
    Packet packet(call.answer, std::move(fields));
    for (const auto& row : rows) {
        std::vector<PacketCell> cells;
        cells.reserve(row.size());
        for (const auto& value : row)
            cells.push_back(Cell(value));
        packet.AddRow(std::move(cells));
    }
    return packet.ToResult();
}

} // namespace pedserver
