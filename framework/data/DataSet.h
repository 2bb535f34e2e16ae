#pragma once

#include "data/CellStore.h"
#include "data/DataSetState.h"
#include "data/Field.h"
#include "data/ListenerList.h"
#include "data/Packet.h"
#include "data/Value.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace data {

class DataSource;

// An in-memory table: declared fields, rows, a cursor in display order, row editing, events
// and change notifications for data-aware controls.
class DataSet {
public:
    DataSet() = default;
    explicit DataSet(std::string name) : m_name(std::move(name)) {}
    DataSet(const DataSet&) = delete;
    DataSet& operator=(const DataSet&) = delete;
    ~DataSet();

    const std::string& Name() const { return m_name; }
    void SetName(std::string name);

    // Fields are declared while the dataset is closed.
    Field& AddField(std::string name, FieldType type, int size = 0);
    Field& FieldByName(std::string_view name) const;
    Field* FindField(std::string_view name) const;
    const std::vector<std::unique_ptr<Field>>& Fields() const { return m_fields; }

    void Open();
    // Closes and empties the rows.
    void Close();
    bool Active() const { return m_state != DataSetState::Inactive; }
    DataSetState State() const { return m_state; }

    void First();
    void Last();
    void Next();
    void Prior();
    // Moves by up to `distance` rows; returns how far it moved.
    int MoveBy(int distance);
    bool Eof() const { return m_eof; }
    bool Bof() const { return m_bof; }
    // 1-based position in display order; 0 when empty.
    int RecNo() const { return m_cursor + 1; }
    // Throws DataSetError outside 1..RecordCount().
    void SetRecNo(int recNo);
    int RecordCount() const { return static_cast<int>(m_order.size()); }
    bool IsEmpty() const { return m_order.empty(); }

    // Moves to the first row (display order) whose field equals the value. Texts compare whole;
    // caseInsensitive ignores letter case. On a miss the cursor stays and no event runs.
    bool Locate(std::string_view fieldName, const Value& value, bool caseInsensitive);

    void Edit();
    void Post();
    void Cancel();

    std::function<void(DataSet&)> BeforeOpen;
    std::function<void(DataSet&)> AfterOpen;
    std::function<void(DataSet&)> AfterScroll;
    std::function<void(DataSet&)> AfterPost;
    std::function<void(DataSet&)> OnCalcFields;

    void DisableControls();
    void EnableControls();
    bool ControlsDisabled() const { return m_disableCount > 0; }

    int Subscribe(std::function<void(DataSetChange)> listener);
    void Unsubscribe(int id);

    const std::string& IndexFieldNames() const { return m_indexFieldNames; }
    // One field name (or empty for load order). Throws DataSetError for an unknown field.
    void SetIndexFieldNames(std::string names);

    // Stored for the module; never applied.
    const std::string& Filter() const { return m_filter; }
    void SetFilter(std::string filter);

    // Replaces the rows and opens. Throws DataSetError (naming the field and row) when the
    // packet does not fit the declared fields; the dataset is then left as it was.
    void LoadFromPacket(const Packet& packet);
    // The same, moving the packet's texts instead of copying them.
    void LoadFromPacket(Packet&& packet);
    // The same from the packet's JSON text, read straight into the rows (no packet in between);
    // a malformed text throws PacketError and leaves the dataset as it was.
    void LoadFromPacketText(std::string_view json);
    // The field's value in every row of the packet, as loading it would store them, without
    // loading it; a packet that does not fit throws as LoadFromPacket would.
    std::vector<Value> PacketValues(const Packet& packet, std::string_view fieldName) const;
    // Every non-calculated field and every row, in load order.
    Packet ToPacket() const;

    // Used by Field: the value the field reads and the slot it writes.
    Value ReadValue(int fieldIndex) const;
    Value& WritableValue(const Field& field);

private:
    friend class DataSource;
    friend class PaintedRowScope;

    using Row = std::vector<Value>;

    void SetState(DataSetState state);
    void Notify(DataSetChange change);
    void Scrolled();
    void CheckActive() const;
    void MoveTo(int displayRow, bool bof, bool eof);
    void PostIfEditing();
    void ResetCursor();
    void FinishOpen();
    void CalculateRow(std::size_t storageRow);
    void CalculateAll();
    void ApplyOrder();
    void SortOrder(const Field& key);
    void ReplaceRows(CellStore rows);
    // For each field, the packet column it is read from (-1: calculated); throws when a field
    // is missing or of another type.
    std::vector<int> PacketColumns(const std::vector<PacketField>& fields) const;
    // Throws when the packet row has another number of values or a value does not fit its field.
    void CheckPacketRow(const std::vector<Value>& cells, const std::vector<int>& columnOf,
                        std::size_t packetFields, std::size_t row) const;
    // Appends one packet row to the store, converted to the fields' types.
    void AppendPacketRow(CellStore& rows, std::vector<Value>& cells, const std::vector<int>& columnOf,
                         std::size_t packetFields, std::size_t row) const;
    std::size_t StoredRowCount() const { return m_rows.Rows(); }
    std::size_t StorageRow(int displayRow) const { return m_order[static_cast<std::size_t>(displayRow)]; }
    void AttachSource(DataSource* source);
    void DetachSource(DataSource* source);

    std::string m_name;
    std::vector<std::unique_ptr<Field>> m_fields;
    // Rows in load order, one cell per field; m_order maps display rows.
    CellStore m_rows;
    std::vector<std::size_t> m_order;
    int m_cursor = -1;
    bool m_eof = true;
    bool m_bof = true;
    DataSetState m_state = DataSetState::Inactive;
    Row m_editBuffer;
    // While the calculated fields of a row are worked out: that row's values.
    Row* m_calcValues = nullptr;
    int m_paintedRow = -1;
    int m_disableCount = 0;
    bool m_changePending = false;
    ListenerList<DataSetChange> m_listeners;
    std::vector<DataSource*> m_sources;
    std::string m_indexFieldNames;
    std::string m_filter;
};

} // namespace data
