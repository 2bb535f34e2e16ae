#include "DtmDBGeral.h"
#include "Lib00210.h"
#include "Qrddlgs.h"
#include "TADOIBQuery.h"
#include "TBtnPesquisa.h"
#include "TDataSource.h"
#include "TestHostValues.h"
#include "data/DataSource.h"
#include "protocol/LookupCatalogue.h"
#include "testkit/BackendSuite.h"
#include "testkit/LoopbackSocket.h"
#include "testkit/ServerProcess.h"
#include "ui/Application.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/HeadlessPlatform.h"
#include "ui/UserActions.h"

#include <map>

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
    for (query.First(); !query.Eof(); query.Next())
        values += (values.empty() ? "" : ",") + query.FieldByName(field).AsString();
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

std::string Sql(const lookups::Statement& statement) {
    return std::string(statement.sql);
}

// The lookups through a real pedserver on the demo data (one per backend, shared by the cases),
// as the host runs them: the desktop has no database, only the server's address and a token.
class LookupQueryTest : public testing::TestWithParam<TestBackend> {
protected:
    void SetUp() override {
        if (GetParam() == TestBackend::Postgres && !testkit::TestDatabase::PostgresUrl()) {
            GTEST_SKIP() << "PED_TEST_PG_URL is not set";
        }
        SignIn("DEMO");
    }
    void TearDown() override { dtmDBGeral::Close(); }

    testkit::ServerProcess& Server() {
        static std::map<TestBackend, std::unique_ptr<testkit::ServerProcess>> servers;
        auto& server = servers[GetParam()];
        if (!server)
            server = std::make_unique<testkit::ServerProcess>(testkit::ServerProcessOptions{.backend = GetParam()});
        return *server;
    }

    void SignIn(const std::string& operatorCode) {
        m_host.operador = operatorCode;
        m_host.token = Server().Token(operatorCode);
        m_host.webPort = Server().Port();
        dtmDBGeral::Open();
    }

