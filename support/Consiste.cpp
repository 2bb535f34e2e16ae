#include "Consiste.h"

#include "data/Utf8.h"
#include "ui/Abort.h"
#include "ui/Application.h"
#include "ui/Column.h"
#include "ui/Container.h"
#include "ui/DBGrid.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace Consiste {
namespace {

constexpr int KeepStateTag = 99;

bool IsBlankOrMaskCharacter(char ch) {
    constexpr std::string_view maskCharacters = " \t\r\n_/.-:,";
    return maskCharacters.find(ch) != std::string_view::npos;
}

std::string Trimmed(const std::string& text) {
    constexpr const char* blanks = " \t\r\n";
    std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return {};
    std::size_t last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

} // namespace

void MensErro(const std::string& text, bool abort) {
    ui::Application::Instance().ShowError(text);
    if (abort)
        throw ui::Abort();
}

data::Packet CheckResultServ(const RemoteResult& result, bool abort, int /*context*/) {
    if (!result.Ok) {
        MensErro(result.Message.empty() ? "Falha na comunicação com o servidor de aplicação."
                                        : result.Message,
                 abort);
        return {};
    }
    return result.Packet.value_or(data::Packet{});
}

data::Packet CheckResultServ(RemoteResult&& result, bool abort, int context) {
    if (!result.Ok || !result.Packet)
        return CheckResultServ(std::as_const(result), abort, context);
    return std::move(*result.Packet);
}

bool EmptyString(const std::string& text) {
    return std::all_of(text.begin(), text.end(), IsBlankOrMaskCharacter);
}

std::string Ajusta(const std::string& text, int n) {
    std::string value = Trimmed(text);
    if (value.empty())
        return value;
    std::size_t length = data::utf8::Length(value);
    std::size_t wanted = n > 0 ? static_cast<std::size_t>(n) : 0;
    if (length >= wanted)
        return value;
    return std::string(wanted - length, '0') + value;
}

void SetChildEnabled(ui::Container& container, bool on) {
    for (ui::Control* child : container.Controls()) {
        if (child->Tag() != KeepStateTag)
            child->SetEnabled(on);
    }
}

int IndiceCol(const ui::DBGrid& grid, const std::string& field) {
    return grid.Columns().IndexOfField(field);
}

ui::Column& CriaColuna(ui::DBGrid& grid, const std::string& field, int pos) {
    int index = std::clamp(pos, 0, grid.Columns().Count());
    ui::Column& column = grid.Columns().Insert(index);
    column.SetFieldName(field);
    return column;
}

void DestroiColuna(ui::DBGrid& grid, const std::string& field) {
    int index = IndiceCol(grid, field);
    if (index >= 0)
        grid.Columns().Remove(index);
}

std::string PictPess(const std::string& personType) {
    if (personType == "F")
        return "999.999.999-99;0;_";
    if (personType == "J")
        return "99.999.999/9999-99;0;_";
    return {};
}

} // namespace Consiste
