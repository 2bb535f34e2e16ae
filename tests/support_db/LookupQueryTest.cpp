#include "DtmDBGeral.h"
#include "Lib00210.h"
#include "Qrddlgs.h"
#include "TADOIBQuery.h"
#include "data/DataSource.h"
#include "data/DateTime.h"
#include "storage/Schema.h"
#include "storage/Seed.h"
#include "testkit/TempDir.h"
#include "testkit/TestDatabase.h"

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using data::FieldType;
using testkit::TestBackend;
using namespace std::chrono_literals;

// The name is a literal, not a std::string: GCC 12 at -O3 warns falsely (-Wmaybe-uninitialized)
// on the strings of a table of these.
struct FieldSpec {
    const char* name = "";
    FieldType type = FieldType::String;
    int size = 0;
};

void Declare(TADOIBQuery& query, const std::vector<FieldSpec>& fields) {
    for (const auto& field : fields) {
        query.AddField(field.name, field.type, field.size);
    }
}

std::string Column(TADOIBQuery& query, const std::string& field) {
    std::string values;
    for (query.First(); !query.Eof(); query.Next()) {
        // Appended piece by piece: GCC 12 at -O3 warns falsely (-Wrestrict) on "," + text.
        if (!values.empty())
            values += ',';
        values += query.FieldByName(field).AsString();
    }
    return values;
}

std::string Repeated(const std::string& value, int times) {
    std::string values;
    for (int i = 0; i < times; ++i) {
        values += (values.empty() ? "" : ",") + value;
    }
    return values;
}

// Expects `action` to throw std::runtime_error whose message holds every fragment.
template <class Action> void ExpectError(Action action, const std::vector<std::string>& fragments) {
    try {
        action();
        ADD_FAILURE() << "no error";
    } catch (const std::runtime_error& error) {
        for (const auto& fragment : fragments) {
            EXPECT_NE(std::string(error.what()).find(fragment), std::string::npos) << error.what();
        }
    }
}

const std::vector<FieldSpec> filialFields = {{"CDFILIAL", FieldType::String, 8},
                                             {"NMFILIAL", FieldType::String, 30}};
const std::vector<FieldSpec> justFields = {{"CDJUSTEXCHIS", FieldType::String, 4},
                                           {"DSJUSTEXCHIS", FieldType::String, 40}};
const std::vector<FieldSpec> productFields = {{"CDARVPROD", FieldType::String, 20},
                                              {"NMPRODUTO", FieldType::String, 50},
                                              {"CDPRODUTO", FieldType::String, 10}};

// Every case runs on a freshly migrated and seeded database of its own, on SQLite and, when
// PED_TEST_PG_URL is set, in a PostgreSQL schema of its own.
class LookupQueryTest : public testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override {
        if (GetParam() == TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl()) {
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        }
        m_database = std::make_unique<testkit::TestDatabase>(GetParam(), m_folder.Path());
        const auto connection = m_database->Connect();
        pedserver::MigrateSchema(*connection);
        pedserver::SeedDemo(*connection, std::chrono::year_month_day(2024y, std::chrono::May, 15d));
        dtmDBGeral::Open(m_database->Url());
    }
    void TearDown() override { dtmDBGeral::Close(); }

    testkit::TempDir m_folder{"support_db"};
    std::unique_ptr<testkit::TestDatabase> m_database;
};

struct LookupCase {
    std::string sql;
    std::vector<FieldSpec> fields;
    std::vector<std::pair<std::string, std::string>> params;
    std::string keyField;
    std::string keys; // the key field of every row, in order, comma-separated
};

