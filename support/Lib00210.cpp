#include "Lib00210.h"

namespace Lib00210 {

std::string SQL_Pesquisa_Produto(const std::string& cdFilial, const std::string& cdArvProd,
                                 TADOIBQuery& query, bool lastLevelOnly) {
    std::string where;
    const auto addCondition = [&where](const char* condition) {
        where += where.empty() ? " WHERE " : " AND ";
        where += condition;
    };
    if (lastLevelOnly) {
        addCondition("CDNVPRODUTO = :P_CDNVPRODUTO");
    }
    if (!cdArvProd.empty()) {
        addCondition("CDARVPROD LIKE :P_CDARVPROD");
    }
    query.SetSQL("SELECT CDARVPROD, CDPRODUTO, NMPRODUTO FROM PRODUTO" + where + " ORDER BY CDARVPROD");
    if (!cdArvProd.empty()) {
        query.ParamByName("P_CDARVPROD").SetAsString(cdArvProd + "%");
    }
    return "Filial " + cdFilial;
}

} // namespace Lib00210
