#pragma once

#include "PackageInfo.h"

// The entry points the host finds by name in the loaded module.
extern "C" {
// Opens the order-cancellation screen (screen code "PED01000").
void IniProc();
// Runs each unit's initialisation once per load, in dependency order.
void Initialize();
// Runs the finalisation of each initialised unit, in reverse order.
void Finalize();
const PackageInfoTable* GetPackageInfoTable();
}