TEST_P(LookupQueryTest, TheScreensLookupQueriesReturnTheirRowsInOrder) {
    const std::vector<LookupCase> cases = {
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL",
         filialFields,
         {},
         "NMFILIAL",
         "MATRIZ SAO PAULO,FILIAL CAMPINAS,FILIAL CURITIBA"},
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE (CDFILIAL = :P_CDFILIAL)",
         filialFields,
         {{"P_CDFILIAL", "0002"}},
         "NMFILIAL",
         "FILIAL CAMPINAS"},
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE (CDFILIAL = :P_CDFILIAL)",
         filialFields,
         {{"P_CDFILIAL", "9999"}},
         "NMFILIAL",
         ""},
        {"SELECT CDJUSTEXCHIS, DSJUSTEXCHIS FROM JUSTEXCHIS ORDER BY CDJUSTEXCHIS",
         justFields,
         {},
         "CDJUSTEXCHIS",
         "0001,0002,0003,0004,0005"},
        {"SELECT CDJUSTEXCHIS, DSJUSTEXCHIS FROM JUSTEXCHIS WHERE (CDJUSTEXCHIS = :P_CDJUSTEXCHIS)",
         justFields,
         {{"P_CDJUSTEXCHIS", "0003"}},
         "DSJUSTEXCHIS",
         "Prazo de entrega não atendido"},
        {"SELECT CDVENDEDOR FROM VENDEDOR WHERE (CDOPERADOR = :P_CDOPERADOR)",
         {{"CDVENDEDOR", FieldType::String, 4}},
         {{"P_CDOPERADOR", "VEND02"}},
         "CDVENDEDOR",
         "0002"},
        {"SELECT CDVENDEDOR, NMFANVEN FROM VENDEDOR ORDER BY CDVENDEDOR",
         {{"CDVENDEDOR", FieldType::String, 4}, {"NMFANVEN", FieldType::String, 50}},
         {},
         "CDVENDEDOR",
         "0001,0002,0003,0004"},
        {"SELECT C.CDCLIENTE , C.IDTPIJURCLIE, C.NRINSJURCLIE, C.NMFANTCLIE, C.NMRAZSOCCLIE, P.NMPAIS, "
         "M.SGESTADO , M.NMMUNICIPIO , E.DSENDECLIE FROM CLIENTE C, PAIS P, MUNICIPIO M, ENDECLIE E WHERE "
         "(C.CDCLIENTE = E.CDCLIENTE ) AND (E.CDPAIS = M.CDPAIS ) AND (E.SGESTADO = M.SGESTADO ) AND "
         "(E.CDMUNICIPIO = M.CDMUNICIPIO) AND (M.CDPAIS = P.CDPAIS ) AND (IDTPENDECLIE = 'P') "
         "ORDER BY NRINSJURCLIE",
         {{"CDCLIENTE", FieldType::String, 21},
          {"IDTPIJURCLIE", FieldType::String, 1},
          {"NRINSJURCLIE", FieldType::String, 20},
          {"NMFANTCLIE", FieldType::String, 50},
          {"NMRAZSOCCLIE", FieldType::String, 50},
          {"DSENDECLIE", FieldType::String, 50},
          {"NMMUNICIPIO", FieldType::String, 30},
          {"SGESTADO", FieldType::String, 2},
          {"NMPAIS", FieldType::String, 30}},
         {},
         "NMPAIS",
         Repeated("BRASIL", 12)},
    };
    for (const auto& lookup : cases) {
        SCOPED_TRACE(lookup.sql);
        TADOIBQuery query("qryLookup");
        Declare(query, lookup.fields);
        query.SetSQL(lookup.sql);
        for (const auto& [name, value] : lookup.params) {
            query.ParamByName(name).SetAsString(value);
        }
        query.Open();
        ASSERT_TRUE(query.GetActive());
        EXPECT_EQ(Column(query, lookup.keyField), lookup.keys);
        EXPECT_EQ(query.IsEmpty(), lookup.keys.empty());
    }
}

TEST_P(LookupQueryTest, TheProductQueryListsTheLastTreeLevelWithTheLevelSetBeforeOpening) {
    struct ProductCase {
        std::string cdArvProd;
        bool lastLevelOnly;
        bool hasLevelParam;
        int rows;
        std::string first;
    };
    const std::vector<ProductCase> cases = {
        {"", true, true, 9, "101001"},
        {"102", true, true, 2, "102001"},
        {"", false, false, 15, "1"},
        {"2", false, false, 8, "2"},
    };
    for (const auto& product : cases) {
        SCOPED_TRACE(product.cdArvProd + (product.lastLevelOnly ? " last level" : " every level"));
        TADOIBQuery query("qryProduto");
        Declare(query, productFields);
        int beforeOpenRuns = 0;
        query.BeforeOpen = [&](data::DataSet&) {
            ++beforeOpenRuns;
            if (Qrddlgs::ExistParam(query, "P_CDNVPRODUTO")) {
                query.ParamByName("P_CDNVPRODUTO").SetAsInteger(3);
            }
        };
        EXPECT_EQ(Lib00210::SQL_Pesquisa_Produto("0001", product.cdArvProd, query, product.lastLevelOnly),
                  "Filial 0001");
        EXPECT_EQ(Qrddlgs::ExistParam(query.GetIBParams(), "P_CDNVPRODUTO"), product.hasLevelParam);
        query.Close();
        query.Open();
        EXPECT_EQ(beforeOpenRuns, 1);
        EXPECT_EQ(query.RecordCount(), product.rows);
        query.First();
        EXPECT_EQ(query.FieldByName("CDARVPROD").AsString(), product.first);
    }
}

