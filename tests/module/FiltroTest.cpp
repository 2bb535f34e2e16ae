#include "CLI_Ped01000/TFiltro.h"
#include "CLI_Ped01001/Cli_ped01001.h"

#include <gtest/gtest.h>

TEST(TFiltro, ResetChoosesEverythingAndLeavesTheReservedTextAlone) {
    TFiltro filtro;
    filtro.NrPedido = {true, false, "0000000001", "0000000009", "0000000003"};
    filtro.boAlta = false;
    filtro.boPLiquidado = false;
    filtro.boICancelado = false;
    filtro.Produto = {false, "0000000010_0000000011"};
    filtro.Vendedor = {false, "0001"};
    filtro.Cliente = {false, "000001"};
    filtro.dtDeEntrega = filtro.dtAteEntrega = filtro.dtDeEmissao = filtro.dtAteEmissao = 45000;
    filtro.stReservado = "reserved";

    filtro.Reset();

    EXPECT_FALSE(filtro.NrPedido.boIntervalo);
    EXPECT_FALSE(filtro.NrPedido.boLista);
    EXPECT_EQ(filtro.NrPedido.stDe + filtro.NrPedido.stAte + filtro.NrPedido.stLista, "");
    for (bool flag : {filtro.boNormal, filtro.boAlta, filtro.boUrgente, filtro.boPPendente,
                      filtro.boPAndamento, filtro.boPLiquidado, filtro.boPCancelado, filtro.boPParcialmente,
                      filtro.boIPendente, filtro.boIConfirmado, filtro.boIAprovado, filtro.boILiquidado,
                      filtro.boICancelado, filtro.boIParcialmente})
        EXPECT_TRUE(flag);
    EXPECT_TRUE(filtro.Produto.boTodos);
    EXPECT_TRUE(filtro.Vendedor.boTodos);
    EXPECT_TRUE(filtro.Cliente.boTodos);
    EXPECT_EQ(filtro.Produto.stLista + filtro.Vendedor.stLista + filtro.Cliente.stLista, "");
    EXPECT_EQ(filtro.dtDeEntrega, 0);
    EXPECT_EQ(filtro.dtAteEntrega, 0);
    EXPECT_EQ(filtro.dtDeEmissao, 0);
    EXPECT_EQ(filtro.dtAteEmissao, 0);
    EXPECT_EQ(filtro.stReservado, "reserved");
}

TEST(ContaChecked, CountsTheEntriesOfAnUnderscoreJoinedList) {
    struct Case {
        const char* Text;
        int Entries;
    };
    for (const Case& c : {Case{"", 1}, Case{"123", 1}, Case{"1_2_3", 3}, Case{"_", 2},
                          Case{"0000000001_0000000002", 2}, Case{"__", 3}})
        EXPECT_EQ(ContaChecked(c.Text), c.Entries) << '"' << c.Text << '"';
}
