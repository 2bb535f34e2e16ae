#pragma once

#include "PackageInfo.h"

// The entry points the host finds by name in the loaded module. The screen's entry takes the
// parameter the host was given with the screen code.
extern "C" {
// Opens the order print screen (screen code "PED01100"); "M" opens it in ledger mode.
void IniProc(const char* parametro);
void Initialize();
void Finalize();
const PackageInfoTable* GetPackageInfoTable();
}
