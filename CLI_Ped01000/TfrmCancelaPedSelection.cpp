#include "CLI_Ped01000/CheckMark.h"
#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "data/ControlsDisabledScope.h"
#include "data/ScopedDetach.h"
#include "ui/Application.h"
#include "ui/Column.h"
#include "ui/Keys.h"

using CheckMark::Checked;
using CheckMark::Disabled;
using CheckMark::Unchecked;

namespace {

// A mouse click acts only on the check column; the keyboard acts whatever column it is given.
bool ClickActs(const ui::Column& column) {
    return column.FieldName() == "IDCHECK" || boTeclado;
}

// A branch that controls commitments leaves the items of an order with a commitment number alone.
bool CommitmentRefusesItems(const TfrmCancelaPed& screen) {
    return !screen.cdsPedido.FieldByName("NREMPENHO").AsString().empty() &&
           screen.cdsParamPedido.FieldByName("IDUTCTREMPEN").AsString() == "S";
}

// Marks the key handlers' run, so that cell and title clicks act for any column; cleared on
// every path, a failing click included.
class KeyboardScope {
public:
    KeyboardScope() { boTeclado = true; }
    ~KeyboardScope() { boTeclado = false; }
    KeyboardScope(const KeyboardScope&) = delete;
    KeyboardScope& operator=(const KeyboardScope&) = delete;
};

// Space toggles the current row; Ctrl+space checks or unchecks them all.
template <class TitleClick, class CellClick>
void HandleSpace(ui::DBGrid& grid, int key, ui::ShiftState shift, TitleClick titleClick,
                 CellClick cellClick) {
    if (key != ui::Key::Space)
        return;
    KeyboardScope keyboard;
    ui::Column& first = grid.Columns().Item(0);
    if (shift.Ctrl)
        titleClick(first);
    else
        cellClick(first);
}

} // namespace

void TfrmCancelaPed::dbgPadraoCellClick(ui::Column& column) {
    if (!ClickActs(column))
        return;
    const std::string mark = CheckMark::Of(cdsPedido);
    if (mark == Unchecked) {
        CheckMark::Set(cdsPedido, Checked);
        ++inContPedidoCh;
    } else if (mark == Checked) {
        CheckMark::Set(cdsPedido, Unchecked);
        --inContPedidoCh;
    }
    if (mark == Checked || mark == Unchecked)
        SetStatusText(ui::StatusPart::Message, "");
    else
        MostraRecusaPedido();
    Habilita();
}

void TfrmCancelaPed::dbgPadraoKeyDown(ui::Control& sender, int& key, ui::ShiftState shift) {
    TfrmPadraoGrid::dbgPadraoKeyDown(sender, key, shift);
    HandleSpace(
        dbgPadrao, key, shift, [this](ui::Column& column) { dbgPadraoTitleClick(column); },
        [this](ui::Column& column) { dbgPadraoCellClick(column); });
}

void TfrmCancelaPed::dbgPadraoTitleClick(ui::Column& column) {
    CheckAllPedidos(column);
    OrdenaPedido(column);
}

void TfrmCancelaPed::CheckAllPedidos(const ui::Column& column) {
    if (!ClickActs(column) || cdsPedido.IsEmpty() || cdsPedido.RecordCount() == inContDesabilitadosPed)
        return;
    if (AlgumDeschPedido()) {
        CheckMark::ForEachRow(cdsPedido, "NRPEDIDO", stSelNrPedido, [this] {
            if (CheckMark::Of(cdsPedido) == Unchecked) {
                CheckMark::Set(cdsPedido, Checked);
                ++inContPedidoCh;
            }
        });
    } else {
        LimpezaPedido();
    }
    Habilita();
}

bool TfrmCancelaPed::AlgumDeschPedido() {
    return CheckMark::FindRow(cdsPedido, "NRPEDIDO", stSelNrPedido,
                              [this] { return CheckMark::Of(cdsPedido) == Unchecked; });
}

void TfrmCancelaPed::LimpezaPedido() {
    CheckMark::ForEachRow(cdsPedido, "NRPEDIDO", stSelNrPedido, [this] {
        if (CheckMark::Of(cdsPedido) == Checked)
            CheckMark::Set(cdsPedido, Unchecked);
    });
    inContPedidoCh = 0;
}

