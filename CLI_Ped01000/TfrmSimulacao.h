#pragma once

#include "TDataSource.h"
#include "TMemDataSet.h"
#include "data/Packet.h"
#include "ui/Button.h"
#include "ui/DBGrid.h"
#include "ui/Form.h"
#include "ui/Label.h"

// "Simulação": what confirming would do, as the server's dry run answered it: every order and
// item whose situation would change (before and after), every commitment balance that would move,
// or the refusal the command would meet. It only shows; closing it changes nothing.
class TfrmSimulacao : public ui::Form {
public:
    TfrmSimulacao();
    ~TfrmSimulacao() override;

    // Shows the dry run's answer in a modal window, released when it closes.
    static void Mostra(const data::Packet& resultado);

    ui::Label& lblAviso;
    ui::Label& lblRecusa;
    ui::Label& lblAlteracoes;
    ui::DBGrid& dbgAlteracoes;
    ui::Label& lblSaldos;
    ui::DBGrid& dbgSaldos;
    ui::Button& btnFecharSimulacao;
    TMemDataSet& cdsAlteracoes;
    TMemDataSet& cdsSaldos;
    TDataSource& dtsAlteracoes;
    TDataSource& dtsSaldos;

    // Fills the window from the dry run's packet (TPLINHA "P"/"I" situations, "E" balances,
    // "R" the refusal).
    void Carrega(const data::Packet& resultado);

private:
    void DefineLayout();
    void DefineDataSets();
};
