#pragma once

#include <string>

namespace data {
class DataSource;
}

namespace Pesqlista {

// Lets the operator mark rows of the source's dataset (opened first when closed). The rows whose
// key is in `list` (keys joined by "_") come up marked; after a confirmed pick `list` holds the
// marked keys joined by "_" in dataset order, and after a cancelled pick it is unchanged.
// A title "Produto|Filial 0001" is shown as "Produto - Filial 0001". With singleRow true the
// operator picks one row instead and `list` becomes that row's key.
void PesquisaLista(data::DataSource& source, const std::string& keyField, const std::string& title,
                   bool singleRow, std::string& list);

} // namespace Pesqlista
