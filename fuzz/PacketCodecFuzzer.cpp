// The packet codec: any text either parses or fails with PacketError, and what parsed comes
// back the same through a serialise and parse round trip.
#include "data/PacketCodec.h"
#include "data/PacketError.h"

#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    data::Packet packet;
    try {
        packet = data::ParsePacket(json);
    } catch (const data::PacketError&) {
        return 0;
    }
    const std::string once = data::SerializePacket(packet);
    if (data::SerializePacket(data::ParsePacket(once)) != once)
        std::abort();
    return 0;
}
