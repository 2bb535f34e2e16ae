#include "Pesqlista.h"

#include "SupportFixture.h"
#include "TDataSource.h"

namespace {

// The headless platform, also keeping the last request so that a test sees what the list
// window was asked to show.
class RequestKeepingPlatform : public ui::HeadlessPlatform {
public:
    std::optional<std::vector<int>> PickRows(const ui::MultiPickRequest& request) override {
        Last = request;
        return ui::HeadlessPlatform::PickRows(request);
    }
    using ui::HeadlessPlatform::PickRows;

    ui::MultiPickRequest Last;
};

class PesqlistaTest : public SupportTest {
protected:
    PesqlistaTest() {
        app.SetPlatform(picker);
        FillCodes(sellers, {{"0003", "Carla"}, {"0001", "Ana"}, {"0002", "Bruno"}, {"0004", "Davi"}});
    }

    RequestKeepingPlatform picker;
    TMemDataSet sellers{"qryVendedor"};
    TDataSource source{"dtsVendedor", &sellers};
};

} // namespace

TEST_F(PesqlistaTest, RowsOfTheCurrentListComeUpMarked) {
    std::string list = "0002_0004";
    picker.PickRows("0002_0004");
    Pesqlista::PesquisaLista(source, "CODIGO", "Vendedor", false, list);
    EXPECT_EQ(picker.Last.Marked, (std::vector<int>{2, 3}));
    EXPECT_EQ(picker.Last.Title, "Vendedor");
    EXPECT_EQ(picker.Last.KeyField, "CODIGO");
    EXPECT_EQ(picker.Last.Columns, (std::vector<std::string>{"CODIGO", "NOME"}));
}

TEST_F(PesqlistaTest, TheResultIsJoinedByUnderscoreInDatasetOrder) {
    std::string list;
    picker.PickRows("0002_0001_0003");
    Pesqlista::PesquisaLista(source, "CODIGO", "Vendedor", false, list);
    EXPECT_EQ(list, "0003_0001_0002");

    sellers.SetIndexFieldNames("CODIGO");
    picker.PickRows("0004_0001");
    Pesqlista::PesquisaLista(source, "CODIGO", "Vendedor", false, list);
    EXPECT_EQ(picker.Last.Marked, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(list, "0001_0004");

    picker.PickRows("");
    Pesqlista::PesquisaLista(source, "CODIGO", "Vendedor", false, list);
    EXPECT_EQ(list, "");
}

TEST_F(PesqlistaTest, ACancelledPickLeavesTheListUnchanged) {
    std::string list = "0001_0003";
    picker.PickRowsCancel();
    Pesqlista::PesquisaLista(source, "CODIGO", "Vendedor", false, list);
    EXPECT_EQ(list, "0001_0003");
}

TEST_F(PesqlistaTest, AClosedDataSetIsOpenedAndTheTitleShowsTheTextAfterTheBar) {
    TMemDataSet products("qryProduto");
    products.AddField("CDPRODUTO", data::FieldType::String, 10);
    TDataSource productSource("dtsProduto", &products);
    int opened = 0;
    products.BeforeOpen = [&](data::DataSet&) { ++opened; };
    std::string list = "X";
    picker.PickRows("");
    Pesqlista::PesquisaLista(productSource, "CDPRODUTO", "Produto|Filial 0001", false, list);
    EXPECT_EQ(opened, 1);
    EXPECT_TRUE(products.Active());
    EXPECT_EQ(picker.Last.Title, "Produto - Filial 0001");
    EXPECT_EQ(list, "");
}

TEST_F(PesqlistaTest, SingleRowPickReplacesTheListByTheKeyAndKeepsTheCursor) {
    sellers.First();
    std::string list = "0001_0002";
    picker.PickRow("0004");
    Pesqlista::PesquisaLista(source, "CODIGO", "Vendedor", true, list);
    EXPECT_EQ(list, "0004");
    EXPECT_EQ(sellers.FieldByName("CODIGO").AsString(), "0003");
    picker.PickNone();
    Pesqlista::PesquisaLista(source, "CODIGO", "Vendedor", true, list);
    EXPECT_EQ(list, "0004");
}
