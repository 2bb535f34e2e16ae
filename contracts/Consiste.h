#pragma once

#include "RemoteResult.h"
#include "data/Packet.h"

#include <string>

namespace ui {
class Column;
class Container;
class DBGrid;
} // namespace ui

// Checks and small helpers shared by every screen.
namespace Consiste {

// Shows the text as an error message; with abort true it then throws ui::Abort, which ends the
// running handler silently (a caller may catch it to move the focus and throw it again).
void MensErro(const std::string& text, bool abort);

// The data packet of a successful remote result (an empty packet when the result carries none).
// A failed result shows the server's message and, with abort true, throws ui::Abort; with abort
// false it returns an empty packet. `context` is kept for callers written against the original
// signature and has no effect.
data::Packet CheckResultServ(const RemoteResult& result, bool abort, int context);
// The same for a result that is not needed afterwards: its packet is moved out, not copied (the
// orders of a large load were otherwise held twice).
data::Packet CheckResultServ(RemoteResult&& result, bool abort, int context);

// True for an empty text and for a text holding nothing but blanks, the mask blank "_" and the
// separators a mask inserts ("/", ".", "-", ":", ","): an untouched masked edit is empty.
bool EmptyString(const std::string& text);

// The text without surrounding blanks, left-padded with zeros to n characters (UTF-8
// characters). An empty (or blank) text gives the empty text; a longer text is left as it is.
std::string Ajusta(const std::string& text, int n);

// Sets Enabled on each direct child of the container, except children whose Tag is 99.
void SetChildEnabled(ui::Container& container, bool on);

// The index of the grid column showing the field (letter case ignored), or -1.
int IndiceCol(const ui::DBGrid& grid, const std::string& field);
// Inserts a column for the field at the position (appended when the position is past the end);
// its title is the field's display label.
ui::Column& CriaColuna(ui::DBGrid& grid, const std::string& field, int pos);
// Removes the field's column; nothing happens when the grid has none.
void DestroiColuna(ui::DBGrid& grid, const std::string& field);

// The registration-number mask for a person type: "F" (natural person) the CPF mask
// "999.999.999-99;0;_", "J" (company) the CNPJ mask "99.999.999/9999-99;0;_", any other the
// empty mask, with which Mask::FormatMaskText leaves a value as it is.
std::string PictPess(const std::string& personType);

} // namespace Consiste