TEST_P(LookupQueryTest, OpeningThroughTheDataSetInterfaceRunsTheQueryAndEachEventOnce) {
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL("SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL");
    data::DataSource source;
    source.SetDataSet(&query);
    int beforeOpen = 0, afterOpen = 0, afterScroll = 0;
    query.BeforeOpen = [&](data::DataSet&) { ++beforeOpen; };
    query.AfterOpen = [&](data::DataSet& sender) {
        ++afterOpen;
        EXPECT_EQ(sender.RecordCount(), 3);
    };
    query.AfterScroll = [&](data::DataSet&) { ++afterScroll; };

    // A search button or a picker only knows the dataset behind its data source.
    source.GetDataSet()->Open();

    EXPECT_EQ(query.RecordCount(), 3);
    EXPECT_EQ(query.FieldByName("CDFILIAL").AsString(), "0001");
    EXPECT_EQ(beforeOpen, 1);
    EXPECT_EQ(afterOpen, 1);
    EXPECT_EQ(afterScroll, 1);
}

TEST_P(LookupQueryTest, AnOpenQueryIsReadAgainOnlyAfterClosing) {
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL("SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL");
    query.Open();
    m_database->Connect()->Execute("INSERT INTO FILIAL (CDFILIAL, NMFILIAL) VALUES ('0004', 'FILIAL NOVA')");

    query.Open();
    EXPECT_EQ(query.RecordCount(), 3);
    query.Close();
    EXPECT_TRUE(query.IsEmpty());
    query.Open();
    EXPECT_EQ(query.RecordCount(), 4);
}

TEST_P(LookupQueryTest, ValuesArriveInTheTypesOfTheDeclaredFields) {
    const auto db = m_database->Connect();
    const auto order =
        db->Query("SELECT NRPEDIDO, DTPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' ORDER BY NRPEDIDO");
    const std::string nrPedido = order.Text(0, "NRPEDIDO");
    const auto dtPedido = data::IsoToDate(order.Text(0, "DTPEDIDO").substr(0, 10));
    ASSERT_TRUE(dtPedido.has_value());

    struct TypeCase {
        std::string sql;
        FieldSpec field;
        data::Value expected;
    };
    const std::vector<TypeCase> cases = {
        {"SELECT VRSALDO FROM EMPENHO WHERE NREMPENHO = '2024NE000101'",
         {"VRSALDO", FieldType::Float},
         150000.0},
        {"SELECT VRSALDO FROM EMPENHO WHERE NREMPENHO = '2024NE000105'", {"VRSALDO", FieldType::Float}, 10.0},
        {"SELECT CDNVPRODUTO FROM PRODUTO WHERE CDPRODUTO = '000102'",
         {"CDNVPRODUTO", FieldType::Integer},
         std::int64_t{3}},
        {"SELECT CDNVPRODUTO FROM PRODUTO WHERE CDPRODUTO = '000102'",
         {"CDNVPRODUTO", FieldType::String, 4},
         "3"},
        {"SELECT DTPEDIDO FROM PEDIDO WHERE CDFILIAL = '0001' AND NRPEDIDO = '" + nrPedido + "'",
         {"DTPEDIDO", FieldType::DateTime},
         *dtPedido},
        {"SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = '0001'", {"NMFILIAL", FieldType::String, 6}, "MATRIZ"},
        {"SELECT NREMPENHO FROM PEDIDO WHERE NREMPENHO IS NULL", {"NREMPENHO", FieldType::String, 20}, {}},
    };
    for (const auto& typed : cases) {
        SCOPED_TRACE(typed.sql);
        TADOIBQuery query("qryTipo");
        Declare(query, {typed.field});
        query.SetSQL(typed.sql);
        query.Open();
        ASSERT_FALSE(query.IsEmpty());
        EXPECT_EQ(query.FieldByName(typed.field.name).GetValue(), typed.expected);
    }
}

TEST_P(LookupQueryTest, AQueryThatCannotFillItsFieldsFailsNamingTheQueryAndStaysClosed) {
    struct FailureCase {
        std::string sql;
        std::vector<FieldSpec> fields;
        std::vector<std::string> fragments;
    };
    const std::vector<FailureCase> cases = {
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAL",
         {{"CDFILIAL", FieldType::String, 4}, {"DTCRIACAO", FieldType::Date}},
         {"qryFilial", "DTCRIACAO", "não está no resultado"}},
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAL ORDER BY CDFILIAL",
         {{"CDFILIAL", FieldType::String, 4}, {"NMFILIAL", FieldType::Integer}},
         {"qryFilial", "NMFILIAL", "linha 1", "não é um número inteiro"}},
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE (CDFILIAL = :P_CDFILIAL)",
         filialFields,
         {"qryFilial", "P_CDFILIAL", "não foi informado"}},
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAIS", filialFields, {"Erro na consulta qryFilial"}},
    };
    for (const auto& failure : cases) {
        SCOPED_TRACE(failure.sql);
        TADOIBQuery query("qryFilial");
        Declare(query, failure.fields);
        query.SetSQL(failure.sql);
        ExpectError([&] { query.Open(); }, failure.fragments);
        EXPECT_FALSE(query.GetActive());
    }
}

