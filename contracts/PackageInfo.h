#pragma once

// The package's unit table, in C terms so that a loader can walk it through dlsym without any
// C++ of the module. Units are listed in initialisation order; a routine may be null.
extern "C" {

typedef void (*PackageUnitProc)();

struct PackageUnitEntry {
    const char* UnitName;
    PackageUnitProc Init;
    PackageUnitProc FInit;
};

struct PackageInfoTable {
    int UnitCount;
    const PackageUnitEntry* Units;
};
}
