#pragma once

#include "data/DataSet.h"

#include <initializer_list>

// One declared field of a form's dataset, as the form definitions list them.
struct FieldDef {
    const char* Name;
    data::FieldType Type;
    int Size;
    const char* Label;
    bool Visible;
};

void DefineFields(data::DataSet& dataSet, std::initializer_list<FieldDef> fields);
