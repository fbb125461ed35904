#pragma once

// What a reader finds in the author's sources, reported to a sink instead of printed: the
// compiler keeps its first-code stop and only gathers warnings; `check` keeps going and gathers
// everything; a page or an editor can take the same list.
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "model/luogo_sorgente.h"

namespace scenario {

struct forma_record;

enum class gravita { errore, avviso, nota };

const char* nome_gravita(gravita g);  // "error", "warning", "note"

// Context for a finding, pointing elsewhere ("the cell is taken by the signal at …:42:1").
struct nota_diagnostica {
    std::string file;  // empty when the note names no source row
    std::int32_t riga = 0;
    std::int32_t colonna = 0;
    std::string messaggio;
};

struct diagnostica {
    gravita livello = gravita::errore;
    std::int32_t codice = 0;  // the code compile records; 0 for a warning
    std::string nome;         // a warning's stable short name ("unknown-record"); empty for codes
    std::string file;         // the source's file name; empty when no source row is involved
    std::int32_t riga = 0;    // 1-based; 0 when unknown
    std::int32_t colonna = 0;
    std::optional<std::int32_t> posizione;  // metres along the line, where the code has one
    std::string messaggio;                  // Windows-1252 bytes may be quoted from the source
    std::vector<nota_diagnostica> note;
};

// A feature written into a cell, remembered so that a code for a taken cell can name it.
struct occupante_cella {
    std::string cosa;  // "signal", "indication board", ...
    luogo_sorgente luogo;
};

// The sink the readers report to. With `prosegui` (check) a record that raises a code is
// reported and reading resumes at the next line; without it (compile) the compiler stops at its
// first code as always and only the warnings met on the way are gathered.
class raccolta_diagnostiche {
  public:
    explicit raccolta_diagnostiche(bool prosegui) : prosegui_(prosegui) {}

    bool prosegui() const { return prosegui_; }

    void riporta(diagnostica d) { elenco_.push_back(std::move(d)); }
    const std::vector<diagnostica>& elenco() const { return elenco_; }
    std::vector<diagnostica>& elenco() { return elenco_; }
    bool ha_errori() const;

    // Who wrote a taken cell: kept only while a sink listens.
    void annota_occupante(std::int32_t cella, const char* cosa, const luogo_sorgente& luogo);
    const occupante_cella* occupante(std::int32_t cella) const;
    // Cells found taken by the check that is about to record a code; they become its notes.
    void cella_occupata(std::int32_t cella) { celle_occupate_.push_back(cella); }
    std::vector<std::int32_t> prendi_celle_occupate();

    // The first code recorded in the run, as the compiler recorded it.
    struct codice_registrato {
        std::int32_t codice = 0;
        std::int32_t posizione = 0;
        bool con_posizione = false;
        luogo_sorgente luogo;
    };
    void nota_codice(const codice_registrato& c);
    const std::optional<codice_registrato>& primo_codice() const { return primo_; }

    // The record being examined, and the last record line, for the diagnostics of its fields.
    const forma_record* forma_corrente = nullptr;
    std::string file_ultimo_record;
    std::int32_t riga_ultimo_record = 0;
    std::string nome_ultimo_record;
    // The first code 15 reported: later rows beyond the line are only counted in its notes.
    std::int32_t indice_primo_15 = -1;
    std::int32_t altri_15 = 0;

    // Scratch of the checks that compare a record with the one before it (same kind, same file).
    std::int32_t ultima_pendenza = -1;
    std::int32_t inizio_ultima_curva = -1;
    std::int32_t fine_ultima_curva = -1;
    luogo_sorgente luogo_ultima_curva;
    luogo_sorgente luogo_lunghezza;  // the length row, for the note that explains code 15
    std::int32_t lunghezza = 0;
    std::int32_t riga_avvisata = 0;  // the line already given a warning about stray fields
    std::string file_avvisato;
    int stazioni_lette = 0;

  private:
    bool prosegui_;
    std::vector<diagnostica> elenco_;
    // By cell: few cells are written by a record, but they may lie tens of thousands apart.
    std::map<std::int32_t, occupante_cella> occupanti_;
    std::vector<std::int32_t> celle_occupate_;
    std::optional<codice_registrato> primo_;
};

}  // namespace scenario
