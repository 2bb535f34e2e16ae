// How the two grids paint their data cells, how the orders grid is ordered by a title click, and
// the values the items dataset computes for display.
#include "CLI_Ped01000/Situacao.h"
#include "CLI_Ped01000/TfrmCancelaPed.h"
#include "Consiste.h"
#include "Mask.h"
#include "Morvale.h"
#include "data/Format.h"
#include "ui/Canvas.h"

#include <array>
#include <optional>
#include <string_view>
#include <utility>

namespace {

// The olive of the check images is drawn in the cell's background.
constexpr ui::Color checkImageKey = ui::clOlive;

bool IsOneOf(const std::string& code, std::string_view codes) {
    return code.size() == 1 && codes.find(code[0]) != std::string_view::npos;
}

// Every data cell starts on the info background in its row's colour; a selected cell is
// highlighted whatever its situation.
void PaintBackground(ui::Canvas& canvas, const ui::Rect& rect, ui::GridDrawState state,
                     const std::optional<ui::Color>& textColour) {
    canvas.FillRect(rect, ui::clInfoBk);
    if (textColour)
        canvas.SetTextColor(*textColour);
    if (state.Selected) {
        canvas.FillRect(rect, ui::clHighlight);
        canvas.SetTextColor(ui::clCaptionText);
    }
}

// A check cell shows only its image: the background is filled again over the text and the focus
// rectangle drawn before.
void PaintCheckImage(ui::Canvas& canvas, const ui::Rect& rect, const ui::Image* image) {
    canvas.FillRect(rect, canvas.BrushColor());
    if (!image)
        return;
    const ui::Bitmap& bitmap = image->Bitmap();
    const ui::Rect dest{rect.Left + 1, rect.Top, rect.Left + 1 + bitmap.Width(), rect.Bottom};
    canvas.DrawBitmap(dest, bitmap, checkImageKey);
}

std::string PlainText(const ui::Column& column) {
    const data::Field* field = column.Field();
    return field ? field->AsString() : std::string();
}

// The text of an items cell and its offset from the cell's left: numbers are right-aligned with
// fixed decimals, the tree code goes through its mask, anything else and empty values as they are.
std::pair<std::string, int> ItemCellText(const ui::Canvas& canvas, const ui::Column& column) {
    const data::Field* field = column.Field();
    if (!field || field->AsString().empty())
        return {PlainText(column), 2};
    const std::string& name = column.FieldName();
    if (name == "CDARVPROD")
        return {TfrmCancelaPed::FormataArvProd(field->AsString()), 2};
    std::string_view pattern;
    if (name == "QTITEMPED")
        pattern = "######0.000";
    else if (name == "VrTotal" || name == "VRPREUNITPED")
        pattern = "###0.00";
    else
        return {field->AsString(), 2};
    std::string text = data::FormatFloat(pattern, field->AsFloat());
    const int x = column.Width() - (canvas.TextWidth(text) + 2);
    return {std::move(text), x};
}

} // namespace

std::string TfrmCancelaPed::FormataArvProd(const std::string& cdArvProd) {
    return Mask::FormatMaskText(Morvale::DBPict(0), cdArvProd);
}

void TfrmCancelaPed::dbgPadraoDrawColumnCell(ui::DBGrid& sender, const ui::Rect& rect, int,
                                             ui::Column& column, ui::GridDrawState state) {
    if (cdsPedido.IsEmpty())
        return;
    ui::Canvas& canvas = sender.Canvas();
    const Situacao situacao = SituacaoPedido(cdsPedido.FieldByName("IDSITPEDIDO").AsString());
    PaintBackground(canvas, rect, state, situacao.Cor);
    if (column.FieldName() == "IDSITPEDIDO") {
        if (!situacao.Sigla.empty())
            canvas.TextOut(rect.Left + 2, rect.Top + 2, msgPadrao.Msg(situacao.Sigla));
    } else {
        canvas.TextOut(rect.Left + 2, rect.Top + 2, PlainText(column));
    }
    if (state.Focused)
        canvas.DrawFocusRect(rect);
    if (column.FieldName() == "IDCHECK")
        PaintCheckImage(canvas, rect, OrderCheckImage());
}

void TfrmCancelaPed::dbgItemPedidoDrawColumnCell(ui::DBGrid& sender, const ui::Rect& rect, int,
                                                 ui::Column& column, ui::GridDrawState state) {
    if (cdsItemPedido.IsEmpty())
        return;
    ui::Canvas& canvas = sender.Canvas();
    const Situacao situacao = SituacaoItemPedido(cdsItemPedido.FieldByName("IDSITITEMPED").AsString());
    PaintBackground(canvas, rect, state, situacao.Cor);
    if (column.FieldName() == "IDSITITEMPED") {
        if (!situacao.Sigla.empty())
            canvas.TextOut(rect.Left + 2, rect.Top + 2, msgPadrao.Msg(situacao.Sigla));
    } else {
        const auto [text, x] = ItemCellText(canvas, column);
        canvas.TextOut(rect.Left + x, rect.Top + 2, text);
    }
    if (state.Focused)
        canvas.DrawFocusRect(rect);
    if (column.FieldName() == "IDCHECK")
        PaintCheckImage(canvas, rect, ItemCheckImage());
}

const ui::Image* TfrmCancelaPed::OrderCheckImage() const {
    if (!IsOneOf(cdsPedido.FieldByName("IDSITPEDIDO").AsString(), "124"))
        return &imgDescheck;
    return CheckImageOf(cdsPedido.FieldByName("IDCHECK").AsString());
}

const ui::Image* TfrmCancelaPed::ItemCheckImage() const {
    const std::string check = cdsItemPedido.FieldByName("IDCHECK").AsString();
    if (check.empty() || IsOneOf(cdsItemPedido.FieldByName("IDSITITEMPED").AsString(), "467"))
        return &imgDescheck;
    const bool commitmentControlled = cdsParamPedido.FieldByName("IDUTCTREMPEN").AsString() == "S";
    if (commitmentControlled && !Consiste::EmptyString(cdsPedido.FieldByName("NREMPENHO").AsString()))
        return &imgDescheck;
    return CheckImageOf(check);
}

const ui::Image* TfrmCancelaPed::CheckImageOf(const std::string& idCheck) const {
    if (idCheck == "N")
        return &imgUncheck;
    if (idCheck == "S")
        return &imgCheck;
    if (idCheck.empty())
        return &imgDescheck;
    return nullptr;
}

void TfrmCancelaPed::OrdenaPedido(const ui::Column& column) {
    static constexpr std::array<std::string_view, 6> sortable = {"IDSITPEDIDO", "NRPEDIDO", "NMFANTCLIE",
                                                                 "DTPEDIDO",    "DTENTPED", "NREMPENHO"};
    for (std::string_view name : sortable) {
        if (column.FieldName() == name) {
            cdsPedido.SetIndexFieldNames(std::string(name));
            return;
        }
    }
}

void TfrmCancelaPed::cdsItemPedidoCalcFields(data::DataSet&) {
    const double quantity = cdsItemPedido.FieldByName("QTITEMPED").AsFloat();
    const double price = cdsItemPedido.FieldByName("VRPREUNITPED").AsFloat();
    cdsItemPedido.FieldByName("VrTotal").SetAsFloat(quantity * price);
}

void TfrmCancelaPed::cdsItemPedidoCDARVPRODGetText(data::Field& sender, std::string& text, bool) {
    if (cdsItemPedido.IsEmpty())
        return;
    text = FormataArvProd(sender.AsString());
}