void TfrmCancelaPed::dbgItemPedidoCellClick(ui::Column& column) {
    if (!ClickActs(column))
        return;
    const std::string situation = CheckMark::ItemSituation(cdsItemPedido);
    const std::string mark = CheckMark::Of(cdsItemPedido);
    const bool refused = CheckMark::IsLockedItemSituation(situation) || CommitmentRefusesItems(*this);
    SetStatusText(ui::StatusPart::Message,
                  refused || (mark != Checked && mark != Unchecked) ? "Item não pode ser selecionado" : "");
    if (refused)
        return;
    if (mark == Checked) {
        CheckMark::Set(cdsItemPedido, Unchecked);
        // Unchecking the last item ends the selection: every row becomes selectable again.
        if (--inContItemPedidoCh == 0)
            LimpezaItemPedido();
    } else if (mark == Unchecked) {
        CheckMark::Set(cdsItemPedido, Checked);
        stSituacaoItemPedido = situation;
        if (++inContItemPedidoCh == 1)
            DisableOtherItemGroup();
    }
    Habilita();
}

void TfrmCancelaPed::DisableOtherItemGroup() {
    const bool pendingGroup = CheckMark::IsPendingItemSituation(stSituacaoItemPedido);
    CheckMark::ForEachRow(cdsItemPedido, "NRITEMPED", stNrItemPed, [this, pendingGroup] {
        if (CheckMark::IsPendingItemSituation(CheckMark::ItemSituation(cdsItemPedido)) != pendingGroup)
            CheckMark::Set(cdsItemPedido, Disabled);
    });
}

void TfrmCancelaPed::dbgItemPedidoKeyDown(ui::Control&, int& key, ui::ShiftState shift) {
    HandleSpace(
        dbgItemPedido, key, shift, [this](ui::Column& column) { dbgItemPedidoTitleClick(column); },
        [this](ui::Column& column) { dbgItemPedidoCellClick(column); });
}

void TfrmCancelaPed::dbgItemPedidoTitleClick(ui::Column& column) {
    if (!ClickActs(column) || cdsItemPedido.IsEmpty())
        return;
    if (inContItemPedidoCh == 0 && !TodosMesmaSitItemPed()) {
        // Cancelled items mixed with others: the operator chooses the mode.
        const ui::Point at = ui::Application::Instance().MousePos();
        ppmItemPedido.Popup(at.X, at.Y);
    } else if (AlgumDeschItemPedido()) {
        const bool refused = CommitmentRefusesItems(*this);
        CheckMark::ForEachRow(cdsItemPedido, "NRITEMPED", stNrItemPed, [this, refused] {
            const std::string situation = CheckMark::ItemSituation(cdsItemPedido);
            if (refused || CheckMark::IsLockedItemSituation(situation) ||
                CheckMark::Of(cdsItemPedido) != Unchecked)
                return;
            CheckMark::Set(cdsItemPedido, Checked);
            stSituacaoItemPedido = situation;
            ++inContItemPedidoCh;
        });
    } else {
        LimpezaItemPedido();
    }
    Habilita();
}

bool TfrmCancelaPed::AlgumDeschItemPedido() {
    return CheckMark::FindRow(cdsItemPedido, "NRITEMPED", stNrItemPed, [this] {
        return CheckMark::Of(cdsItemPedido) == Unchecked &&
               !CheckMark::IsLockedItemSituation(CheckMark::ItemSituation(cdsItemPedido));
    });
}

void TfrmCancelaPed::LimpezaItemPedido() {
    CheckMark::ForEachRow(cdsItemPedido, "NRITEMPED", stNrItemPed,
                          [this] { CheckMark::Set(cdsItemPedido, Unchecked); });
    inContItemPedidoCh = 0;
    edtCdJust.SetText("");
}

bool TfrmCancelaPed::TodosMesmaSitItemPed() {
    bool cancelled = false;
    bool other = false;
    std::string keyMemory;
    CheckMark::ForEachRow(cdsItemPedido, "NRITEMPED", keyMemory, [&] {
        if (CheckMark::Of(cdsItemPedido) != Unchecked)
            return;
        const std::string situation = CheckMark::ItemSituation(cdsItemPedido);
        if (situation == "5")
            cancelled = true;
        else if (!CheckMark::IsLockedItemSituation(situation))
            other = true;
    });
    return !(cancelled && other);
}

void TfrmCancelaPed::Deschecar() {
    // Posting each row would otherwise recompute the item total.
    data::ScopedDetach calcFields(cdsItemPedido.OnCalcFields);
    if (tshPadrao.Enabled()) {
        data::ControlsDisabledScope display(cdsPedido);
        for (cdsPedido.First(); !cdsPedido.Eof(); cdsPedido.Next())
            if (CheckMark::Of(cdsPedido) == Checked)
                CheckMark::Set(cdsPedido, Unchecked);
    } else if (tshItemPedido.Enabled()) {
        data::ControlsDisabledScope display(cdsItemPedido);
        for (cdsItemPedido.First(); !cdsItemPedido.Eof(); cdsItemPedido.Next())
            CheckMark::Set(cdsItemPedido, Unchecked);
    }
}
