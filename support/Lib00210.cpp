#include "Lib00210.h"

#include "protocol/LookupCatalogue.h"

namespace Lib00210 {

std::string SQL_Pesquisa_Produto(const std::string& cdFilial, const std::string& cdArvProd,
                                 TADOIBQuery& query, bool lastLevelOnly) {
    const bool underTree = !cdArvProd.empty();
    const lookups::Statement& statement = lastLevelOnly
                                              ? (underTree ? lookups::ProdutosDoNivelDaArvore : lookups::ProdutosDoNivel)
                                              : (underTree ? lookups::ProdutosDaArvore : lookups::Produtos);
    query.SetSQL(std::string(statement.sql));
    if (!cdArvProd.empty()) {
        query.ParamByName("P_CDARVPROD").SetAsString(cdArvProd + "%");
    }
    return "Filial " + cdFilial;
}

} // namespace Lib00210
