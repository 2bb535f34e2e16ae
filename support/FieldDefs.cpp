#include "FieldDefs.h"

void DefineFields(data::DataSet& dataSet, std::initializer_list<FieldDef> fields) {
    for (const FieldDef& def : fields) {
        data::Field& field = dataSet.AddField(def.Name, def.Type, def.Size);
        field.SetDisplayLabel(def.Label);
        field.SetVisible(def.Visible);
    }
}

void DefineQuery(TADOIBQuery& query, std::string_view sql, const char* keyField, int keySize,
                 const char* nameField, int nameSize, const char* nameLabel) {
    query.SetSQL(std::string(sql));
    DefineFields(query, {{keyField, data::FieldType::String, keySize, "Código", true},
                         {nameField, data::FieldType::String, nameSize, nameLabel, true}});
}
