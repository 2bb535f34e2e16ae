#include "Morvale.h"
#include "SupportFixture.h"
#include "TMessages.h"
#include "ui/Form.h"

#include <stdexcept>

TEST(TMessagesTest, MsgGivesTheTextAfterTheBarOfTheExactKey) {
    TMessages messages("msgPadrao");
    messages.SetLines(
        {"FILIAL|Filial deve ser informada.", "PE|PE", "Excl|Confirma exclusão?", "URL|http://host|porta"});
    messages.Add("EXCL", "Outro texto.");
    EXPECT_EQ(messages.Msg("FILIAL"), "Filial deve ser informada.");
    EXPECT_EQ(messages.Msg("PE"), "PE");
    EXPECT_EQ(messages.Msg("Excl"), "Confirma exclusão?");
    EXPECT_EQ(messages.Msg("EXCL"), "Outro texto.");
    EXPECT_EQ(messages.Msg("URL"), "http://host|porta");
    EXPECT_TRUE(messages.HasKey("Excl"));
    EXPECT_FALSE(messages.HasKey("excl"));
    EXPECT_FALSE(messages.HasKey("FILIA"));
}

TEST(TMessagesTest, MissingKeyGivesTheLibraryTextOrTheKeyInBrackets) {
    TMessages messages("msgPadrao");
    messages.Add("DATA_INV|não é uma data válida.");
    EXPECT_EQ(messages.Msg("FILIA"), "[FILIA]");
    EXPECT_EQ(messages.Msg("data_inv"), "[data_inv]");
    // The date check writes the date and this text right after it.
    EXPECT_EQ("30/12/1899" + messages.Msg("data_nao"), "30/12/1899 não é uma data válida.");
    messages.Add("data_nao| (data anterior a 31/12/1899).");
    EXPECT_EQ(messages.Msg("data_nao"), " (data anterior a 31/12/1899).");
}

TEST(TMessagesTest, TheFormFindsItsMessageTableByName) {
    ui::Form form("frmTeste");
    form.Create<TMessages>("msgPadrao").Add("CANCELAR|Cancelar operação?");
    auto* messages = form.Find<TMessages>("msgPadrao");
    ASSERT_NE(messages, nullptr);
    EXPECT_EQ(messages->Msg("CANCELAR"), "Cancelar operação?");
}

TEST(MorvaleTest, WithoutInstalledHostValuesEveryCallFailsClearly) {
    Morvale::InstallHostValues(nullptr);
    EXPECT_FALSE(Morvale::HasHostValues());
    EXPECT_THROW(Morvale::FiliProc(), std::logic_error);
    EXPECT_THROW(Morvale::WebPort(), std::logic_error);
    EXPECT_THROW(Morvale::LoadBPL("PED01100", "M"), std::logic_error);
}

using MorvaleHostTest = SupportTest;

TEST_F(MorvaleHostTest, CallsAreAnsweredByTheInstalledHost) {
    EXPECT_EQ(Morvale::FiliProc(), "0001");
    EXPECT_EQ(Morvale::NomeFiliProc(), "Matriz");
    EXPECT_TRUE(Morvale::ModuFili());
    EXPECT_EQ(Morvale::Operador(), "OPER01");
    EXPECT_EQ(Morvale::Token(), "token-op");
    EXPECT_EQ(Morvale::WebURL(), "127.0.0.1");
    EXPECT_EQ(Morvale::WebPort(), 8211);
    EXPECT_EQ(Morvale::DBPict(0), "9.99.999");
    EXPECT_EQ(Morvale::DBPictObj(0).GetTtNiveis(), 3);
    Morvale::LoadBPL("PED01100", "M");
    ASSERT_EQ(host.Loaded.size(), 1u);
    EXPECT_EQ(host.Loaded[0], (std::pair<std::string, std::string>{"PED01100", "M"}));
}

TEST(TDBPictureTest, LevelsAreTheDigitGroupsOfThePicture) {
    struct Case {
        std::string picture;
        int levels;
    };
    for (const Case& c : std::vector<Case>{
             {"9.99.999", 3}, {"99", 1}, {"", 0}, {"9.99.999;0;_", 3}, {"99-999.9999.9", 4}, {".9.", 1}})
        EXPECT_EQ(TDBPicture(c.picture).GetTtNiveis(), c.levels) << c.picture;
}
