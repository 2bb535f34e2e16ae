#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/Situacao.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "CLI_Ped01001/TfrmFiltroCancelaPed.h"
#include "Consiste.h"
#include "RdmCancelaPedido.h"
#include "Showavi.h"
#include "data/ControlsDisabledScope.h"
#include "data/ScopedDetach.h"
#include "data/Utf8.h"
#include "protocol/Situations.h"
#include "ui/Application.h"
#include "ui/WindowUpdateLock.h"

#include <functional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace {

// Walks a dataset in load order for a scope. The check writes IDCHECK, and with the grid sorted
// on that column each post would move rows under the walk.
class LoadOrderScope {
public:
    explicit LoadOrderScope(data::DataSet& dataSet) : m_dataSet(dataSet), m_index(dataSet.IndexFieldNames()) {
        m_dataSet.SetIndexFieldNames({});
    }
    ~LoadOrderScope() { m_dataSet.SetIndexFieldNames(m_index); }
    LoadOrderScope(const LoadOrderScope&) = delete;
    LoadOrderScope& operator=(const LoadOrderScope&) = delete;

private:
    data::DataSet& m_dataSet;
    std::string m_index;
};

std::string CurrentText(const data::DataSet& dataSet, const char* field) {
    return dataSet.Active() && !dataSet.IsEmpty() ? dataSet.FieldByName(field).AsString() : std::string();
}

// Whether one of the values is one of the one-character codes, without regard to case, as a
// look-up in the dataset would find it.
bool AnyValueIn(const std::vector<data::Value>& values, std::string_view codes) {
    for (char code : codes) {
        const std::string wanted = data::utf8::ToLower(std::string(1, code));
        for (const data::Value& value : values) {
            const auto* text = std::get_if<std::string>(&value);
            if (text && data::utf8::ToLower(*text) == wanted)
                return true;
        }
    }
    return false;
}

} // namespace

void TfrmCancelaPed::sbtVerificarClick(ui::Control&) {
    if (!frmFiltroCancelaPed)
        return; // No filter has been confirmed on this screen, so there is nothing to refresh.
    {
        ui::WindowUpdateLock lock(*this);
        Showavi::Guard busy(ui::Application::Instance().MainForm(), Showavi::Fetching);
        stSelNrPedido = CurrentText(cdsPedido, "NRPEDIDO");
        LoadOrders();
        // Within the load's busy time, so the line is never a load behind.
        LeInfoPedidos();
        busy.Stop();
        if (!cdsPedido.IsEmpty() && !stSelNrPedido.empty())
            cdsPedido.Locate("NRPEDIDO", stSelNrPedido, true);
    }
    Habilita();
}

void TfrmCancelaPed::LoadOrders() {
    TfrmFiltroCancelaPed& f = *frmFiltroCancelaPed;
    RdmCancelaPedido rdm(netCancelaPed);
    RemoteResult result = rdm.GetPedido(
        f.stParCdFilial, f.stParVendedor, f.stParTVendedor, f.stParCliente, f.stParTCliente, f.stParProduto,
        f.stParTProduto, f.stParPrioridade, f.stParSitPedido, f.dtParDeEmissao, f.dtParAteEmissao,
        f.stParTEmissao, f.dtParDeEntrega, f.dtParAteEntrega, f.stParTEntrega, f.stParDeNrPedido,
        f.stParAteNrPedido, f.stParNrPedido, f.stParTNrPedido, f.stParSitItemPedido);
    cdsPedido.LoadFromPacket(Consiste::CheckResultServ(std::move(result), true, 0));
}

void TfrmCancelaPed::cdsPedidoAfterOpen(data::DataSet&) {
    inContPedidoCh = 0;
    try {
        DesabilitacaoDefaultPed();
    } catch (...) {
        // Orders the check did not reach could be selected against its rules, so none is kept.
        cdsItemPedido.Close();
        cdsPedido.Close();
        Habilita();
        throw;
    }
    Habilita();
    if (cdsPedido.IsEmpty())
        pgcPadrao.SetActivePage(&tshPadrao);
}

void TfrmCancelaPed::cdsItemPedidoAfterOpen(data::DataSet&) {
    inContItemPedidoCh = 0;
}

void TfrmCancelaPed::DesabilitacaoDefaultPed() {
    inContItemPedidoCh = 0;
    inContDesabilitadosPed = 0;
    const std::string current = CurrentText(cdsPedido, "NRPEDIDO");
    data::ControlsDisabledScope display(cdsPedido);
    {
        data::ScopedDetach scroll(cdsPedido.AfterScroll);
        LoadOrderScope loadOrder(cdsPedido);
        OrderItemsPrefetch prefetch(netCancelaPed, LoadedOrders());
        for (cdsPedido.First(); !cdsPedido.IsEmpty() && !cdsPedido.Eof(); cdsPedido.Next()) {
            if (CheckOrder(prefetch, cdsPedido.RecNo() == cdsPedido.RecordCount()))
                ++inContDesabilitadosPed;
        }
    }
    if (!current.empty())
        cdsPedido.Locate("NRPEDIDO", current, true);
}

