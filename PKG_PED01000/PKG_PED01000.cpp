#include "PKG_PED01000/PKG_PED01000.h"

#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"

#include <array>
#include <cstddef>

namespace {

// The libraries the module requires (framework, support) are initialised by the dynamic loader
// before any of this runs, so the table starts with the module's own units. Cli_ped01001 uses
// Cli_ped01000 and therefore comes after it.
constexpr std::array<PackageUnitEntry, 3> units{{
    {"PKG_PED01000", nullptr, nullptr},
    {"CLI_Ped01000", &Cli_ped01000::Initialization, &Cli_ped01000::Finalization},
    {"CLI_Ped01001", &Cli_ped01001::Initialization, &Cli_ped01001::Finalization},
}};

constexpr PackageInfoTable packageInfo{static_cast<int>(units.size()), units.data()};

// Which units are initialised in the current load. Finalize ends the load; an Initialize after
// it starts a new one, as a reload of the module would.
std::array<bool, units.size()> initialised{};

} // namespace

extern "C" {

void IniProc() {
    CriaCancelaPedido();
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
