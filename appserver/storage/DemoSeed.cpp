#include "sqldb/Transaction.h"
#include "storage/DemoOrders.h"
#include "storage/Seed.h"

#include <array>
#include <string>
#include <vector>

namespace pedserver {
namespace {

using Texts = std::vector<std::vector<std::string>>;

void InsertAll(sqldb::Connection& connection, const std::string& table,
               const std::vector<std::string>& columns, const Texts& rows) {
    std::string names, values;
    for (const auto& column : columns) {
        names += (names.empty() ? "" : ", ") + column;
        values += (values.empty() ? ":" : ", :") + column;
    }
    const auto sql = "INSERT INTO " + table + " (" + names + ") VALUES (" + values + ")";
    for (const auto& row : rows) {
        sqldb::Params params;
        for (std::size_t i = 0; i < columns.size(); ++i)
            params[columns[i]] = row[i].empty() ? sqldb::Value() : sqldb::Value(row[i]);
        connection.Execute(sql, params);
    }
}

// The modulo-11 check digit used by both CPF and CNPJ.
char CheckDigit(const std::string& digits, const std::vector<int>& weights) {
    int sum = 0;
    for (std::size_t i = 0; i < weights.size(); ++i)
        sum += (digits[i] - '0') * weights[i];
    const int rest = sum % 11;
    return static_cast<char>('0' + (rest < 2 ? 0 : 11 - rest));
}

std::string Cpf(const std::string& base9) {
    std::string cpf = base9;
    cpf += CheckDigit(cpf, {10, 9, 8, 7, 6, 5, 4, 3, 2});
    cpf += CheckDigit(cpf, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2});
    return cpf;
}

std::string Cnpj(const std::string& base12) {
    std::string cnpj = base12;
    cnpj += CheckDigit(cnpj, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    cnpj += CheckDigit(cnpj, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2});
    return cnpj;
}

void SeedReferenceData(sqldb::Connection& connection) {
    InsertAll(connection, "FILIAL", {"CDFILIAL", "NMFILIAL"},
              {{"0001", "MATRIZ SAO PAULO"}, {"0002", "FILIAL CAMPINAS"}, {"0003", "FILIAL CURITIBA"}});
    InsertAll(connection, "PARAMPEDIDO",
              {"CDFILIAL", "IDUTCTRELANP", "IDUTCTREMPEN", "IDEXIBPEDIDO", "IDMENSVEND", "IDUTRESELOTE"},
              {{"0001", "N", "S", "1", "N", "S"},
               {"0002", "N", "N", "2", "N", "N"},
               {"0003", "S", "N", "1", "S", "S"}});
    InsertAll(connection, "OPERADOR", {"CDOPERADOR", "NMOPERADOR"},
              {{"DEMO", "OPERADOR DE DEMONSTRACAO"},
               {"VEND01", "JOAO SILVA"},
               {"VEND02", "MARIA SOUZA"},
               {"SUPERV", "SUPERVISOR DE VENDAS"}});
    InsertAll(connection, "OPERTPED", {"CDFILIAL", "CDOPERADOR"},
              {{"0001", "DEMO"}, {"0002", "DEMO"}, {"0003", "DEMO"}, {"0001", "SUPERV"}});
    InsertAll(connection, "VENDEDOR", {"CDVENDEDOR", "NMFANVEN", "CDOPERADOR"},
              {{"0001", "JOAO SILVA", "VEND01"},
               {"0002", "MARIA SOUZA", "VEND02"},
               {"0003", "CARLOS PEREIRA", ""},
               {"0004", "ANA LIMA", ""}});
    InsertAll(connection, "PAIS", {"CDPAIS", "NMPAIS"}, {{"1058", "BRASIL"}});
    InsertAll(connection, "MUNICIPIO", {"CDPAIS", "SGESTADO", "CDMUNICIPIO", "NMMUNICIPIO"},
              {{"1058", "SP", "3550308", "SAO PAULO"},
               {"1058", "SP", "3509502", "CAMPINAS"},
               {"1058", "PR", "4106902", "CURITIBA"},
               {"1058", "RJ", "3304557", "RIO DE JANEIRO"}});
    InsertAll(connection, "JUSTEXCHIS", {"CDJUSTEXCHIS", "DSJUSTEXCHIS"},
              {{"0001", "Cliente desistiu da compra"},
               {"0002", "Preço acima do combinado"},
               {"0003", "Prazo de entrega não atendido"},
               {"0004", "Pedido digitado em duplicidade"},
               {"0005", "Produto sem estoque"}});
    InsertAll(connection, "EMPENHO", {"NREMPENHO", "VRSALDO"},
              {{"2024NE000101", "150000.00"},
               {"2024NE000102", "80000.00"},
               {"2024NE000103", "25000.00"},
               {"2024NE000104", "5000.00"},
               {"2024NE000105", "10.00"}});
}

const std::vector<std::array<std::string, 5>>& Clients() {
    // code, person type, name, municipality, street
    static const std::vector<std::array<std::string, 5>> clients = {
        {"000001", "J", "MERCADO BOM PRECO", "3550308", "AV PAULISTA, 1000"},
        {"000002", "J", "SUPERMERCADO UNIAO", "3509502", "RUA BARAO DE JAGUARA, 55"},
        {"000003", "F", "JOSE CARLOS ALMEIDA", "3550308", "RUA AUGUSTA, 210"},
        {"000004", "J", "PADARIA ESTRELA", "4106902", "RUA XV DE NOVEMBRO, 700"},
        {"000005", "F", "MARIANA COSTA", "3304557", "RUA DO OUVIDOR, 12"},
        {"000006", "J", "RESTAURANTE SABOR MINEIRO", "3550308", "AL SANTOS, 455"},
        {"000007", "J", "PREFEITURA DE CAMPINAS", "3509502", "AV ANCHIETA, 200"},
        {"000008", "F", "PEDRO HENRIQUE ROCHA", "4106902", "AV SETE DE SETEMBRO, 3100"},
        {"000009", "J", "HOSPITAL SANTA CLARA", "3304557", "RUA VOLUNTARIOS DA PATRIA, 88"},
        {"000010", "J", "ESCOLA ESTADUAL MONTEIRO LOBATO", "3550308", "RUA VERGUEIRO, 1500"},
        {"000011", "F", "LUCIANA FERREIRA", "3509502", "RUA JOSE PAULINO, 321"},
        {"000012", "J", "COMERCIAL SUL LTDA", "4106902", "RUA MARECHAL DEODORO, 45"},
    };
    return clients;
}

std::string StateOf(const std::string& municipality) {
    return municipality[0] == '4' ? "PR" : municipality[0] == '3' && municipality[1] == '3' ? "RJ" : "SP";
}

void SeedClients(sqldb::Connection& connection) {
    Texts clients, addresses;
    int number = 0;
    for (const auto& [code, type, name, municipality, street] : Clients()) {
        ++number;
        const auto base = std::to_string(31415926 + number * 7919);
        const auto document = type == "F" ? Cpf("0" + base) : Cnpj(base + "0001");
        clients.push_back({code, type, document, name, name + (type == "J" ? " LTDA" : "")});
        addresses.push_back({code, "P", "1058", StateOf(municipality), municipality, street});
    }
    InsertAll(connection, "CLIENTE",
              {"CDCLIENTE", "IDTPIJURCLIE", "NRINSJURCLIE", "NMFANTCLIE", "NMRAZSOCCLIE"}, clients);
    InsertAll(connection, "ENDECLIE",
              {"CDCLIENTE", "IDTPENDECLIE", "CDPAIS", "SGESTADO", "CDMUNICIPIO", "DSENDECLIE"}, addresses);
}

// Products under the tree mask "9.99.999": groups on levels 1 and 2, sellable products on 3.
void SeedProducts(sqldb::Connection& connection) {
    InsertAll(connection, "PRODUTO", {"CDPRODUTO", "CDARVPROD", "NMPRODUTO", "CDNVPRODUTO", "SGUNIDADE"},
              {{"000100", "1", "ALIMENTOS", "1", ""},
               {"000101", "101", "GRAOS", "2", ""},
               {"000102", "101001", "ARROZ TIPO 1 5KG", "3", "PCT"},
               {"000103", "101002", "FEIJAO CARIOCA 1KG", "3", "PCT"},
               {"000104", "102", "BEBIDAS", "2", ""},
               {"000105", "102001", "CAFE TORRADO 500G", "3", "PCT"},
               {"000106", "102003", "SUCO DE LARANJA 1L", "3", "UN"},
               {"000200", "2", "LIMPEZA", "1", ""},
               {"000201", "201", "DETERGENTES", "2", ""},
               {"000202", "201001", "DETERGENTE NEUTRO 500ML", "3", "UN"},
               {"000203", "201002", "SABAO EM PO 1KG", "3", "CX"},
               {"000204", "202", "DESINFETANTES", "2", ""},
               {"000205", "202001", "AGUA SANITARIA 2L", "3", "UN"},
               {"000206", "202002", "ALCOOL GEL 70 500ML", "3", "UN"},
               {"000207", "202003", "CLORO GRANULADO", "3", "KG"}});
}

} // namespace

void SeedDemo(sqldb::Connection& connection, std::chrono::year_month_day today) {
    sqldb::Transaction transaction(connection);
    SeedReferenceData(connection);
    SeedClients(connection);
    SeedProducts(connection);
    SeedDemoOrders(connection, std::chrono::sys_days(today));
    transaction.Commit();
}

} // namespace pedserver