std::vector<OrderItemsPrefetch::Order> TfrmCancelaPed::LoadedOrders() {
    std::vector<OrderItemsPrefetch::Order> orders;
    for (cdsPedido.First(); !cdsPedido.IsEmpty() && !cdsPedido.Eof(); cdsPedido.Next()) {
        orders.push_back({cdsPedido.FieldByName("CDFILIAL").AsString(),
                          cdsPedido.FieldByName("NRPEDIDO").AsString(),
                          cdsPedido.FieldByName("IDSITPEDIDO").AsString()});
    }
    return orders;
}

bool TfrmCancelaPed::CheckOrder(OrderItemsPrefetch& prefetch, bool last) {
    const data::Packet* items = prefetch.Items(cdsPedido.FieldByName("CDFILIAL").AsString(),
                                               cdsPedido.FieldByName("NRPEDIDO").AsString());
    if (items && !last) {
        // Loading every order's items into the dataset only to look at their situations took a
        // sixth of the desktop's time in a load; only the last order's items stay loaded.
        const std::vector<data::Value> situations = cdsItemPedido.PacketValues(*items, "IDSITITEMPED");
        return ApplyLoadRule(
            situations.empty(),
            [&situations](std::string_view codes) { return AnyValueIn(situations, codes); }, prefetch);
    }
    if (items)
        cdsItemPedido.LoadFromPacket(*items);
    else
        LoadItemsOfCurrentOrder();
    return ApplyLoadRule(
        cdsItemPedido.IsEmpty(), [this](std::string_view codes) { return AnyItemIn(codes); }, prefetch);
}

bool TfrmCancelaPed::ApplyLoadRule(bool noItems, const std::function<bool(std::string_view)>& anyItemIn,
                                   const OrderItemsPrefetch& prefetch) {
    const std::string situation = cdsPedido.FieldByName("IDSITPEDIDO").AsString();
    bool disable = false;
    if (noItems) {
        disable = true;
    } else if (!cdsPedido.FieldByName("NREMPENHO").AsString().empty() &&
               CurrentText(cdsParamPedido, "IDUTCTREMPEN") == "S" && situation == "4") {
        SetOrderCheck("N");
        return true;
    } else if (protocol::situations::IsIn(situation, protocol::situations::OrdersNeverChecked)) {
        disable = true;
    } else if (situation == "1") {
        disable = anyItemIn("5");
    } else if (situation == "2") {
        disable = anyItemIn(protocol::situations::ItemsBlockingOrderCancel) || HasBlockingItems(prefetch);
    }
    if (disable)
        SetOrderCheck("");
    return disable;
}

bool TfrmCancelaPed::HasBlockingItems(const OrderItemsPrefetch& prefetch) {
    const std::string branch = cdsPedido.FieldByName("CDFILIAL").AsString();
    const std::string number = cdsPedido.FieldByName("NRPEDIDO").AsString();
    if (const data::Packet* blocking = prefetch.Blocking(branch, number)) {
        cdsItemPedidoSemFiltro2.LoadFromPacket(*blocking);
    } else {
        RdmCancelaPedido rdm(netCancelaPed);
        cdsItemPedidoSemFiltro2.LoadFromPacket(
            Consiste::CheckResultServ(rdm.GetItemPedidoSemFiltro2(branch, number), true, 0));
    }
    return !cdsItemPedidoSemFiltro2.IsEmpty();
}

bool TfrmCancelaPed::AnyItemIn(std::string_view situations) {
    for (char situation : situations) {
        if (cdsItemPedido.Locate("IDSITITEMPED", std::string(1, situation), true))
            return true;
    }
    return false;
}

void TfrmCancelaPed::SetOrderCheck(const std::string& idCheck) {
    cdsPedido.Edit();
    cdsPedido.FieldByName("IDCHECK").SetAsString(idCheck);
    cdsPedido.Post();
}

void TfrmCancelaPed::cdsPedidoAfterScroll(data::DataSet&) {
    if (pgcPadrao.ActivePage() == &tshItemPedido)
        LoadItemsOfCurrentOrder();
    const Situacao situacao = SituacaoPedido(cdsPedido.FieldByName("IDSITPEDIDO").AsString());
    dbtNome.SetFontColor(situacao.Cor.value_or(ui::clRed));
}
