#include "CLI_Ped01000/FieldDefs.h"

void DefineFields(data::DataSet& dataSet, std::initializer_list<FieldDef> fields) {
    for (const FieldDef& def : fields) {
        data::Field& field = dataSet.AddField(def.Name, def.Type, def.Size);
        field.SetDisplayLabel(def.Label);
        field.SetVisible(def.Visible);
    }
}
