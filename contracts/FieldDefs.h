#pragma once

#include "TADOIBQuery.h"
#include "data/DataSet.h"

#include <initializer_list>
#include <string_view>

// One declared field of a form's dataset, as the form definitions list them.
struct FieldDef {
    const char* Name;
    data::FieldType Type;
    int Size;
    const char* Label;
    bool Visible;
};

void DefineFields(data::DataSet& dataSet, std::initializer_list<FieldDef> fields);
// A lookup query of a code and a name: its SQL, the code labelled "Código", then the name.
void DefineQuery(TADOIBQuery& query, std::string_view sql, const char* keyField, int keySize,
                 const char* nameField, int nameSize, const char* nameLabel);
