#include "tool/dati_anteprima.h"

#include <algorithm>
#include <cmath>

#include "tool/elementi_linea.h"

namespace scenario::strumento {

namespace {

using nlohmann::json;

// Runs as [first cell, value] pairs: the last cell of a run is the first of the next less one.
json tratti(const std::vector<tratto_celle>& elenco) {
    json a = json::array();
    for (const tratto_celle& t : elenco) a.push_back({t.da, t.valore});
    return a;
}

double decimo(double metri) { return std::round(metri * 10.0) / 10.0; }

json pianta(const profilo_linea& g, std::int64_t ultimo) {
    ultimo = std::min<std::int64_t>(ultimo, g.ultimo_metro());
    std::int64_t passo =
        std::max<std::int64_t>(1, (ultimo + punti_pianta_massimi - 1) / punti_pianta_massimi);
    json metri = json::array(), x = json::array(), y = json::array();
    for (std::int64_t m = 0;; m += passo) {
        if (m > ultimo) m = ultimo;
        if (g.tipo(m, 0) != profilo_linea::tipo_valore::vuoto &&
            g.tipo(m, 1) != profilo_linea::tipo_valore::vuoto && std::isfinite(g.valore(m, 0)) &&
            std::isfinite(g.valore(m, 1))) {
            metri.push_back(m);
            x.push_back(decimo(g.valore(m, 0)));
            y.push_back(decimo(g.valore(m, 1)));
        }
        if (m == ultimo) break;
    }
    return {{"metri", metri}, {"x", x}, {"y", y}};
}

// Cells whose point members are not all zero: the rest of a cell comes from the runs.
json celle_sparse(const std::vector<cella>& celle) {
    json a = json::array();
    for (std::size_t n = 0; n < celle.size(); ++n) {
        const cella& c = celle[n];
        if (c.tipo == 0 && c.dato1 == 0 && c.dato2 == 0 && c.dato3 == 0 && c.dato4 == 0 &&
            c.tempo == 0 && c.preavviso == 0) {
            continue;
        }
        a.push_back({n, c.tipo, c.dato1, c.dato2, c.dato3, c.dato4, c.tempo, c.preavviso});
    }
    return a;
}

}  // namespace

json json_scenario(const scenario_compilato& s) {
    elementi_linea e = estrai_elementi(s);
    json j;
    j["scenario"] = s.nome_scenario;
    j["treno"] = s.numero_treno;
    j["lunghezza"] = e.lunghezza;
    j["celle"] = s.celle.size();

    json stazioni = json::array();
    for (const stazione_linea& st : e.stazioni) {
        stazioni.push_back({{"indice", st.base.indice},
                            {"nome", st.base.nome},
                            {"tipo", st.tipo},
                            {"posizione", st.base.posizione},
                            {"inizio", st.base.inizio},
                            {"fine", st.base.fine},
                            {"orario", ora_del_giorno(st.orario)}});
    }
    j["stazioni"] = stazioni;

    json segnali = json::array();
    for (const segnale_linea& g : e.segnali) {
        segnali.push_back({{"metro", g.metro},
                           {"cella", g.cella},
                           {"sx", g.sx},
                           {"s1", g.s1},
                           {"s2", g.s2},
                           {"s3", g.s3},
                           {"dx", g.dx},
                           {"d1", g.d1},
                           {"d2", g.d2},
                           {"d3", g.d3},
                           {"rapp", g.rapp},
                           {"tempo", g.tempo}});
    }
    j["segnali"] = segnali;

    json velocita = json::array();
    for (const cartello_velocita& c : e.cartelli_velocita) {
        velocita.push_back({{"metro", c.metro},
                            {"cella", c.cella},
                            {"s", c.sinistra},
                            {"d", c.destra},
                            {"strisce_s", c.strisce_s},
                            {"strisce_d", c.strisce_d}});
    }
    j["cartelli_velocita"] = velocita;

    json testi = json::array();
    for (const cartello_testo& c : e.cartelli_testo) {
        testi.push_back({{"metro", c.metro}, {"cella", c.cella}, {"testo", c.testo}});
    }
    j["cartelli_testo"] = testi;

    json codici = json::array();
    for (const punto_codice_linea& p : e.punti_codice) {
        codici.push_back(
            {{"metro", p.metro}, {"cella", p.cella}, {"valore", p.valore}, {"nullo", p.nullo}});
    }
    j["punti_codice"] = codici;

    json avvisi = json::array();
    for (const avviso_linea& a : e.avvisi) {
        avvisi.push_back({{"metro", a.metro}, {"cella", a.cella}, {"velocita", a.velocita}});
    }
    j["avvisi"] = avvisi;

    json lenti = json::array();
    for (const rallentamento& r : e.rallentamenti) {
        lenti.push_back({{"inizio", r.inizio}, {"fine", r.fine}, {"velocita", r.velocita}});
    }
    j["rallentamenti"] = lenti;

    json curve = json::array();
    for (const curva_linea& c : e.curve) {
        curve.push_back({{"inizio", c.inizio},
                         {"fine", c.fine},
                         {"classe", c.classe},
                         {"lato", std::string(1, c.lato)},
                         {"raggio", std::round(c.raggio)}});
    }
    j["curve"] = curve;

    j["profili"] = {{"pendenza", tratti(e.pendenza)},
                    {"velocita", tratti(e.velocita)},
                    {"aderenza", tratti(e.aderenza)},
                    {"montagna", tratti(e.montagna)}};

    json progressive = json::array();
    for (const sistema_progressiva& p : e.progressive) {
        progressive.push_back(
            {{"record", p.indice}, {"inizio", p.inizio}, {"scostamento", p.scostamento}});
    }
    j["progressive"] = progressive;
    j["ripetizione"] = {{"inizio", e.ripetizione_inizio},
                        {"fine", e.ripetizione_fine},
                        {"codici", e.ripetizione_codici}};
    j["celle_sparse"] = celle_sparse(s.celle);
    if (s.geometria) j["pianta"] = pianta(*s.geometria, e.lunghezza);
    return j;
}

json json_diagnostiche(const std::vector<diagnostica>& elenco) {
    json a = json::array();
    for (const diagnostica& d : elenco) {
        json v = {{"gravita", nome_gravita(d.livello)},
                  {"codice", d.codice},
                  {"file", d.file},
                  {"riga", d.riga},
                  {"colonna", d.colonna},
                  {"messaggio", d.messaggio},
                  {"note", d.note},
                  {"testo", riga_diagnostica(d)}};
        v["posizione"] = d.posizione ? json(*d.posizione) : json(nullptr);
        a.push_back(v);
    }
    return a;
}

}  // namespace scenario::strumento
