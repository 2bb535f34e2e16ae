#pragma once

#include "RemoteResult.h"
#include "data/Packet.h"
#include "data/PacketCollector.h"
#include "data/PacketReader.h"
#include "rpcclient/ResultSink.h"

#include <cstdint>
#include <memory>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>

// A call's "result" read from parser events, with no JSON tree: {"packet":{...}} goes straight
// into the packet's rows, {"status":"ok","rows":N} is noted, anything else is skipped. A packet
// that does not read is remembered, not thrown, so that it fails its own call only. A result
// that is just a packet of the server's own shape is read from the parsed tree instead, with the
// same outcome.
class RemoteResultReader : public pedclient::ResultSink {
public:
    RemoteResultReader() = default;
    // Its packet collector refers to its own packet: it stays where it was made.
    RemoteResultReader(const RemoteResultReader&) = delete;
    RemoteResultReader& operator=(const RemoteResultReader&) = delete;

    // The result for a call of `method`: a packet for a `Get...` method, the rows for the others.
    // Throws std::runtime_error describing what does not fit.
    RemoteResult Result(const std::string& method);

    bool null() override;
    bool boolean(bool value) override;
    bool number_integer(number_integer_t value) override;
    bool number_unsigned(number_unsigned_t value) override;
    bool number_float(number_float_t value, const string_t& text) override;
    bool string(string_t& value) override;
    bool binary(binary_t&) override { return false; }
    bool TakeWhole(const simdjson::dom::element& value, std::size_t levels) override;
    bool start_object(std::size_t elements) override;
    bool key(string_t& name) override;
    bool end_object() override;
    bool start_array(std::size_t elements) override;
    bool end_array() override;
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override {
        return false;
    }

private:
    bool AtMember() const { return m_depth == 1 && m_isObject; }
    // Hands an event to the packet's reader while inside the packet; a fault ends the packet.
    template <class Event> bool InPacket(Event event);

    std::size_t m_depth = 0;
    bool m_isObject = false;
    std::string m_key;
    data::Packet m_packet;
    data::PacketCollector m_collector{m_packet};
    std::unique_ptr<data::PacketReader> m_reader;
    bool m_packetRead = false;
    std::string m_packetFault;
    std::optional<std::string> m_status;
    std::optional<std::int64_t> m_rows;
};
