#include <gtest/gtest.h>

#include <string>

#include "banco_strumento.h"
#include "output/formato_file.h"

// What README.md and docs/formats.md tell authors and loaders, checked against what the tool
// does with the same input.
namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::strumento;

const std::filesystem::path progetto = CARTELLA_PROGETTO;

// The row of the README's code table for `codice`.
std::string riga_codice(int codice) {
    std::string readme = leggi_tutto(progetto / "README.md");
    std::string inizio = "\n| " + std::to_string(codice) + " | ";
    std::size_t dove = readme.find(inizio);
    if (dove == std::string::npos) return "";
    return readme.substr(dove + 1, readme.find('\n', dove + 1) - dove - 1);
}

// The row of the README's status table for `stato`.
std::string riga_stato(int stato) {
    std::string readme = leggi_tutto(progetto / "README.md");
    std::string inizio = "\n| " + std::to_string(stato) + " | `";
    std::size_t dove = readme.find(inizio);
    if (dove == std::string::npos) return "";
    return readme.substr(dove + 1, readme.find('\n', dove + 1) - dove - 1);
}

// From a metre line of the dump: "metre 100: x double 1.5, y double 2" gives "double".
std::string tipo_al_metro(const std::string& dump, int metro) {
    std::string inizio = "\nmetre " + std::to_string(metro) + ": x ";
    std::size_t dove = dump.find(inizio);
    if (dove == std::string::npos) return "missing";
    dove += inizio.size();
    return dump.substr(dove, dump.find_first_of(" ,", dove) - dove);
}

std::vector<std::string> compila(const cartella_temporanea& dir) {
    return {"compile", dir.percorso().string(), "--scenario", prova::scenario_incorporato,
            "--train", prova::treno_incorporato};
}

const char* sorgente_linea = "Lerno_Castelbrum_Pusena_linea.txt";

TEST(Documentazione, PiuDiOttantaCartelliIndicatoriSonoCodice25ComeDiceIlReadme) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    std::string cartelli = "[indicazioni]\r\n";
    for (int n = 0; n < 81; ++n) {
        cartelli += "cartello_indicatore,  " + std::to_string(58000 + 50 * n) + ",   (B)\r\n";
    }
    prova::modifica(dir / sorgente_linea, "[indicazioni]\r\n", cartelli);

    prova::esito_strumento e = strumento(compila(dir));
    EXPECT_EQ(e.stato, 1) << e.errori;
    EXPECT_NE(e.errori.find("Errore 25: guasto durante la compilazione"), std::string::npos)
        << e.errori;
    EXPECT_NE(e.errori.find("troppi cartelli indicatori"), std::string::npos) << e.errori;

    EXPECT_NE(riga_codice(25).find("more than 80 indication boards"), std::string::npos)
        << riga_codice(25);
    EXPECT_NE(riga_codice(10).find("more boards are code 25"), std::string::npos)
        << riga_codice(10);
}

// A code of the line source after the curves leaves the rest of the geometry empty, and the
// format note says when the doubles up to L - 2 are promised.
TEST(Documentazione, LaGeometriaDiUnoStatoUnoFinisceDoveSiEFermatoIlCompilatore) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    // The first board after every curve (the last ends at 52400 m) gets a text no record holds.
    prova::modifica(dir / sorgente_linea, "(DEV. U.)", "(" + std::string(40000, 'D') + ")");

    prova::esito_strumento e = strumento(compila(dir));
    ASSERT_EQ(e.stato, 1) << e.errori;
    prova::esito_strumento d = strumento(
        {"dump", (dir / "Lerno_Castelbrum_Pusena_linea.dat").string(), "--all", "--step", "100"});
    ASSERT_EQ(d.stato, 0) << d.errori;
    EXPECT_EQ(tipo_al_metro(d.uscita, 0), "int16");
    EXPECT_EQ(tipo_al_metro(d.uscita, 52400), "double");
    EXPECT_EQ(tipo_al_metro(d.uscita, 52500), "empty");
    EXPECT_EQ(tipo_al_metro(d.uscita, 63900), "empty");

    std::string formati = leggi_tutto(progetto / "docs" / "formats.md");
    std::string geometria = formati.substr(formati.find("## Line geometry"));
    EXPECT_NE(geometria.find("ends with status 0"), std::string::npos);
    EXPECT_NE(geometria.find("status-1 file must expect empty elements"), std::string::npos);
}

// "20 140 020": groups of three digits, as the documents write large figures.
std::string a_gruppi(std::size_t n) {
    std::string cifre = std::to_string(n);
    for (std::size_t dove = cifre.size(); dove > 3; dove -= 3) cifre.insert(dove - 3, " ");
    return cifre;
}

// The largest files the readers accept are the ones both documents give.
TEST(Documentazione, DimensioniMassimeComeIlFormato) {
    const std::string readme = leggi_tutto(progetto / "README.md");
    const std::string formati = leggi_tutto(progetto / "docs" / "formats.md");
    for (std::size_t massimo : {formato::byte_celle_massimo, formato::byte_punti_massimo,
                                formato::byte_geometria_massimo}) {
        EXPECT_NE(readme.find(a_gruppi(massimo)), std::string::npos) << massimo;
        EXPECT_NE(formati.find(a_gruppi(massimo)), std::string::npos) << massimo;
    }
    EXPECT_NE(riga_stato(65).find("both figures"), std::string::npos) << riga_stato(65);
}

}  // namespace
}  // namespace scenario
