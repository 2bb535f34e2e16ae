#include "ui/PickerForm.h"

#include "data/PaintedRowScope.h"
#include "data/Utf8.h"
#include "ui/Application.h"

#include <algorithm>

namespace ui {

namespace {

constexpr const char* RowField = "NRLINHA";
constexpr const char* MarkField = "IDMARCA";
constexpr const char* MarkText = "\u2714";
constexpr int CharWidth = 7;

bool Contains(const std::vector<std::string>& texts, const std::string& folded) {
    return std::any_of(texts.begin(), texts.end(), [&](const std::string& text) {
        return data::utf8::Fold(text).find(folded) != std::string::npos;
    });
}

} // namespace

PickerForm::PickerForm(const PickRequest& request, const std::vector<int>* marked)
    : Form("frmPesquisa"), lblPesquisa(Add<Label>("lblPesquisa")),
      edtPesquisa(Add<SearchEdit>("edtPesquisa")), dbgPesquisa(Add<DBGrid>("dbgPesquisa")),
      btnOk(Add<Button>("btnOk")), btnCancelar(Add<Button>("btnCancelar")), m_multi(marked != nullptr),
      m_fields(request.Columns) {
    SetCaption(request.Title);
    ReadRows(request, marked);
    DefineGrid(request);
    m_source.SetDataSet(&m_rows);
    dbgPesquisa.SetDataSource(&m_source);
    edtPesquisa.OnChange = [this](Control&) { ShowMatchingRows(); };
    edtPesquisa.OnKeyDown = [this](Control&, int& key, ShiftState shift) { SearchKeyDown(key, shift); };
    dbgPesquisa.OnKeyDown = [this](Control&, int& key, ShiftState shift) {
        if (m_multi && key == Key::Space && !shift.Ctrl && !shift.Alt) {
            key = 0;
            ToggleMark();
        }
    };
    dbgPesquisa.OnCellClick = [this](Column& column) {
        if (m_multi && column.FieldName() == MarkField)
            ToggleMark();
    };
    ShowMatchingRows();
}

PickerForm::~PickerForm() {
    // The grid shows this form's own rows; it goes before them.
    DestroyOwnedComponents();
}

void PickerForm::ReadRows(const PickRequest& request, const std::vector<int>* marked) {
    data::DataSet* dataSet = request.DataSet;
    const int rows = dataSet ? dataSet->RecordCount() : 0;
    for (int row = 0; row < rows; ++row) {
        data::PaintedRowScope painted(*dataSet, row);
        std::vector<std::string> texts;
        for (const std::string& name : m_fields) {
            data::Field* field = dataSet->FindField(name);
            texts.push_back(field ? field->DisplayText() : "");
        }
        m_texts.push_back(std::move(texts));
        m_marked.push_back(marked && std::find(marked->begin(), marked->end(), row) != marked->end());
    }
}

void PickerForm::DefineGrid(const PickRequest& request) {
    m_rows.AddField(RowField, data::FieldType::Integer);
    m_rows.AddField(MarkField, data::FieldType::String, 1);
    int gridWidth = 0;
    auto addColumn = [&](const std::string& field, int width, const std::string& title) {
        Column& column = dbgPesquisa.Columns().Add();
        column.SetFieldName(field);
        column.SetWidth(width);
        column.SetTitleCaption(title);
        gridWidth += width;
    };
    if (m_multi)
        addColumn(MarkField, 18, MarkText);
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        const data::Field* source = request.DataSet ? request.DataSet->FindField(m_fields[i]) : nullptr;
        const std::string title = source ? source->DisplayLabel() : m_fields[i];
        std::size_t longest = data::utf8::Length(title);
        for (const auto& texts : m_texts)
            longest = std::max(longest, data::utf8::Length(texts[i]));
        m_rows
            .AddField(m_fields[i], data::FieldType::String,
                      static_cast<int>(std::max<std::size_t>(longest, 1)))
            .SetDisplayLabel(title);
        addColumn(m_fields[i], std::clamp(static_cast<int>(longest) * CharWidth + 10, 40, 320), title);
    }
    dbgPesquisa.SetReadOnly(true);
    dbgPesquisa.SetOptions({true, true, true});
    Place(gridWidth);
}

