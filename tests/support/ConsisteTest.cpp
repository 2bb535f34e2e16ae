#include "Consiste.h"

#include "Mask.h"
#include "SupportFixture.h"
#include "TDataSource.h"
#include "ui/Abort.h"
#include "ui/DBGrid.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/Panel.h"

using ConsisteTest = SupportTest;

TEST_F(ConsisteTest, MensErroShowsTheErrorAndAbortsOnlyWhenAsked) {
    EXPECT_THROW(Consiste::MensErro("Filial deve ser informada.", true), ui::Abort);
    EXPECT_NO_THROW(Consiste::MensErro("Aviso sem abandono.", false));
    EXPECT_EQ(platform.Errors(),
              (std::vector<std::string>{"Filial deve ser informada.", "Aviso sem abandono."}));
}

TEST_F(ConsisteTest, CheckResultServReturnsThePacketOfASuccessfulResult) {
    RemoteResult result{true, "",
                        data::Packet{{{"NRPEDIDO", data::FieldType::String, 10}}, {{std::string("01")}}}};
    data::Packet packet = Consiste::CheckResultServ(result, true, 0);
    ASSERT_EQ(packet.Rows.size(), 1u);
    EXPECT_EQ(std::get<std::string>(packet.Rows[0][0]), "01");
    EXPECT_TRUE(platform.Errors().empty());
}

TEST_F(ConsisteTest, CheckResultServShowsTheServerMessageAndAborts) {
    RemoteResult refused{false, "Operação bloqueada. Pedido em alteração por outro usuário.", std::nullopt};
    EXPECT_THROW(Consiste::CheckResultServ(refused, true, 0), ui::Abort);
    data::Packet packet = Consiste::CheckResultServ(refused, false, 0);
    EXPECT_TRUE(packet.Fields.empty());
    EXPECT_EQ(platform.Errors().size(), 2u);
    EXPECT_TRUE(platform.Saw("Operação bloqueada. Pedido em alteração por outro usuário."));
}

// A result handed over gives up its packet, and a failed one is shown as by the copying call.
TEST_F(ConsisteTest, CheckResultServOfAResultHandedOverMovesItsPacketOut) {
    RemoteResult result{true, "", data::Packet{{{"NRPEDIDO", data::FieldType::String, 10}},
                                               {{std::string("01")}, {std::string("02")}}}};
    data::Packet packet = Consiste::CheckResultServ(std::move(result), true, 0);
    ASSERT_EQ(packet.Rows.size(), 2u);
    EXPECT_EQ(std::get<std::string>(packet.Rows[1][0]), "02");
    EXPECT_TRUE(Consiste::CheckResultServ(RemoteResult{true, "", std::nullopt}, true, 0).Fields.empty());
    EXPECT_THROW(Consiste::CheckResultServ(RemoteResult{false, "Filial não cadastrada.", std::nullopt}, true, 0),
                 ui::Abort);
    EXPECT_TRUE(Consiste::CheckResultServ(RemoteResult{false, "", std::nullopt}, false, 0).Rows.empty());
    EXPECT_EQ(platform.Errors(), (std::vector<std::string>{"Filial não cadastrada.",
                                                           "Falha na comunicação com o servidor de aplicação."}));
}

TEST(ConsisteHelpers, EmptyStringIsTrueForBlankAndUntouchedMaskTexts) {
    struct Case {
        std::string text;
        bool empty;
    };
    for (const Case& c : std::vector<Case>{{"", true},
                                           {"   ", true},
                                           {"__/__/____", true},
                                           {"  /  /    ", true},
                                           {"___.___.___-__", true},
                                           {"0", false},
                                           {" A ", false},
                                           {"10/__/____", false},
                                           {"ção", false}})
        EXPECT_EQ(Consiste::EmptyString(c.text), c.empty) << '"' << c.text << '"';
}

TEST(ConsisteHelpers, AjustaPadsWithZerosCountingCharactersAndKeepsEmptyAndLongTexts) {
    struct Case {
        std::string text;
        int n;
        std::string expected;
    };
    for (const Case& c : std::vector<Case>{{"1", 4, "0001"},
                                           {"12", 10, "0000000012"},
                                           {"0001", 4, "0001"},
                                           {"", 4, ""},
                                           {"   ", 4, ""},
                                           {" 7 ", 4, "0007"},
                                           {"12345", 4, "12345"},
                                           {"ÁB", 4, "00ÁB"},
                                           {"A", 0, "A"}})
        EXPECT_EQ(Consiste::Ajusta(c.text, c.n), c.expected) << '"' << c.text << "\" to " << c.n;
}

