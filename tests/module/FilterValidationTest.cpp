#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "FilterDialogFixture.h"

#include <functional>

namespace {

struct RuleCase {
    const char* Name;
    std::function<void(TfrmFiltroCancelaPed&, ui::UserActions&)> Prepare;
    const char* Message;
    const char* Focus;
};

void OrderDates(TfrmFiltroCancelaPed& d, ui::UserActions& user, const char* from, const char* to) {
    d.depDeEmissao.Clear();
    d.depAteEmissao.Clear();
    // The last date first: the focus then stays in the first one, whose exit check has not run.
    if (*to)
        user.Type(d.depAteEmissao, to);
    if (*from)
        user.Type(d.depDeEmissao, from);
}

void DeliveryDates(TfrmFiltroCancelaPed& d, ui::UserActions& user, const char* from, const char* to) {
    if (*to)
        user.Type(d.depAteEntrega, to);
    if (*from)
        user.Type(d.depDeEntrega, from);
}

void Interval(TfrmFiltroCancelaPed& d, ui::UserActions& user, const char* from, const char* to) {
    user.Click(d.rbtIntervalo);
    if (*from)
        user.Type(d.medDeIntervalo, from);
    if (*to)
        user.Type(d.medAteIntervalo, to);
    user.Focus(d.chbNormal);
}

void Uncheck(ui::UserActions& user, std::initializer_list<ui::CheckBox*> boxes) {
    for (ui::CheckBox* box : boxes)
        user.Click(*box);
}

const RuleCase ruleCases[] = {
    {"OnlyLastOrderDate", [](auto& d, auto& u) { OrderDates(d, u, "", "10052024"); },
     "Data do pedido inicial deve ser informada.", "depDeEmissao"},
    {"OnlyFirstOrderDate", [](auto& d, auto& u) { OrderDates(d, u, "10052024", ""); },
     "Data do pedido final deve ser informada.", "depAteEmissao"},
    {"OrderDatesReversed", [](auto& d, auto& u) { OrderDates(d, u, "10052024", "09052024"); },
     "Data do pedido inicial deve ser menor ou igual a data do pedido final.", "depDeEmissao"},
    {"OnlyLastDeliveryDate", [](auto& d, auto& u) { DeliveryDates(d, u, "", "10052024"); },
     "Data de entrega inicial deve ser informada.", "depDeEntrega"},
    {"OnlyFirstDeliveryDate", [](auto& d, auto& u) { DeliveryDates(d, u, "10052024", ""); },
     "Data de entrega final deve ser informada.", "depAteEntrega"},
    {"DeliveryDatesReversed", [](auto& d, auto& u) { DeliveryDates(d, u, "10052024", "09052024"); },
     "Data de entrega inicial deve ser menor ou igual a data de entrega final.", "depDeEntrega"},
    {"NoSuchOrderDate", [](auto& d, auto& u) { OrderDates(d, u, "31022024", "10052024"); },
     "'31/02/2024' não é uma data válida.", "depDeEmissao"},
    {"HalfTypedDeliveryDate",
     [](auto& d, auto& u) {
         u.Type(d.depDeEntrega, "01062024");
         u.Type(d.depAteEntrega, "3006");
     },
     "'30/06/____' não é uma data válida.", "depAteEntrega"},
    {"DateBeforeTheCalendarStart", [](auto& d, auto& u) { DeliveryDates(d, u, "30121899", "10052024"); },
     "30/12/1899 não é uma data válida.", "depDeEntrega"},
    {"IntervaloWithoutNumbers", [](auto& d, auto& u) { Interval(d, u, "", ""); },
     "Intervalo inicial deve ser informado.", "medDeIntervalo"},
    {"IntervaloWithoutFirstNumber", [](auto& d, auto& u) { Interval(d, u, "", "12"); },
     "Intervalo inicial deve ser informado.", "medDeIntervalo"},
    {"IntervaloWithoutLastNumber", [](auto& d, auto& u) { Interval(d, u, "5", ""); },
     "Intervalo final deve ser informado.", "medAteIntervalo"},
    {"IntervaloReversed", [](auto& d, auto& u) { Interval(d, u, "20", "10"); },
     "Número pedido inicial deve ser menor ou igual ao número pedido final.", "medDeIntervalo"},
    {"NoOrderSituation",
     [](auto& d, auto& u) {
         Uncheck(u, {&d.chbPPendente, &d.chbPAndamento, &d.chbPCancelado, &d.chbPParcialmente});
     },
     "Situação do pedido deve ser informada.", "chbPPendente"},
    {"NoItemSituation",
     [](auto& d, auto& u) {
         Uncheck(u, {&d.chbIPendente, &d.chbIConfirmado, &d.chbIAprovado, &d.chbILiquidado, &d.chbICancelado,
                     &d.chbIParcialmente});
     },
     "Situação do item deve ser informada.", "chbIPendente"},
    {"NoPriority",
     [](auto& d, auto& u) {
         Uncheck(u, {&d.chbNormal, &d.chbAlta, &d.chbUrgente});
     },
     "Prioridade deve ser informada.", "chbNormal"},
    {"EmptyOrderNumberList", [](auto& d, auto& u) { u.Click(d.rbtLNrPedido); },
     "Número pedido deve ser informado.", "rbtLNrPedido"},
    {"EmptyClientAndProductLists",
     [](auto& d, auto& u) {
         u.Click(d.rbtLProduto);
         u.Click(d.rbtLCliente);
         u.Focus(d.chbNormal);
     },
     "Cliente deve ser informado.", "rbtLCliente"},
    {"EmptyProductList", [](auto& d, auto& u) { u.Click(d.rbtLProduto); }, "Produto deve ser informado.",
     "rbtLProduto"},
    {"EmptySellerList", [](auto& d, auto& u) { u.Click(d.rbtLVendedor); }, "Vendedor deve ser informado.",
     "rbtLVendedor"},
};

class FilterRuleTest : public FilterDialogTest, public ::testing::WithParamInterface<RuleCase> {};

} // namespace

