#pragma once

#include "data/Packet.h"
#include "data/PacketSink.h"

#include <cstddef>
#include <cstdint>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <vector>

namespace data {

// Reads a packet's JSON text as a stream of parser events straight into a sink (a packet's rows,
// or a dataset's storage), with no JSON tree in between: each cell is converted to its field's
// type as it is read. Rows that come before the field list (legal JSON, though the server never
// writes it) are kept as JSON scalars and converted once the fields are known. Every fault throws
// PacketError naming it.
class PacketReader : public nlohmann::json_sax<nlohmann::json> {
public:
    static Packet Read(std::string_view json);
    static void Read(std::string_view json, PacketSink& sink);
    // A reader fed the events of one packet object by the reader of a larger document (an
    // answer that holds the packet); it checks the packet when the object closes.
    explicit PacketReader(PacketSink& sink) : m_sink(sink) {}

    bool null() override;
    bool boolean(bool value) override;
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t& text) override;
    bool string(string_t& value) override;
    bool binary(binary_t& value) override;
    bool start_object(std::size_t elements) override;
    bool key(string_t& name) override;
    bool end_object() override;
    bool start_array(std::size_t elements) override;
    bool end_array() override;
    bool parse_error(std::size_t position, const std::string& token,
                     const nlohmann::detail::exception& error) override;

private:
    enum class Context { Root, Fields, Field, Rows, Row, Skipped };

    // A field as read so far; checked when its object closes.
    struct PendingField {
        std::optional<nlohmann::json> Name, Type, Size;
    };

    // Where an object or array that starts now belongs; throws when it cannot be there.
    void Enter(bool isObject);
    // A scalar that is not a cell of a known field: a part of a field, a deferred cell, or
    // something to skip.
    void Scalar(nlohmann::json value);
    // True when the next scalar is a cell whose field is known, so it is converted at once.
    bool AtTypedCell();
    FieldType CellType() const { return m_packet.Fields[m_row.size()].Type; }
    template <class Raw> void PutCell(std::optional<Value> value, const Raw& raw);
    [[noreturn]] void WrongCell(std::size_t row, std::size_t field, const std::string& got) const;
    void Leave();
    void FinishField();
    void FinishFields();
    void FinishRow();
    void Finish();
    std::size_t RowNumber() const { return m_rowsRead + m_deferred.size(); }
    void Deliver(std::vector<Value>& row);
    [[noreturn]] void WrongRowSize() const;

    PacketSink& m_sink;
    Packet m_packet; // its fields; the rows go to the sink
    std::size_t m_rowsRead = 0;
    std::vector<Context> m_stack;
    std::string m_key;
    PendingField m_field;
    bool m_sawFields = false;
    bool m_sawRows = false;
    std::vector<Value> m_row;
    std::vector<nlohmann::json> m_rawRow;
    // Rows read before the fields, as their raw cells.
    std::vector<std::vector<nlohmann::json>> m_deferred;
};

} // namespace data