TEST(ConsisteHelpers, PictPessGivesTheRegistrationMaskOfThePersonType) {
    struct Case {
        std::string type;
        std::string value;
        std::string shown;
    };
    for (const Case& c : std::vector<Case>{{"F", "12345678901", "123.456.789-01"},
                                           {"J", "12345678000199", "12.345.678/0001-99"},
                                           {"X", "ABC-1", "ABC-1"},
                                           {"", "123", "123"}})
        EXPECT_EQ(Mask::FormatMaskText(Consiste::PictPess(c.type), c.value), c.shown) << c.type;
}

TEST_F(ConsisteTest, SetChildEnabledSkipsTag99AndLeavesGrandchildrenAlone) {
    ui::Form form("frm");
    auto& panel = form.Add<ui::Panel>("panFilial");
    auto& label = panel.Add<ui::Label>("lblFilial");
    auto& fixed = panel.Add<ui::Label>("lblFixa");
    auto& inner = panel.Add<ui::Panel>("panInterno");
    auto& grandchild = inner.Add<ui::Label>("lblNeto");
    fixed.SetTag(99);
    fixed.SetEnabled(false);
    grandchild.SetEnabled(false);

    Consiste::SetChildEnabled(panel, true);
    EXPECT_TRUE(label.Enabled());
    EXPECT_TRUE(inner.Enabled());
    EXPECT_FALSE(fixed.Enabled());
    EXPECT_FALSE(grandchild.Enabled());

    Consiste::SetChildEnabled(panel, false);
    EXPECT_FALSE(label.Enabled());
    EXPECT_FALSE(inner.Enabled());
    fixed.SetEnabled(true);
    Consiste::SetChildEnabled(panel, false);
    EXPECT_TRUE(fixed.Enabled());
}

TEST_F(ConsisteTest, GridColumnIsCreatedAtPositionSixFoundAndDestroyed) {
    ui::Form form("frm");
    auto& orders = form.Create<TMemDataSet>("cdsPedido");
    auto& source = form.Create<TDataSource>("dtsPedido", &orders);
    auto& grid = form.Add<ui::DBGrid>("dbgPadrao");
    grid.SetDataSource(&source);
    orders.AddField("NREMPENHO", data::FieldType::String, 20).SetDisplayLabel("Nr. Empenho");
    for (const char* field : {"IDCHECK", "IDSITPEDIDO", "NRPEDIDO", "NMFANTCLIE", "DTPEDIDO", "DTENTPED"})
        grid.Columns().Add().SetFieldName(field);
    orders.Open();

    EXPECT_EQ(Consiste::IndiceCol(grid, "NREMPENHO"), -1);
    Consiste::CriaColuna(grid, "NREMPENHO", 6);
    EXPECT_EQ(Consiste::IndiceCol(grid, "NREMPENHO"), 6);
    EXPECT_EQ(Consiste::IndiceCol(grid, "nrempenho"), 6);
    EXPECT_EQ(grid.Columns().Item(6).DisplayTitle(), "Nr. Empenho");
    EXPECT_EQ(Consiste::IndiceCol(grid, "NRPEDIDO"), 2);

    Consiste::DestroiColuna(grid, "NREMPENHO");
    EXPECT_EQ(Consiste::IndiceCol(grid, "NREMPENHO"), -1);
    EXPECT_EQ(grid.Columns().Count(), 6);
    Consiste::DestroiColuna(grid, "NREMPENHO");
    EXPECT_EQ(grid.Columns().Count(), 6);

    Consiste::CriaColuna(grid, "NREMPENHO", 40);
    EXPECT_EQ(Consiste::IndiceCol(grid, "NREMPENHO"), 6);
    Consiste::CriaColuna(grid, "CDFILIAL", 0);
    EXPECT_EQ(Consiste::IndiceCol(grid, "CDFILIAL"), 0);
    EXPECT_EQ(Consiste::IndiceCol(grid, "NREMPENHO"), 7);
}