TEST_P(LookupQueryTest, ChangingTheTextClosesTheQueryAndRebuildsItsParameters) {
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL("SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE (CDFILIAL = :P_CDFILIAL)");
    query.ParamByName("p_cdfilial").SetAsString("0003");
    query.Open();
    EXPECT_EQ(query.FieldByName("NMFILIAL").AsString(), "FILIAL CURITIBA");

    query.SetSQL("SELECT CDFILIAL, NMFILIAL FROM FILIAL WHERE CDFILIAL = :P_DE OR CDFILIAL = :P_ATE OR "
                 "CDFILIAL = :P_DE ORDER BY CDFILIAL");
    EXPECT_FALSE(query.GetActive());
    ASSERT_EQ(query.GetIBParams().Count(), 2);
    EXPECT_EQ(query.GetIBParams().Items(0).Name(), "P_DE");
    EXPECT_FALSE(query.GetIBParams().Items(0).Assigned());
    EXPECT_THROW(query.ParamByName("P_CDFILIAL"), std::invalid_argument);
    query.ParamByName("P_DE").SetAsString("0001");
    query.ParamByName("P_ATE").Clear();
    query.Open();
    EXPECT_EQ(Column(query, "CDFILIAL"), "0001");
}

INSTANTIATE_TEST_SUITE_P(Backends, LookupQueryTest,
                         testing::Values(TestBackend::Sqlite, TestBackend::Postgres),
                         [](const testing::TestParamInfo<TestBackend>& info) {
                             return std::string(testkit::TestDatabase::Name(info.param));
                         });

TEST(QueryParameters, ExistParamFindsOnlyRealParametersOfTheText) {
    struct ParamCase {
        std::string sql;
        std::string name;
        bool exists;
    };
    const std::vector<ParamCase> cases = {
        {"SELECT * FROM PRODUTO WHERE CDNVPRODUTO = :P_CDNVPRODUTO", "P_CDNVPRODUTO", true},
        {"SELECT * FROM PRODUTO WHERE CDNVPRODUTO = :P_CDNVPRODUTO", "p_cdnvproduto", true},
        {"SELECT * FROM PRODUTO WHERE CDNVPRODUTO = :P_CDNVPRODUTO", "P_CDNV", false},
        {"SELECT * FROM PRODUTO", "P_CDNVPRODUTO", false},
        {"SELECT ':P_CDNVPRODUTO' FROM PRODUTO", "P_CDNVPRODUTO", false},
        {"SELECT CDNVPRODUTO::text FROM PRODUTO", "text", false},
    };
    for (const auto& param : cases) {
        SCOPED_TRACE(param.sql + " / " + param.name);
        TADOIBQuery query("qryProduto");
        query.SetSQL(param.sql);
        EXPECT_EQ(Qrddlgs::ExistParam(query, param.name), param.exists);
    }
}

TEST(SharedDatabase, AQueryWithoutAnOpenConnectionFailsInPortugueseBeforeItsHandlerRuns) {
    dtmDBGeral::Close();
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL("SELECT CDFILIAL, NMFILIAL FROM FILIAL");
    bool handlerRan = false;
    query.BeforeOpen = [&](data::DataSet&) { handlerRan = true; };

    ExpectError([&] { query.Open(); }, {"qryFilial", "não há conexão com o banco de dados"});
    EXPECT_FALSE(query.GetActive());
    EXPECT_FALSE(handlerRan);
    ExpectError([] { dtmDBGeral::adcGeral(); }, {"Não há conexão com o banco de dados."});
}

TEST(SharedDatabase, AnUnusableUrlLeavesTheDatabaseClosedWithAPortugueseMessage) {
    dtmDBGeral::Close();
    ExpectError([] { dtmDBGeral::Open("mysql://localhost/ped"); },
                {"Não foi possível conectar ao banco de dados"});
    EXPECT_FALSE(dtmDBGeral::Connected());
    EXPECT_EQ(dtmDBGeral::Url(), "");
}

TEST(QueryComponent, AQueryIsFoundByNameOnItsOwnerAndItsDataSetNameFollows) {
    ui::Component form("frmTeste");
    auto& query = form.Create<TADOIBQuery>("qryFilial");
    EXPECT_EQ(form.Find<TADOIBQuery>("qryFilial"), &query);
    EXPECT_EQ(static_cast<data::DataSet&>(query).Name(), "qryFilial");
    query.SetName("qryPesqFilial");
    EXPECT_EQ(form.Find<TADOIBQuery>("qryPesqFilial"), &query);
    EXPECT_EQ(static_cast<data::DataSet&>(query).Name(), "qryPesqFilial");
}

} // namespace
