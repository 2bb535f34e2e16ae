#include "PKG_PED01100/PKG_PED01100.h"

#include "CLI_Ped01100/Cli_ped01100.h"
#include "PackageLoad.h"

#include <array>
#include <cstddef>

namespace {

constexpr std::array<PackageUnitEntry, 2> units{{
    {"PKG_PED01100", nullptr, nullptr},
    {"CLI_Ped01100", &Cli_ped01100::Initialization, &Cli_ped01100::Finalization},
}};

constexpr PackageInfoTable packageInfo{static_cast<int>(units.size()), units.data()};

PackageLoad<units.size()> load(units);

} // namespace

extern "C" {

void IniProc(const char* parametro) {
    CriaRelPedido(parametro);
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
