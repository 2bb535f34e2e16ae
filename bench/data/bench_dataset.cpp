// Loads a 100,000-row orders packet and sorts it by client name, printing the times and the
// peak resident memory. Not a timed test: it prints figures for the record.
#include "data/DataSet.h"
#include "data/DateTime.h"
#include "data/PacketCodec.h"
#include "data/PaintedRowScope.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

using namespace data;

namespace {

constexpr int RowCount = 100'000;

const char* const FirstNames[] = {"Padaria",      "Mercearia",  "Farmácia",  "Açougue", "Distribuidora",
                                  "Supermercado", "Lanchonete", "Papelaria", "Armazém", "Drogaria"};
const char* const LastNames[] = {"São João",      "Conceição",         "Álvaro Gonçalves", "Ipê Amarelo",
                                 "Irmãos Araújo", "Estrela do Sertão", "Bom Preço",        "Ávila & Cia",
                                 "União",         "Pão de Açúcar",     "Jabuticaba",       "Coração de Maria",
                                 "Três Corações"};

std::vector<PacketField> OrdersFields() {
    return {{"IDCHECK", FieldType::String, 1},     {"NRPEDIDO", FieldType::String, 10},
            {"IDSITPEDIDO", FieldType::String, 1}, {"NMFANTCLIE", FieldType::String, 50},
            {"CDCLIENTE", FieldType::String, 21},  {"DTENTPED", FieldType::DateTime, 0},
            {"DTPEDIDO", FieldType::DateTime, 0},  {"CDFILIAL", FieldType::String, 4},
            {"NREMPENHO", FieldType::String, 20},  {"CDVENDEDOR", FieldType::String, 4},
            {"INFPED", FieldType::String, 63}};
}

Packet OrdersPacket() {
    Packet packet;
    packet.Fields = OrdersFields();
    packet.Rows.reserve(RowCount);
    const double firstDay = EncodeDate(2023, 1, 1);
    for (int i = 0; i < RowCount; ++i) {
        char number[16];
        std::snprintf(number, sizeof number, "%010d", i + 1);
        const std::string client = std::string(FirstNames[(i * 7) % 10]) + " " + LastNames[(i * 11) % 13];
        const double ordered = firstDay + (i % 500) + (i % 86400) / 86400.0;
        packet.Rows.push_back(
            {i % 3 == 0 ? Value("N") : Value(""), std::string(number), std::to_string(1 + i % 7), client,
             "CLI" + std::to_string(100000 + i * 13 % 50000), ordered + 3, ordered, "0001",
             i % 5 == 0 ? Value("EMP" + std::to_string(i)) : Value{}, std::to_string(1000 + i % 40),
             "Pedido " + std::string(number) + " - " + client + " - situação " + std::to_string(1 + i % 7)});
    }
    return packet;
}

void DeclareOrders(DataSet& ds) {
    // Only the fields: the measured process must not build the rows it is about to read.
    for (const PacketField& field : OrdersFields()) {
        ds.AddField(field.Name, field.Type, field.Size);
    }
}

// The process's own peak resident memory (VmHWM): unlike getrusage's maxrss it starts afresh at
// exec, so the measured child does not inherit the parent's peak.
double PeakResidentMb() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    }
    return 0;
}

template <class F> double Milliseconds(F&& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// The measured process: it holds the packet's text and nothing else before it parses.
int MeasureLoad(const char* file) {
    std::string json(std::filesystem::file_size(file), '\0');
    std::ifstream(file, std::ios::binary).read(json.data(), static_cast<std::streamsize>(json.size()));
    const double textMb = PeakResidentMb();
    // Anchor: one pass of the JSON parser that keeps nothing, the floor of any reading.
    bool valid = false;
    const double scanMs = Milliseconds([&] { valid = nlohmann::json::accept(json); });
    if (!valid)
        throw std::runtime_error("the packet's text is not JSON");

    DataSet orders("cdsPedido");
    DeclareOrders(orders);
    const double loadMs = Milliseconds([&] { orders.LoadFromPacketText(json); });
    const double sortMs = Milliseconds([&] { orders.SetIndexFieldNames("NMFANTCLIE"); });
    PaintedRowScope firstRow(orders, 0);
    std::printf("anchor: parsing the text without keeping anything %.0f ms; the process holding only the "
                "text %.1f MB\n",
                scanMs, textMb);
    std::printf("text read into the dataset %.0f ms + sort by NMFANTCLIE %.0f ms = %.0f ms\n", loadMs, sortMs,
                loadMs + sortMs);
    std::printf("rows: %d (first by client: %s), peak RSS: %.1f MB\n", orders.RecordCount(),
                orders.FieldByName("NMFANTCLIE").AsString().c_str(), PeakResidentMb());
    return 0;
}

} // namespace

// Without arguments: writes the packet's text to a file and measures its load in a child process
// of its own (`bench_dataset FILE`), so the figures hold only what a client holds.
int main(int argc, char** argv) {
    if (argc == 2)
        return MeasureLoad(argv[1]);
    std::string json;
    const double buildMs = Milliseconds([&] { json = SerializePacket(OrdersPacket()); });
    std::printf("packet: %d rows, %.1f MB of JSON (built and serialized in %.0f ms)\n", RowCount,
                static_cast<double>(json.size()) / (1024.0 * 1024.0), buildMs);
    const std::string file = (std::filesystem::temp_directory_path() / "bench_dataset_packet.json").string();
    std::ofstream(file, std::ios::binary) << json;
    json.clear();
    json.shrink_to_fit();
    std::fflush(stdout);
    const pid_t child = fork();
    if (child == 0) {
        execl("/proc/self/exe", argv[0], file.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    std::filesystem::remove(file);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 1;
}
