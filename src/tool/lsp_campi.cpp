#include "tool/lsp_campi.h"

#include <array>

namespace scenario::strumento::lsp {

namespace {

struct voce_campo {
    std::string_view record;
    std::string_view campo;
    std::string_view significato;
};

constexpr std::string_view posizione_metri = "position in metres from the start of the line";

constexpr std::array<voce_campo, 50> voci = {{
    {"lunghezza percorso", "lunghezza",
     "line length, from -6974 to 1000000 m; the cells run 7000 m beyond it"},
    {"progressiva chilometrica", "inizio", "where the chainage system starts, a multiple of 50 m"},
    {"progressiva chilometrica", "scostamento",
     "chainage = position + offset; a multiple of 50 (after the +100 of the flag)"},
    {"progressiva chilometrica", "aggiunta di 100", "flag: 1 adds 100 to the offset"},
    {"sfondo", "posizione", "where this scenery background begins"},
    {"ripetizione segnali", "inizio",
     "start of the cab-signal repetition section, a multiple of 50"},
    {"ripetizione segnali", "fine", "end of the cab-signal repetition section, a multiple of 50"},
    {"pendenza", "posizione", "where the gradient begins; rows in increasing order"},
    {"pendenza", "pendenza", "gradient in per mille, positive climbing"},
    {"curva", "inizio", "where the curve starts; curves in order of start, without overlaps"},
    {"curva", "lunghezza", "length of the curve in metres"},
    {"montagna", "inizio", "start of the scenery stretch"},
    {"montagna", "fine", "end of the scenery stretch"},
    {"montagna", "tipo", "scenery kind 1-10; kind + 10 also sets a marker in every fourth cell"},
    {"indicatori_vmax", "posizione",
     "where the maximum-speed board stands (cell p/50 + 1, which must be free)"},
    {"indicatori_vmax", "vas", "category A speed of the s set, km/h, a multiple of 5"},
    {"indicatori_vmax", "vbs", "category B speed of the s set, km/h, a multiple of 5"},
    {"indicatori_vmax", "vcs", "category C speed of the s set, km/h, a multiple of 5"},
    {"indicatori_vmax", "strisces", "stripe count of the s set"},
    {"indicatori_vmax", "vad", "category A speed of the d set, km/h, a multiple of 5 (empty is 0)"},
    {"indicatori_vmax", "vbd", "category B speed of the d set, km/h, a multiple of 5 (empty is 0)"},
    {"indicatori_vmax", "vcd", "category C speed of the d set, km/h, a multiple of 5 (empty is 0)"},
    {"indicatori_vmax", "strisced", "stripe count of the d set"},
    {"cartello_indicatore", "posizione",
     "where the indication board stands (cell p/50 + 1, which must be free)"},
    {"cartello_indicatore", "testo",
     "one to three lines, each in parentheses: (P.L. KM)(16.035 ); no commas"},
    {"numero vetture", "vetture", "number of cars"},
    {"percentuale massa frenata", "percentuale", "braked-mass percentage"},
    {"sabbia", "sabbia", "sand quantity, -32768..32767"},
    {"orologio", "ore", "hours of the clock at the start"},
    {"orologio", "minuti", "minutes of the clock at the start"},
    {"orologio", "secondi", "seconds of the clock at the start"},
    {"aderenza", "posizione", "where this adhesion begins; start with a row at 0"},
    {"aderenza", "aderenza", "adhesion, 0-255"},
    {"velocita", "posizione", "where this speed limit begins; start with a row at 0"},
    {"velocita", "velocita", "line speed limit in km/h, up to 1277, kept in steps of 5"},
    {"stazione", "posizione", "station position, a multiple of 50"},
    {"stazione", "tipo",
     "station kind, 0-255: 5 and 6 zone from position - length to position + 150; 7 and 8 position "
     "+/- length; others centred; 25 and above get no stop mark"},
    {"stazione", "lunghezza", "zone length, a multiple of 100"},
    {"stazione", "ore", "hours of the timetable"},
    {"stazione", "minuti", "minutes of the timetable"},
    {"stazione", "secondi", "seconds of the timetable"},
    {"stazione", "nome", "the station's name: the rest of the line; blanks and ° allowed"},
    {"rallentamento", "x",
     "where the slowdown starts; when x > 1500 a warning board stands 1200 m before it"},
    {"rallentamento", "v", "speed of the slowdown, km/h"},
    {"rallentamento", "l", "length of the slowdown in metres"},
    {"rallentamento", "f_ta", "not 0: marks the four cells before the warning board"},
    {"segnale", "posizione", "signal position, at least 350 m from the start (cell p/50 + 1)"},
    {"segnale", "tempo", "1 to 100 is stored as 101, and only with sx = 2"},
    {"abbattimento", "posizione", "where the cab-code point stands (cell p/50)"},
    {"abbattimento", "codice", "the code; 0 or less makes a null point"},
}};

struct voce_deposito {
    std::string_view record;
    std::string_view campo;
    deposito_campo dove;
};

// Member indices: 0 tipo, 1-4 dato1-dato4, 5 tempo, 6 preavviso, 7 montagna, 8 velocita,
// 9 pendenza, 10 aderenza.
constexpr std::array<voce_deposito, 24> depositi = {{
    {"segnale", "posizione", {0, true}},   {"segnale", "sx", {4, true}},
    {"segnale", "s1", {1, true}},          {"segnale", "s2", {2, true}},
    {"segnale", "s3", {3, true}},          {"segnale", "rapp", {4, true}},
    {"segnale", "dx", {4, true}},          {"segnale", "d1", {1, true}},
    {"segnale", "d2", {2, true}},          {"segnale", "d3", {3, true}},
    {"segnale", "tempo", {5, true}},       {"velocita", "velocita", {8, false}},
    {"aderenza", "aderenza", {10, false}}, {"pendenza", "pendenza", {9, false}},
    {"montagna", "tipo", {7, false}},      {"rallentamento", "v", {1, true}},
    {"indicatori_vmax", "vas", {1, true}}, {"indicatori_vmax", "vbs", {2, true}},
    {"indicatori_vmax", "vcs", {3, true}}, {"indicatori_vmax", "strisces", {4, true}},
    {"indicatori_vmax", "vad", {1, true}}, {"indicatori_vmax", "vbd", {2, true}},
    {"indicatori_vmax", "vcd", {3, true}}, {"cartello_indicatore", "testo", {1, true}},
}};

const std::vector<std::string_view> sezioni_linea = {
    "[generale]", "[curve]", "[pendenze]", "[montagne]", "[cartelli]", "[indicazioni]", "[fine]"};
const std::vector<std::string_view> sezioni_treno = {
    "[generale]",      "[aderenze]", "[vel_limite]", "[stazioni]",
    "[rallentamenti]", "[segnali]",  "[codici]",     "[fine]"};

}  // namespace

std::string_view significato_campo(std::string_view record, std::string_view campo) {
    for (const voce_campo& v : voci) {
        if (v.record == record && v.campo == campo) return v.significato;
    }
    if (record == "stazione" && campo.substr(0, 5) == "campo") {
        return "a value for the simulator: fields 4, 5, 6, 9 and 13 in 0-255, the others "
               "-32768..32767";
    }
    if (record == "segnale") {
        return "an aspect value of the signal's s (left) or d (right) set; each s/d pair is "
               "packed into one cell member as s*10 + d, sx, dx and rapp as rapp*10 + sx*3 + dx";
    }
    if (campo == "posizione") return posizione_metri;
    return "";
}

std::string_view significato_record(std::string_view record) {
    if (record == "lunghezza percorso") return "the line's length";
    if (record == "progressiva chilometrica")
        return "a chainage system: chainage = position + offset (+100 with flag 1)";
    if (record == "sfondo") return "where a scenery background begins";
    if (record == "ripetizione segnali") return "cab-signal repetition section (4 or 9 codes)";
    if (record == "curva")
        return "a curve to the left (s) or right (d), class 1-6: radius about 10000, 5000, 2500, "
               "1000, 500, 333 m";
    if (record == "pendenza") return "gradient from the position on";
    if (record == "montagna") return "scenery kind over a stretch";
    if (record == "indicatori_vmax") return "a maximum-speed board";
    if (record == "cartello_indicatore") return "an indication board";
    if (record == "numero vetture") return "number of cars";
    if (record == "percentuale massa frenata") return "braked-mass percentage";
    if (record == "sabbia") return "sand quantity";
    if (record == "orologio") return "the clock at the start";
    if (record == "aderenza") return "adhesion from the position on";
    if (record == "velocita") return "line speed limit from the position on";
    if (record == "stazione") return "a station";
    if (record == "rallentamento") return "a slowdown to v km/h from x over l metres";
    if (record == "segnale") return "a signal";
    if (record == "abbattimento") return "a cab-code point";
    return "";
}

std::optional<deposito_campo> deposito(std::string_view record, std::string_view campo) {
    for (const voce_deposito& v : depositi) {
        if (v.record == record && v.campo == campo) return v.dove;
    }
    return std::nullopt;
}

bool punto_dopo_posizione(std::string_view record) {
    return record == "segnale" || record == "rallentamento" || record == "indicatori_vmax" ||
           record == "cartello_indicatore";
}

bool campo_posizione(std::string_view record, std::string_view campo) {
    if (campo == "posizione" || campo == "x") return true;
    if (campo == "inizio" || campo == "fine") return record != "orologio";
    return false;
}

std::vector<std::string_view> parole_sezione(tipo_sorgente tipo, std::string_view sezione) {
    if (tipo == tipo_sorgente::linea) {
        if (sezione == "[generale]") {
            return {"lunghezza percorso",
                    "progressiva chilometrica uno",
                    "progressiva chilometrica due",
                    "progressiva chilometrica tre",
                    "sfondo uno",
                    "sfondo due",
                    "sfondo tre",
                    "ripetizione segnali 4 codici",
                    "ripetizione segnali 9 codici"};
        }
        if (sezione == "[curve]") {
            return {"curvas1", "curvas2", "curvas3", "curvas4", "curvas5", "curvas6",
                    "curvad1", "curvad2", "curvad3", "curvad4", "curvad5", "curvad6"};
        }
        if (sezione == "[pendenze]") return {"pendenza"};
        if (sezione == "[montagne]") return {"montagna"};
        if (sezione == "[cartelli]") return {"indicatori_vmax"};
        if (sezione == "[indicazioni]") return {"cartello_indicatore"};
        return {};
    }
    if (sezione == "[generale]") {
        return {"numero vetture", "percentuale massa frenata", "sabbia", "orologio"};
    }
    if (sezione == "[aderenze]") return {"aderenza"};
    if (sezione == "[vel_limite]") return {"velocita"};
    if (sezione == "[stazioni]") return {"stazione"};
    if (sezione == "[rallentamenti]") return {"rallentamento"};
    if (sezione == "[segnali]") return {"segnale"};
    if (sezione == "[codici]") return {"abbattimento"};
    return {};
}

const std::vector<std::string_view>& sezioni(tipo_sorgente tipo) {
    return tipo == tipo_sorgente::linea ? sezioni_linea : sezioni_treno;
}

}  // namespace scenario::strumento::lsp
