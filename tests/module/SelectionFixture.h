#pragma once

#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "ScreenFixture.h"
#include "sqldb/Connection.h"

#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <variant>

// The screen of branch 0001 with every order loaded by the screen's own load, through filter
// parameters that ask for everything; helpers that read the marks without moving a cursor and
// that click rows by their key, as the operator would.
class SelectionTest : public ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        screen = &OpenScreenWithFixedBranch();
        ASSERT_NE(frmFiltroCancelaPed, nullptr);
        TfrmFiltroCancelaPed& filter = *frmFiltroCancelaPed;
        filter.stParCdFilial = "0001";
        filter.stParTVendedor = filter.stParTCliente = filter.stParTProduto = "T";
        filter.stParTEmissao = filter.stParTEntrega = filter.stParTNrPedido = "T";
        filter.stParPrioridade = "123";
        filter.stParSitPedido = "123456";
        filter.stParSitItemPedido = "1234567";
        ASSERT_TRUE(app.Dispatch([this] { screen->sbtVerificarClick(screen->sbtVerificar); }))
            << testing::PrintToString(platform.Errors());
        ASSERT_GT(screen->cdsPedido.RecordCount(), 100);
        platform.ClearEvents();
    }

    // Orders and their items are numbered alike: ten digits, zero-padded.
    static std::string Order(int number) {
        char text[16];
        std::snprintf(text, sizeof text, "%010d", number);
        return text;
    }

    static std::string Item(int number) { return Order(number); }

    // Changes the shared database under the server, before the screen reads what changed.
    void Execute(const std::string& sql, const sqldb::Params& params = {}) {
        server->Database().Connect()->Execute(sql, params);
    }
    std::string QueryText(const std::string& sql, const sqldb::Params& params = {}) {
        const sqldb::Rows rows = server->Database().Connect()->Query(sql, params);
        return rows.IsEmpty() ? std::string("<none>") : sqldb::AsText(rows.Data()[0][0]);
    }

    // key field value -> field value, for every row, read from the dataset's packet.
    static std::map<std::string, std::string> Column(const data::DataSet& dataSet,
                                                     const std::string& keyField, const std::string& field) {
        const data::Packet packet = dataSet.ToPacket();
        std::size_t key = 0;
        std::size_t value = 0;
        for (std::size_t i = 0; i < packet.Fields.size(); ++i) {
            key = packet.Fields[i].Name == keyField ? i : key;
            value = packet.Fields[i].Name == field ? i : value;
        }
        std::map<std::string, std::string> column;
        for (const auto& row : packet.Rows) {
            const auto* text = std::get_if<std::string>(&row[value]);
            column[std::get<std::string>(row[key])] = text ? *text : "";
        }
        return column;
    }
    std::map<std::string, std::string> OrderMarks() const {
        return Column(screen->cdsPedido, "NRPEDIDO", "IDCHECK");
    }
    std::map<std::string, std::string> ItemMarks() const {
        return Column(screen->cdsItemPedido, "NRITEMPED", "IDCHECK");
    }
    std::map<std::string, std::string> ItemSituations() const {
        return Column(screen->cdsItemPedido, "NRITEMPED", "IDSITITEMPED");
    }

    static int DisplayRowOf(data::DataSet& dataSet, const std::string& field, const std::string& key) {
        if (!dataSet.Locate(field, data::Value{key}, false))
            throw std::runtime_error(field + " " + key + " is not loaded");
        return dataSet.RecNo() - 1;
    }
    bool ClickOrder(int number, int column = 0) {
        return user.ClickCell(screen->dbgPadrao, DisplayRowOf(screen->cdsPedido, "NRPEDIDO", Order(number)),
                              column);
    }
    bool ClickItem(const std::string& item, int column = 0) {
        return user.ClickCell(screen->dbgItemPedido, DisplayRowOf(screen->cdsItemPedido, "NRITEMPED", item),
                              column);
    }
    // Makes the order current and shows its items, as the operator does from the orders page.
    void ShowItemsOf(int number) {
        ASSERT_TRUE(
            user.MoveGridRow(screen->dbgPadrao, DisplayRowOf(screen->cdsPedido, "NRPEDIDO", Order(number))));
        ASSERT_TRUE(user.SelectTab(screen->pgcPadrao, screen->tshItemPedido));
        ASSERT_EQ(screen->cdsPedido.FieldByName("NRPEDIDO").AsString(), Order(number));
        ASSERT_FALSE(screen->cdsItemPedido.IsEmpty());
    }
    std::string CurrentItem() const { return screen->cdsItemPedido.FieldByName("NRITEMPED").AsString(); }

    TfrmCancelaPed* screen = nullptr;
};
