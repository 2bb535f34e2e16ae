#include "data/DataSet.h"

#include "data/DataSetError.h"
#include "data/DataSource.h"

#include <algorithm>

namespace data {

namespace {

// Field names are ASCII; folding them by hand keeps the locale out of every field look-up.
bool SameName(std::string_view a, std::string_view b) {
    const auto fold = [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return fold(x) == fold(y); });
}

} // namespace

DataSet::~DataSet() {
    // Sources bound to this dataset must not keep a dangling pointer.
    const std::vector<DataSource*> sources = m_sources;
    for (DataSource* source : sources) {
        source->DataSetDestroyed();
    }
}

void DataSet::SetName(std::string name) {
    if (name == m_name) {
        return;
    }
    m_name = std::move(name);
}

Field& DataSet::AddField(std::string name, FieldType type, int size) {
    if (Active()) {
        throw DataSetError("cannot add field '" + name + "' to the open dataset '" + m_name + "'");
    }
    if (FindField(name)) {
        throw DataSetError("dataset '" + m_name + "' already has a field '" + name + "'");
    }
    const int index = static_cast<int>(m_fields.size());
    m_fields.push_back(std::make_unique<Field>(*this, index, std::move(name), type, size));
    return *m_fields.back();
}

Field* DataSet::FindField(std::string_view name) const {
    for (const auto& field : m_fields) {
        if (SameName(field->FieldName(), name)) {
            return field.get();
        }
    }
    return nullptr;
}

Field& DataSet::FieldByName(std::string_view name) const {
    if (Field* field = FindField(name)) {
        return *field;
    }
    throw DataSetError("field '" + std::string(name) + "' not found in dataset '" + m_name + "'");
}

void DataSet::Open() {
    if (Active()) {
        return;
    }
    if (BeforeOpen) {
        BeforeOpen(*this);
    }
    SetState(DataSetState::Browse);
    FinishOpen();
}

// Shared by opening and loading: the rows are in place, now compute, order and announce them.
void DataSet::FinishOpen() {
    CalculateAll();
    ApplyOrder();
    ResetCursor();
    Notify(DataSetChange::DataChanged);
    if (AfterOpen) {
        AfterOpen(*this);
    }
    if (!IsEmpty()) {
        Scrolled();
    }
}

void DataSet::Close() {
    if (!Active()) {
        return;
    }
    m_rows.Reset(m_fields.size());
    m_order.clear();
    m_editBuffer.clear();
    m_paintedRow = -1;
    ResetCursor();
    SetState(DataSetState::Inactive);
    Notify(DataSetChange::DataChanged);
}

void DataSet::CheckActive() const {
    if (!Active()) {
        throw DataSetError("dataset '" + m_name + "' is closed");
    }
}

void DataSet::ResetCursor() {
    m_cursor = m_order.empty() ? -1 : 0;
    m_bof = true;
    m_eof = m_order.empty();
}

void DataSet::Scrolled() {
    Notify(DataSetChange::Scrolled);
    if (AfterScroll) {
        AfterScroll(*this);
    }
}

void DataSet::MoveTo(int displayRow, bool bof, bool eof) {
    PostIfEditing();
    m_cursor = displayRow;
    m_bof = bof;
    m_eof = eof;
    Scrolled();
}

void DataSet::First() {
    CheckActive();
    if (IsEmpty()) {
        m_bof = m_eof = true;
        return;
    }
    MoveTo(0, true, false);
}

void DataSet::Last() {
    CheckActive();
    if (IsEmpty()) {
        m_bof = m_eof = true;
        return;
    }
    MoveTo(RecordCount() - 1, false, true);
}

void DataSet::Next() {
    MoveBy(1);
}

void DataSet::Prior() {
    MoveBy(-1);
}

int DataSet::MoveBy(int distance) {
    CheckActive();
    if (IsEmpty() || distance == 0) {
        m_bof = m_bof || IsEmpty();
        m_eof = m_eof || IsEmpty();
        return 0;
    }
    const int target = std::clamp(m_cursor + distance, 0, RecordCount() - 1);
    const bool hitEnd = m_cursor + distance > target;
    const bool hitStart = m_cursor + distance < target;
    const int moved = target - m_cursor;
    if (moved == 0) {
        m_eof = m_eof || hitEnd;
        m_bof = m_bof || hitStart;
        return 0;
    }
    MoveTo(target, hitStart, hitEnd);
    return moved;
}

void DataSet::SetRecNo(int recNo) {
    CheckActive();
    if (recNo < 1 || recNo > RecordCount()) {
        throw DataSetError("record " + std::to_string(recNo) + " is out of range in dataset '" + m_name +
                           "'");
    }
    if (recNo - 1 != m_cursor) {
        MoveTo(recNo - 1, false, false);
    }
}

void DataSet::SetState(DataSetState state) {
    if (state == m_state) {
        return;
    }
    m_state = state;
    Notify(DataSetChange::StateChanged);
}

void DataSet::Notify(DataSetChange change) {
    if (m_disableCount > 0) {
        m_changePending = true;
        return;
    }
    m_listeners.Notify(change);
}

void DataSet::DisableControls() {
    ++m_disableCount;
}

void DataSet::EnableControls() {
    if (m_disableCount == 0) {
        return;
    }
    if (--m_disableCount == 0 && m_changePending) {
        m_changePending = false;
        Notify(DataSetChange::DataChanged);
    }
}

int DataSet::Subscribe(std::function<void(DataSetChange)> listener) {
    return m_listeners.Add(std::move(listener));
}

void DataSet::Unsubscribe(int id) {
    m_listeners.Remove(id);
}

void DataSet::SetFilter(std::string filter) {
    if (filter == m_filter) {
        return;
    }
    m_filter = std::move(filter);
}

void DataSet::AttachSource(DataSource* source) {
    m_sources.push_back(source);
}

void DataSet::DetachSource(DataSource* source) {
    std::erase(m_sources, source);
}

} // namespace data
