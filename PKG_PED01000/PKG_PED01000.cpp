#include "PKG_PED01000/PKG_PED01000.h"

#include "CLI_Ped01000/Cli_ped01000.h"
#include "CLI_Ped01001/Cli_ped01001.h"
#include "PackageLoad.h"

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

// Which units are initialised in the current load.
PackageLoad<units.size()> load(units);

} // namespace

extern "C" {

void IniProc() {
    CriaCancelaPedido();
}

void Initialize() {
    load.Initialize();
}

void Finalize() {
    load.Finalize();
}

const PackageInfoTable* GetPackageInfoTable() {
    return &packageInfo;
}
}
