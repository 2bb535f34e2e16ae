#include "rdm/RowCap.h"

#include "rdm/RpcError.h"
#include "rdm/Thousands.h"

namespace pedserver {

std::string RowCap(const CallLimits& limits) {
    return " LIMIT " + std::to_string(limits.maxRows + 1);
}

void RequireRowsWithinCap(const sqldb::Rows& rows, const CallLimits& limits) {
    if (rows.Size() > limits.maxRows)
        throw RpcError(RpcCode::TooManyRows, "A consulta traria mais de " + Thousands(limits.maxRows) +
                                                 " linhas, o limite do servidor: restrinja o filtro.");
}

} // namespace pedserver
