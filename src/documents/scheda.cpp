#include <array>
#include <utility>

#include "documents/documenti.h"
#include "documents/riga_orario.h"
#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

namespace {

// Header bands and the column heading. The card belongs to the one built-in train, so the train
// number, the speed rank and the boxes are fixed text like the rest of it.
constexpr std::array<const char*, 14> intestazione = {
    "  ___________________                                               ______________",
    " |                   |                    SCHEDA                   |              |",
    " |   TRENO n.27364   |                   da: LERNO                 |    V140 A    |",
    " |___________________|                    a: PUSENA P.F.           |     105%     |",
    "                                                                   |______________|",
    "  ___________________                ___________________            ______________",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |          |              |",
    " |        EXP        |              |      300T         |          |     E626     |",
    " |___________________|              |___________________|          |______________|",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
    " | Lim.|Marc.|          |  Rs |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
};

// Blank framed rows under the timetable, as on the printed card.
constexpr int righe_vuote = 13;

}  // namespace

std::vector<std::string> elenco_scheda() {
    using f = forma_orario;

    // The chainage restarts from 0 after CASTELBRUM, the junction where the train leaves the first
    // line for the second.
    const std::array<riga_orario, 18> orario = {{
        {30, 82500, false, "LERNO", f::arrivo_partenza, ora_minuti(9, 12), ora_minuti(9, 42), 0},
        {100, 83000, false, "Dev. U.", f::vuoto, 0, 0, 0},
        {0, 88400, false, "2° Bivio Lerno Nord", f::unico, ora_minuti(9, 48), 0, 15},
        {0, 90950, false, "DORVANO IN SELVARIA", f::unico, ora_minuti(9, 51), 0, 10},
        {0, 96100, true, "CASTELBRUM-VELMIRO", f::arrivo_partenza, ora_minuti(9, 56),
         ora_minuti(10, 0), 10},
        {90, 0, false, "Dev. U.", f::trattino_bivio, 0, 0, 0},
        {70, 5200, false, "Dev. I.", f::trattino_bivio, 0, 0, 0},
        {0, 5400, false, "GRUVICCANO", f::unico, ora_minuti(10, 8), 0, 15},
        {80, 7300, false, "Gruviccano S. Olvano", f::unico, ora_minuti(10, 10), 0, 0},
        {85, 13000, false, "Km 13+000", f::trattino_km, 0, 0, 0},
        {80, 16000, false, "Km 16+000", f::trattino_km, 0, 0, 0},
        {0, 16300, false, "GROTTE SANTO MERVIO", f::unico, ora_minuti(10, 19), 0, 10},
        {85, 18000, false, "Km 18+000", f::trattino_km, 0, 0, 0},
        {80, 22000, false, "Km 22+000", f::trattino_km, 0, 0, 0},
        {70, 26650, false, "MONTESCARNIO", f::unico, ora_minuti(10, 29), 0, 10},
        {85, 31000, false, "Km 31+000", f::trattino_km, 0, 0, 0},
        {65, 37000, false, "Km 37+000", f::trattino_km, 0, 0, 0},
        {0, 39050, false, "PUSENA PORTA FOLNARA", f::capolinea, ora_minuti(10, 40), 0, 5},
    }};

    std::vector<std::string> righe = {"", ""};
    righe.insert(righe.end(), intestazione.begin(), intestazione.end());
    for (const riga_orario& riga : orario) righe.push_back(riga_tabella_orario(riga));
    righe.insert(righe.end(), righe_vuote, riga_tabella_vuota());
    righe.emplace_back(intestazione.back());  // closed by the same rule as the heading
    righe.emplace_back("  NOTE:");
    righe.emplace_back("  R.S. dal Deviatoio di uscita Lerno fino al 2° Bivio Lerno Nord");
    righe.emplace_back(" ");
    righe.insert(righe.end(), 4, "");
    return con_marcatore(std::move(righe));
}

void dati_scheda(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_scheda(stato)), elenco_scheda());
}

}  // namespace scenario