    TestHostValues m_host;
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
        {Sql(lookups::Filiais), filialFields, {}, "NMFILIAL", "MATRIZ SAO PAULO,FILIAL CAMPINAS,FILIAL CURITIBA"},
        {Sql(lookups::Filial), filialFields, {{"P_CDFILIAL", "0002"}}, "NMFILIAL", "FILIAL CAMPINAS"},
        {Sql(lookups::Filial), filialFields, {{"P_CDFILIAL", "9999"}}, "NMFILIAL", ""},
        {Sql(lookups::Justificativas), justFields, {}, "CDJUSTEXCHIS", "0001,0002,0003,0004,0005"},
        {Sql(lookups::Justificativa), justFields, {{"P_CDJUSTEXCHIS", "0003"}}, "DSJUSTEXCHIS",
         "Prazo de entrega não atendido"},
        {Sql(lookups::Vendedores),
         {{"CDVENDEDOR", FieldType::String, 4}, {"NMFANVEN", FieldType::String, 50}},
         {},
         "CDVENDEDOR",
         "0001,0002,0003,0004"},
        {Sql(lookups::Vendedor),
         {{"CDVENDEDOR", FieldType::String, 4}, {"NMFANVEN", FieldType::String, 50}},
         {{"P_CDVENDEDOR", "0003"}},
         "CDVENDEDOR",
         "0003"},
        {Sql(lookups::OperadorTodosPedidos),
         {{"CDOPERADOR", FieldType::String, 12}},
         {{"P_CDFILIAL", "0001"}, {"P_CDOPERADOR", "DEMO"}},
         "CDOPERADOR",
         "DEMO"},
        {Sql(lookups::Clientes),
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

// The statements about an operator (his seller, his right to every order) answer only for the
// operator of the token: no one reads another operator's.
TEST_P(LookupQueryTest, TheOperatorsOwnLookupsAnswerOnlyForTheTokensOperator) {
    const auto seller = [](const std::string& operatorCode) {
        TADOIBQuery query("qryVendLog");
        Declare(query, {{"CDVENDEDOR", FieldType::String, 4}});
        query.SetSQL(Sql(lookups::VendedorDoOperador));
        query.ParamByName("P_CDOPERADOR").SetAsString(operatorCode);
        query.Open();
        return Column(query, "CDVENDEDOR");
    };
    EXPECT_EQ(seller("DEMO"), "");
    ExpectError([&] { seller("VEND02"); }, {"qryVendLog", "Operador não corresponde ao token de acesso."});
    dtmDBGeral::Close();
    SignIn("VEND02");
    EXPECT_EQ(seller("VEND02"), "0002");
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
    query.SetSQL(Sql(lookups::Filiais));
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

TEST_P(LookupQueryTest, ASearchButtonOpensItsClosedLookupQueryAndPicksARow) {
    ui::HeadlessPlatform platform;
    ui::Application app;
    app.SetPlatform(platform);
    ui::UserActions user{app};
    auto& form = app.CreateForm<ui::Form>("frmTeste");
    form.Show();
    auto& edit = form.Add<ui::Edit>("medCdFilial");
    auto& button = form.Add<TBtnPesquisa>("btnFilial");
    auto& query = form.Create<TADOIBQuery>("qryFilial");
    auto& source = form.Create<TDataSource>("dtsFilial");
    Declare(query, filialFields);
    query.SetSQL(Sql(lookups::Filiais));
    source.SetDataSet(&query);
    button.SetAssociate(&edit);
    button.SetTitle("Filial");
    button.SetDataSource(&source);
    button.OnAfterPesq = [&](ui::Control&) { edit.SetText(query.FieldByName("CDFILIAL").AsString()); };

    platform.PickRow("0002");
    EXPECT_TRUE(user.Click(button));
    EXPECT_TRUE(query.Active());
    EXPECT_EQ(edit.Text(), "0002");
    EXPECT_EQ(query.FieldByName("NMFILIAL").AsString(), "FILIAL CAMPINAS");
    source.SetDataSet(nullptr);
}

TEST_P(LookupQueryTest, AnOpenQueryIsReadAgainOnlyAfterClosing) {
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL(Sql(lookups::Filiais));
    query.Open();
    const auto db = Server().Database().Connect();
    db->Execute("INSERT INTO FILIAL (CDFILIAL, NMFILIAL) VALUES ('0004', 'FILIAL NOVA')");

    query.Open();
    EXPECT_EQ(query.RecordCount(), 3);
    query.Close();
    EXPECT_TRUE(query.IsEmpty());
    query.Open();
    EXPECT_EQ(query.RecordCount(), 4);
    db->Execute("DELETE FROM FILIAL WHERE CDFILIAL = '0004'");
}

// Several queries opened together go out as one exchange, each opened as on its own.
TEST_P(LookupQueryTest, QueriesOpenedTogetherComeInOneExchangeWithTheirEvents) {
    TADOIBQuery branches("qryFilial"), justifications("qryJustExcl");
    Declare(branches, filialFields);
    Declare(justifications, justFields);
    branches.SetSQL(Sql(lookups::Filiais));
    justifications.SetSQL(Sql(lookups::Justificativa));
    justifications.ParamByName("P_CDJUSTEXCHIS").SetAsString("0002");
    int opened = 0;
    branches.AfterOpen = [&](data::DataSet&) { ++opened; };
    justifications.AfterOpen = [&](data::DataSet&) { ++opened; };
    const auto logged = [&] {
        const std::string log = Server().Log();
        std::size_t count = 0;
        for (auto at = log.find("method=GetConsulta"); at != std::string::npos; at = log.find("method=GetConsulta", at + 1))
            ++count;
        return count;
    };
    const auto before = logged();
    TADOIBQuery::OpenTogether({&branches, &justifications});
    EXPECT_EQ(branches.RecordCount(), 3);
    EXPECT_EQ(justifications.FieldByName("CDJUSTEXCHIS").AsString(), "0002");
    EXPECT_EQ(opened, 2);
    EXPECT_EQ(Server().LogWhen([&](const std::string&) { return logged() >= before + 2; }).empty(), false);
    EXPECT_EQ(logged(), before + 2);

    TADOIBQuery unassigned("qryPesqFilial");
    Declare(unassigned, filialFields);
    unassigned.SetSQL(Sql(lookups::Filial));
    branches.Close();
    ExpectError([&] { TADOIBQuery::OpenTogether({&branches, &unassigned}); }, {"qryPesqFilial", "P_CDFILIAL"});
}

TEST_P(LookupQueryTest, AQueryThatCannotFillItsFieldsFailsNamingTheQueryAndStaysClosed) {
    struct FailureCase {
        std::string sql;
        std::vector<FieldSpec> fields;
        std::vector<std::string> fragments;
    };
    const std::vector<FailureCase> cases = {
        {Sql(lookups::Filiais),
         {{"CDFILIAL", FieldType::String, 4}, {"DTCRIACAO", FieldType::Date}},
         {"qryFilial", "DTCRIACAO", "não está no resultado"}},
        {Sql(lookups::Filiais),
         {{"CDFILIAL", FieldType::String, 4}, {"NMFILIAL", FieldType::Integer}},
         {"qryFilial", "NMFILIAL", "linha 1", "não é um número inteiro"}},
        {Sql(lookups::Filial), filialFields, {"qryFilial", "P_CDFILIAL", "não foi informado"}},
        {"SELECT CDFILIAL, NMFILIAL FROM FILIAIS", filialFields,
         {"Erro na consulta qryFilial", "Consulta não permitida pelo servidor de aplicação."}},
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

// The server runs the catalogue and nothing else: any other text, a write above all, is refused,
// changes nothing and leaves a line in the server's log.
TEST_P(LookupQueryTest, AStatementOutsideTheCatalogueIsRefusedChangesNothingAndIsLogged) {
    TADOIBQuery query("qryMalicia");
    Declare(query, filialFields);
    query.SetSQL("UPDATE FILIAL SET NMFILIAL = 'X' WHERE CDFILIAL = :P_CDFILIAL");
    query.ParamByName("P_CDFILIAL").SetAsString("0001");
    ExpectError([&] { query.Open(); }, {"qryMalicia", "Consulta não permitida pelo servidor de aplicação."});
    const auto db = Server().Database().Connect();
    EXPECT_EQ(db->Query("SELECT NMFILIAL FROM FILIAL WHERE CDFILIAL = '0001'").Text(0, "NMFILIAL"),
              "MATRIZ SAO PAULO");
    const std::string log = Server().LogWhen(
        [](const std::string& text) { return text.find("statement outside the lookup catalogue") != std::string::npos; });
    EXPECT_NE(log.find("statement outside the lookup catalogue: UPDATE FILIAL SET NMFILIAL"), std::string::npos)
        << log;
}

TEST_P(LookupQueryTest, ChangingTheTextClosesTheQueryAndRebuildsItsParameters) {
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL(Sql(lookups::Filial));
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

    TADOIBQuery products("qryProduto");
    Declare(products, productFields);
    products.SetSQL(Sql(lookups::ProdutosDoNivelDaArvore));
    ASSERT_EQ(products.GetIBParams().Count(), 2);
    products.ParamByName("P_CDNVPRODUTO").SetAsInteger(3);
    products.ParamByName("P_CDARVPROD").SetAsString("102%");
    products.Open();
    EXPECT_EQ(Column(products, "CDARVPROD"), "102001,102003");
}

TESTKIT_ON_BOTH_BACKENDS(LookupQueryTest);

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

TEST(SharedDatabase, AQueryWithoutAnOpenSessionFailsInPortugueseBeforeItsHandlerRuns) {
    dtmDBGeral::Close();
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL(Sql(lookups::Filiais));
    bool handlerRan = false;
    query.BeforeOpen = [&](data::DataSet&) { handlerRan = true; };

    ExpectError([&] { query.Open(); }, {"qryFilial", "não há conexão com o banco de dados"});
    EXPECT_FALSE(query.GetActive());
    EXPECT_FALSE(handlerRan);
    ExpectError([] { dtmDBGeral::adcGeral(); }, {"Não há conexão com o banco de dados."});
}

TEST(SharedDatabase, AServerOutOfReachFailsTheQueryInPortugueseAndLeavesItClosed) {
    int refusedPort = 0;
    {
        const testkit::LoopbackSocket closedAgain(true);
        refusedPort = closedAgain.Port();
    }
    TestHostValues host;
    host.token = "x";
    host.webPort = refusedPort;
    dtmDBGeral::Open();
    TADOIBQuery query("qryFilial");
    Declare(query, filialFields);
    query.SetSQL(Sql(lookups::Filiais));
    ExpectError([&] { query.Open(); },
                {"Erro na consulta qryFilial", "indisponível em 127.0.0.1:" + std::to_string(refusedPort)});
    EXPECT_FALSE(query.GetActive());
    dtmDBGeral::Close();
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
