#pragma once

#include "TADOIBQuery.h"

#include <string>

namespace Lib00210 {

// Prepares the product query for a branch: the products under the tree code cdArvProd (all
// products when empty), only those of the last tree level when lastLevelOnly - their level comes
// from the parameter :P_CDNVPRODUTO, which the query's BeforeOpen sets. Returns the text the picker
// shows after "|" in its title ("Filial 0001").
std::string SQL_Pesquisa_Produto(const std::string& cdFilial, const std::string& cdArvProd,
                                 TADOIBQuery& query, bool lastLevelOnly);

} // namespace Lib00210
