#include "RemoteResultReader.h"

#include "PacketTree.h"

#include <limits>
#include <simdjson.h>
#include <stdexcept>

namespace {

bool ReturnsPacket(const std::string& method) {
    return method.size() > 3 && (method.starts_with("Get") || method.starts_with("get"));
}

} // namespace

RemoteResult RemoteResultReader::Result(const std::string& method) {
    RemoteResult remote;
    if (ReturnsPacket(method)) {
        if (!m_packetFault.empty())
            throw std::runtime_error("pacote de dados inválido em " + method + " (" + m_packetFault + ")");
        if (!m_packetRead)
            throw std::runtime_error(method + " não devolveu o pacote de dados");
        remote.Packet = std::move(m_packet);
    } else {
        if (m_status != "ok" || !m_rows)
            throw std::runtime_error(method + " não devolveu a situação da operação");
        remote.Rows = *m_rows;
    }
    remote.Ok = true;
    return remote;
}

bool RemoteResultReader::TakeWhole(const simdjson::dom::element& value, std::size_t levels) {
    // {"packet":{"fields":[{...}],"rows":[[...]]}} opens four levels of containers.
    constexpr std::size_t PacketLevels = 4;
    if (levels < PacketLevels || value.type() != simdjson::dom::element_type::OBJECT)
        return false;
    const simdjson::dom::object members = value.get_object().value_unsafe();
    if (members.size() != 1 || members.begin().key() != "packet")
        return false;
    std::optional<data::Packet> packet = PacketOfTree(members.begin().value());
    if (!packet)
        return false;
    m_packet = std::move(*packet);
    m_packetRead = true;
    return true;
}

template <class Event> bool RemoteResultReader::InPacket(Event event) {
    if (!m_packetFault.empty())
        return true;
    try {
        event(*m_reader);
    } catch (const std::exception& error) {
        m_packetFault = error.what();
    }
    return true;
}

bool RemoteResultReader::null() {
    return m_reader ? InPacket([](data::PacketReader& reader) { reader.null(); }) : true;
}

bool RemoteResultReader::boolean(bool value) {
    return m_reader ? InPacket([&](data::PacketReader& reader) { reader.boolean(value); }) : true;
}

bool RemoteResultReader::number_integer(number_integer_t value) {
    if (m_reader)
        return InPacket([&](data::PacketReader& reader) { reader.number_integer(value); });
    if (AtMember() && m_key == "rows")
        m_rows = value;
    return true;
}

bool RemoteResultReader::number_unsigned(number_unsigned_t value) {
    if (m_reader)
        return InPacket([&](data::PacketReader& reader) { reader.number_unsigned(value); });
    if (AtMember() && m_key == "rows" &&
        value <= static_cast<number_unsigned_t>(std::numeric_limits<std::int64_t>::max()))
        m_rows = static_cast<std::int64_t>(value);
    return true;
}

bool RemoteResultReader::number_float(number_float_t value, const string_t& text) {
    if (m_reader)
        return InPacket([&](data::PacketReader& reader) { reader.number_float(value, text); });
    return true;
}

bool RemoteResultReader::string(string_t& value) {
    if (m_reader)
        return InPacket([&](data::PacketReader& reader) { reader.string(value); });
    if (AtMember() && m_key == "status")
        m_status = value;
    return true;
}

bool RemoteResultReader::key(string_t& name) {
    if (m_reader)
        return InPacket([&](data::PacketReader& reader) { reader.key(name); });
    if (m_depth == 1)
        m_key = name;
    return true;
}

bool RemoteResultReader::start_object(std::size_t elements) {
    if (m_depth == 0)
        m_isObject = true;
    else if (!m_reader && AtMember() && m_key == "packet")
        m_reader = std::make_unique<data::PacketReader>(m_collector);
    ++m_depth;
    if (m_reader)
        return InPacket([&](data::PacketReader& reader) { reader.start_object(elements); });
    return true;
}

bool RemoteResultReader::end_object() {
    --m_depth;
    if (!m_reader)
        return true;
    InPacket([](data::PacketReader& reader) { reader.end_object(); });
    if (m_depth == 1) {
        m_packetRead = m_packetFault.empty();
        m_reader.reset();
    }
    return true;
}

bool RemoteResultReader::start_array(std::size_t elements) {
    ++m_depth;
    if (m_reader)
        return InPacket([&](data::PacketReader& reader) { reader.start_array(elements); });
    return true;
}

bool RemoteResultReader::end_array() {
    --m_depth;
    if (m_reader)
        return InPacket([](data::PacketReader& reader) { reader.end_array(); });
    return true;
}