TEST_P(FilterRuleTest, ABrokenRuleShowsItsMessageFocusesItsControlAndConfirmsNothing) {
    const RuleCase& rule = GetParam();
    Screen();
    const TFiltro before = Filtro;
    bool closed = true;
    std::string focused;
    std::vector<std::string> errors;
    closed = Confirm(
        [&](TfrmFiltroCancelaPed& dialog) {
            platform.ClearEvents();
            rule.Prepare(dialog, user);
            ASSERT_EQ(platform.Errors(), std::vector<std::string>{}) << "preparing broke no rule yet";
            dialog.stParTNrPedido = "unchanged";
        },
        [&](TfrmFiltroCancelaPed& dialog) {
            errors = platform.Errors();
            focused = dialog.ActiveControl() ? dialog.ActiveControl()->Name() : "";
            EXPECT_EQ(dialog.stParTNrPedido, "unchanged") << "no parameter is written";
        });
    EXPECT_FALSE(closed);
    EXPECT_EQ(errors, std::vector<std::string>{rule.Message});
    EXPECT_EQ(focused, rule.Focus);
    EXPECT_EQ(Filtro.NrPedido.boIntervalo, before.NrPedido.boIntervalo);
    EXPECT_EQ(Filtro.NrPedido.boLista, before.NrPedido.boLista);
    EXPECT_EQ(Filtro.boNormal, before.boNormal);
    EXPECT_EQ(Filtro.boPPendente, before.boPPendente);
    EXPECT_EQ(Filtro.Cliente.boTodos, before.Cliente.boTodos);
    EXPECT_EQ(Filtro.dtDeEmissao, before.dtDeEmissao);
    EXPECT_EQ(Filtro.dtDeEntrega, before.dtDeEntrega);
}

INSTANTIATE_TEST_SUITE_P(Rules, FilterRuleTest, ::testing::ValuesIn(ruleCases),
                         [](const auto& instance) { return std::string(instance.param.Name); });

TEST_F(FilterDialogTest, TheDateGroupBeingEditedIsCheckedFirst) {
    Screen();
    struct Case {
        const char* FocusIn;
        const char* Message;
    };
    for (const Case& c : {Case{"depAteEntrega", "Data de entrega inicial deve ser informada."},
                          Case{"depDeEntrega", "Data de entrega inicial deve ser informada."},
                          Case{"chbNormal", "Data do pedido inicial deve ser informada."},
                          Case{"depAteEmissao", "Data do pedido inicial deve ser informada."}}) {
        platform.ClearEvents();
        Confirm([&](TfrmFiltroCancelaPed& dialog) {
            dialog.depDeEmissao.Clear();
            user.Type(dialog.depAteEmissao, "10052024");
            user.Type(dialog.depAteEntrega, "10052024");
            user.Focus(*dialog.Find<ui::Control>(c.FocusIn));
        });
        EXPECT_EQ(platform.Errors(), std::vector<std::string>{c.Message}) << "focus in " << c.FocusIn;
    }
}

TEST_F(FilterDialogTest, LeavingADateEditWithAnInvalidDateKeepsTheFocusThere) {
    Screen();
    WithDialog([this](TfrmFiltroCancelaPed& dialog) {
        struct Case {
            TDateEditPlus& Edit;
            const char* Typed;
            const char* Message;
        };
        for (const Case& c :
             {Case{dialog.depDeEmissao, "31022024", "'31/02/2024' não é uma data válida."},
              Case{dialog.depAteEmissao, "0101", "'01/01/____' não é uma data válida."},
              Case{dialog.depDeEntrega, "30121899", "30/12/1899 não é uma data válida."},
              Case{dialog.depAteEntrega, "29022023", "'29/02/2023' não é uma data válida."}}) {
            platform.ClearEvents();
            user.Type(c.Edit, c.Typed);
            user.Focus(dialog.chbNormal);
            EXPECT_EQ(platform.Errors(), std::vector<std::string>{c.Message}) << c.Edit.Name();
            EXPECT_TRUE(c.Edit.Focused()) << c.Edit.Name();
            c.Edit.Clear();
        }
        platform.ClearEvents();
        user.Type(dialog.depAteEntrega, "29022024");
        user.Focus(dialog.chbNormal);
        EXPECT_EQ(platform.Errors(), std::vector<std::string>{}) << "a leap day is a date";
        EXPECT_TRUE(dialog.chbNormal.Focused());
    });
}

TEST_F(FilterDialogTest, EqualBoundsPassTheRangeRules) {
    Screen();
    const bool closed = Confirm([this](TfrmFiltroCancelaPed& dialog) {
        OrderDates(dialog, user, "10052024", "10052024");
        DeliveryDates(dialog, user, "11052024", "11052024");
        Interval(dialog, user, "7", "7");
    });
    EXPECT_TRUE(closed) << ::testing::PrintToString(platform.Errors());
    EXPECT_EQ(Filtro.NrPedido.stDe, "0000000007");
    EXPECT_EQ(Filtro.dtAteEmissao, Date(2024, 5, 10));
}
