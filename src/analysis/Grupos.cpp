// SPDX-License-Identifier: AGPL-3.0-or-later
#include "analysis/Grupos.h"

#include "app/Formato.h"

namespace varnolt {

const std::array<std::string_view, 19> kAngulosAspTra = {
    "0",   "180", "120", "90", "72", "60", "51", "45", "165", "150",
    "144", "135", "105", "75", "40", "36", "33", "30", "15"};

const std::array<std::string_view, 26> kCodigosItems = {
    "Sol",  "Lun", "Mer", "Ven", "Mar", "Júp", "Sat", "Ura", "Nep",  "Plu",   "Nod", "NodT", "Lil",
    "LilT", "Tie", "Qui", "Pho", "Cer", "Pal", "Jun", "Ves", "NodS", "NodST", "RfD", "RfN",  "Pr"};

std::vector<std::string> CodigosCasas() {
    std::vector<std::string> r;
    for (int i = 1; i <= 12; ++i) {
        r.push_back(Format(i <= 9 ? "C0%d" : "C%d", {i}));
    }
    return r;
}

std::string_view GrupoNatal(int tag) {
    switch (tag) {
        case 1:
            return "Sol,Lun,Mer,Ven,Mar,Júp,Sat,Ura,Nep,Plu,Nod,Lil,Qui,NodS,RfD,RfN,,NodT,NodST,"
                   "LilT,Pr,PrT,Pol,Cer,Pal,Jun,Ves,Tie";
        case 2:
            return "C01,C02,C03,C04,C05,C06,C07,C08,C09,C10,C11,C12,";
        case 3:
            return "Sol,Lun,";
        case 4:
            return "Mer,Ven,Mar,";
        case 5:
            return "Júp,Sat,";
        case 6:
            return "Ura,Nep,Plu,";
        case 7:
            return "Nod,Lil,Qui,NodS,NodT,NodST,LilT,";
        case 8:
            return "RfD,RfN,";
        case 9:
            return "Pol,Cer,Pal,Jun,Ves,";
        default:
            return "";
    }
}

std::string_view GrupoTransito(int tag) {
    switch (tag) {
        case 1:
            return "Sol,";
        case 2:
            return "Mer,Ven,Mar,";
        case 3:
            return "Júp,Sat,";
        case 4:
            return "Ura,Nep,Plu,";
        case 5:
            return "Nod,Lil,NodS,Qui,NodT,NodST,LilT,Pr,PrT,";
        case 6:
            return "Pol,Cer,Pal,Jun,Ves,";
        default:
            return "";
    }
}

void AlternarGrupo(TListBox& lista, std::string_view grupo) {
    for (int i = 0; i < lista.Count(); ++i) {
        const std::string& texto = lista.Items[static_cast<size_t>(i)];
        if (!texto.empty() && grupo.find(texto) != std::string_view::npos) {
            lista.SetSelected(i, !lista.IsSelected(i));
        }
    }
}

void AplicarBotonAngulos(TListBox& lb, int tag) {
    static const std::vector<int> kFilas[] = {
        {0, 1, 2, 3},                                            // 3 "May."
        {0, 1, 2, 3, 5, 9, 14, 17},                              // 4 "Mul.30"
        {0, 1, 2, 3, 5, 7, 8, 9, 11, 12, 13, 14, 17, 18},        // 5 "Mult.15"
        {0, 1, 3, 7, 11},                                        // 6 "Lun."
        {4, 6, 14, 15, 16},                                      // 7 "Exót."
        {0, 1, 2, 3, 4, 5, 6, 7},                                // 8 "8A"
        {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18},  // 9 "NO May."
    };
    if (tag == 1 || tag == 2) {
        lb.SelectAll(tag == 1);
        return;
    }
    if (tag < 3 || tag > 9) {
        return;
    }
    for (int fila : kFilas[tag - 3]) {
        if (fila < lb.Count()) {
            lb.SetSelected(fila, !lb.IsSelected(fila));
        }
    }
}

}  // namespace varnolt
