#pragma once

#include <algorithm>
#include <array>
#include <string_view>

// Every lookup statement the modules run on the shared session (dtmDBGeral), each variant
// included. The modules take their texts from here and the application server runs nothing
// else, so a desktop can read reference data through the server without any power to run SQL
// of its own.
namespace lookups {

// A catalogued statement. `operatorParameter` names the parameter that must be the operator of
// the call's access token ("" when there is none), so nobody reads another operator's rights.
struct Statement {
    std::string_view sql;
    std::string_view operatorParameter = {};
};

inline constexpr Statement Filiais{"SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL"};
inline constexpr Statement Filial{"SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE (CDFILIAL = :P_CDFILIAL)"};
inline constexpr Statement Justificativas{
    "SELECT CDJUSTEXCHIS, DSJUSTEXCHIS FROM JUSTEXCHIS ORDER BY CDJUSTEXCHIS"};
inline constexpr Statement Justificativa{
    "SELECT CDJUSTEXCHIS, DSJUSTEXCHIS FROM JUSTEXCHIS WHERE (CDJUSTEXCHIS = :P_CDJUSTEXCHIS)"};
inline constexpr Statement Vendedores{"SELECT CDVENDEDOR, NMFANVEN FROM VENDEDOR ORDER BY CDVENDEDOR"};
inline constexpr Statement Vendedor{
    "SELECT CDVENDEDOR, NMFANVEN FROM VENDEDOR WHERE (CDVENDEDOR = :P_CDVENDEDOR)"};
// The operator's own seller: the filter dialog's code only, the print screen's with the name.
inline constexpr Statement VendedorDoOperador{"SELECT CDVENDEDOR FROM VENDEDOR WHERE (CDOPERADOR = :P_CDOPERADOR)",
                                              "P_CDOPERADOR"};
inline constexpr Statement VendedoresDoOperador{
    "SELECT CDVENDEDOR, NMFANVEN FROM VENDEDOR WHERE (CDOPERADOR = :P_CDOPERADOR) ORDER BY CDVENDEDOR",
    "P_CDOPERADOR"};
inline constexpr Statement OperadorTodosPedidos{
    "SELECT CDOPERADOR FROM OPERTPED WHERE (CDFILIAL = :P_CDFILIAL) AND (CDOPERADOR = :P_CDOPERADOR)",
    "P_CDOPERADOR"};
inline constexpr Statement Clientes{
    "SELECT C.CDCLIENTE , C.IDTPIJURCLIE, C.NRINSJURCLIE, C.NMFANTCLIE, C.NMRAZSOCCLIE, "
    "P.NMPAIS, M.SGESTADO  , M.NMMUNICIPIO , E.DSENDECLIE "
    "FROM CLIENTE C, PAIS P, MUNICIPIO M, ENDECLIE E "
    "WHERE (C.CDCLIENTE   = E.CDCLIENTE  ) AND (E.CDPAIS      = M.CDPAIS     ) AND "
    "(E.SGESTADO    = M.SGESTADO   ) AND (E.CDMUNICIPIO = M.CDMUNICIPIO) AND "
    "(M.CDPAIS      = P.CDPAIS     ) AND (IDTPENDECLIE  = 'P') ORDER BY NRINSJURCLIE"};
// The product search: every product, or those of the last tree level, or under a tree code.
inline constexpr Statement Produtos{"SELECT CDARVPROD, CDPRODUTO, NMPRODUTO FROM PRODUTO ORDER BY CDARVPROD"};
inline constexpr Statement ProdutosDoNivel{
    "SELECT CDARVPROD, CDPRODUTO, NMPRODUTO FROM PRODUTO WHERE CDNVPRODUTO = :P_CDNVPRODUTO ORDER BY CDARVPROD"};
inline constexpr Statement ProdutosDaArvore{
    "SELECT CDARVPROD, CDPRODUTO, NMPRODUTO FROM PRODUTO WHERE CDARVPROD LIKE :P_CDARVPROD ORDER BY CDARVPROD"};
inline constexpr Statement ProdutosDoNivelDaArvore{
    "SELECT CDARVPROD, CDPRODUTO, NMPRODUTO FROM PRODUTO WHERE CDNVPRODUTO = :P_CDNVPRODUTO AND "
    "CDARVPROD LIKE :P_CDARVPROD ORDER BY CDARVPROD"};

inline constexpr std::array Catalogue{Filiais,
                                      Filial,
                                      Justificativas,
                                      Justificativa,
                                      Vendedores,
                                      Vendedor,
                                      VendedorDoOperador,
                                      VendedoresDoOperador,
                                      OperadorTodosPedidos,
                                      Clientes,
                                      Produtos,
                                      ProdutosDoNivel,
                                      ProdutosDaArvore,
                                      ProdutosDoNivelDaArvore};

// The catalogue's entry of exactly this text, or null.
inline const Statement* Find(std::string_view sql) {
    const auto found = std::find_if(Catalogue.begin(), Catalogue.end(),
                                    [sql](const Statement& statement) { return statement.sql == sql; });
    return found == Catalogue.end() ? nullptr : &*found;
}

// The remote data module that runs them, and its one method: the statement's text and its
// parameters as a one-row packet of texts.
inline constexpr std::string_view ModuleName = "Geral.rdmDBGeral";
inline constexpr std::string_view Method = "GetConsulta";

} // namespace lookups
