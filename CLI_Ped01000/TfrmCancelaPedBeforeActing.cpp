// What the operator learns before acting: the current order's information line and the dry run
// of the confirm command.
#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/TextoStatus.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "CLI_Ped01000/TfrmSimulacao.h"
#include "Consiste.h"
#include "Showavi.h"
#include "data/PaintedRowScope.h"
#include "ui/Application.h"

void TfrmCancelaPed::sbtSimularClick(ui::Control&) {
    Vd_Check();
    Vd_JustExcl(true);
    const Comando comando = ComandoPendente();
    if (comando == Comando::Nenhum)
        return;
    RemoteResult resultado;
    {
        Showavi::Guard busy(ui::Application::Instance().MainForm(), Showavi::Running);
        resultado = EnviaComando(comando, true);
    }
    TfrmSimulacao::Mostra(Consiste::CheckResultServ(resultado, true, 0));
}

void TfrmCancelaPed::LeInfoPedidos() {
    std::vector<OrderInfoLine::Order> orders;
    std::string branch;
    if (cdsPedido.Active() && !cdsPedido.IsEmpty()) {
        // Read by the painted-row view, so the cursor and its scroll events stay where they are.
        for (int row = 0; row < cdsPedido.RecordCount(); ++row) {
            data::PaintedRowScope painted(cdsPedido, row);
            branch = cdsPedido.FieldByName("CDFILIAL").AsString(); // one branch per load
            orders.push_back({cdsPedido.FieldByName("NRPEDIDO").AsString(),
                              cdsPedido.FieldByName("NREMPENHO").AsString()});
        }
    }
    m_infoLine.Read(netCancelaPed, branch, orders);
    MostraInfoPedido();
}

void TfrmCancelaPed::MostraResumo() {
    SetStatusText(ui::StatusPart::Summary, TextoResumo(cdsPedido.Active(), cdsPedido.RecordCount(),
                                                       inContPedidoCh, inContItemPedidoCh));
}

void TfrmCancelaPed::MostraRecusaPedido() {
    const std::string holder = m_infoLine.LockHolder(cdsPedido.FieldByName("NRPEDIDO").AsString(),
                                                     ui::Application::Instance().Today());
    SetStatusText(ui::StatusPart::Message,
                  holder.empty() ? "Pedido não pode ser selecionado" : "Pedido em edição por " + holder);
}

void TfrmCancelaPed::MostraInfoPedido() {
    if (!cdsPedido.Active() || cdsPedido.IsEmpty()) {
        lblInfoPedido.SetCaption("");
        return;
    }
    lblInfoPedido.SetCaption(m_infoLine.Text(cdsPedido.FieldByName("NRPEDIDO").AsString(),
                                             cdsPedido.FieldByName("NREMPENHO").AsString(),
                                             ui::Application::Instance().Today()));
}
