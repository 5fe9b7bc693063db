// SPDX-License-Identifier: AGPL-3.0-or-later
// The fixed selections of the item and angle filters: the group strings of
// the natal and transit buttons, the code lists of the "T" buttons and the
// rows the angle buttons select or toggle.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "app/ListBox.h"

namespace varnolt {

// The 19 rows of LBAspTra, in order.
extern const std::array<std::string_view, 19> kAngulosAspTra;

// The 26 item codes natal and transit "T" add (the item table without "PrT").
extern const std::array<std::string_view, 26> kCodigosItems;

// "C01" … "C12".
std::vector<std::string> CodigosCasas();

// The group string of a natal group button by its Tag (1..9), "" otherwise.
std::string_view GrupoNatal(int tag);
// The group string of a transit group button by its Tag (1..6), "" otherwise.
std::string_view GrupoTransito(int tag);

// Toggles every row whose whole text occurs inside the group string (plain,
// case-sensitive substring search; an empty row never matches).
void AlternarGrupo(TListBox& lista, std::string_view grupo);

// Applies the angle button of `tag` to the rows of LBAspTra: 1 selects all,
// 2 clears all, 3..9 toggle their fixed rows.
void AplicarBotonAngulos(TListBox& lbAspTra, int tag);

}  // namespace varnolt
