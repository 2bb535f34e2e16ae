#include "PKG_PED01100/PKG_PED01100.h"

#include "CLI_Ped01100/Cli_ped01100.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<PackageUnitEntry, 2> units{{
    {"PKG_PED01100", nullptr, nullptr},
    {"CLI_Ped01100", &Cli_ped01100::Initialization, &Cli_ped01100::Finalization},
}};

constexpr PackageInfoTable packageInfo{static_cast<int>(units.size()), units.data()};

// Which units are initialised in the current load; Finalize ends the load.
std::array<bool, units.size()> initialised{};

} // namespace

extern "C" {

void IniProc(const char* parametro) {
    CriaRelPedido(parametro);
}

void Initialize() {
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (initialised[i])
            continue;
        if (units[i].Init)
            units[i].Init();
        initialised[i] = true;
    }
}

void Finalize() {
    for (std::size_t i = units.size(); i-- > 0;) {
        if (!initialised[i])
            continue;
        initialised[i] = false;
        if (units[i].FInit)
            units[i].FInit();
    }
}

const PackageInfoTable* GetPackageInfoTable() {
    return &packageInfo;
}
}