void PickerForm::Place(int gridWidth) {
    const int width = std::clamp(gridWidth + 40, 420, 720);
    const int height = 360;
    lblPesquisa.SetCaption("Procurar");
    lblPesquisa.SetBounds(8, 12, 56, 13);
    edtPesquisa.SetBounds(68, 8, width - 76, 21);
    dbgPesquisa.SetBounds(8, 36, width - 16, height - 80);
    btnOk.SetCaption("OK");
    btnOk.SetBounds(width - 176, height - 36, 80, 25);
    btnOk.SetModalResult(ModalResult::Ok);
    btnOk.SetDefault(true);
    btnCancelar.SetCaption("Cancelar");
    btnCancelar.SetBounds(width - 88, height - 36, 80, 25);
    btnCancelar.SetModalResult(ModalResult::Cancel);
    btnCancelar.SetCancel(true);
    SetBounds(0, 0, width, height);
}

void PickerForm::ShowMatchingRows() {
    const std::optional<int> current = m_rows.Active() ? CurrentRow() : std::nullopt;
    const std::string folded = data::utf8::Fold(edtPesquisa.Text());
    data::Packet packet;
    for (const auto& field : m_rows.Fields())
        packet.Fields.push_back({field->FieldName(), field->DataType(), field->Size()});
    int keep = 0;
    for (std::size_t row = 0; row < m_texts.size(); ++row) {
        if (!folded.empty() && !Contains(m_texts[row], folded))
            continue;
        if (current && static_cast<int>(row) == *current)
            keep = static_cast<int>(packet.Rows.size());
        std::vector<data::Value> values{static_cast<std::int64_t>(row),
                                        std::string(m_marked[row] ? MarkText : "")};
        for (const std::string& text : m_texts[row])
            values.emplace_back(text);
        packet.Rows.push_back(std::move(values));
    }
    m_rows.LoadFromPacket(std::move(packet));
    if (!m_rows.IsEmpty())
        m_rows.SetRecNo(keep + 1);
}

void PickerForm::ToggleMark() {
    const std::optional<int> row = CurrentRow();
    if (!row)
        return;
    const auto index = static_cast<std::size_t>(*row);
    m_marked[index] = !m_marked[index];
    m_rows.Edit();
    m_rows.FieldByName(MarkField).SetAsString(m_marked[index] ? MarkText : "");
    m_rows.Post();
}

void PickerForm::SearchKeyDown(int& key, ShiftState shift) {
    if (m_multi && key == Key::Space && shift.Ctrl && !shift.Alt) {
        key = 0;
        ToggleMark();
        return;
    }
    const bool moves = key == Key::Up || key == Key::Down || key == Key::PageUp || key == Key::PageDown ||
                       key == Key::Home || key == Key::End;
    if (!moves || shift.Ctrl || shift.Alt)
        return;
    dbgPesquisa.HandleKey(key, shift);
    key = 0;
}

std::optional<int> PickerForm::CurrentRow() const {
    if (!m_rows.Active() || m_rows.IsEmpty())
        return std::nullopt;
    return static_cast<int>(m_rows.FieldByName(RowField).AsInteger());
}

std::vector<int> PickerForm::MarkedRows() const {
    std::vector<int> rows;
    for (std::size_t row = 0; row < m_marked.size(); ++row)
        if (m_marked[row])
            rows.push_back(static_cast<int>(row));
    return rows;
}

std::optional<int> PickerForm::PickRow(const PickRequest& request) {
    PickerForm& form = Application::Instance().CreateForm<PickerForm>(request, nullptr);
    // The answer is read before the released form goes, at the end of the outermost event.
    if (form.ShowModalOnce() != ModalResult::Ok)
        return std::nullopt;
    return form.CurrentRow();
}

std::optional<std::vector<int>> PickerForm::PickRows(const MultiPickRequest& request) {
    PickerForm& form = Application::Instance().CreateForm<PickerForm>(request, &request.Marked);
    if (form.ShowModalOnce() != ModalResult::Ok)
        return std::nullopt;
    return form.MarkedRows();
}

} // namespace ui
