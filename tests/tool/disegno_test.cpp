#include <gtest/gtest.h>

#include "banco_strumento.h"
#include "output/lettura_formato.h"
#include "textfile/codifica.h"
#include "tool/scenario_compilato.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::strumento;

std::vector<std::string> disegna(const std::filesystem::path& dir,
                                 const std::filesystem::path& svg) {
    return {"render",     dir.string(),
            "--scenario", prova::scenario_incorporato,
            "--train",    prova::treno_incorporato,
            "-o",         svg.string()};
}

// Checked with xmllint where it is installed (Debian package libxml2-utils).
void ben_formato(const std::filesystem::path& svg) {
    if (prova::esegui_comando("command -v xmllint > /dev/null 2>&1") != 0) return;
    EXPECT_EQ(prova::esegui_comando("xmllint --noout " + prova::virgolette(svg)), 0)
        << leggi_tutto(svg).substr(0, 2000);
}

TEST(Disegno, LoScenarioIncorporatoHaOgniStazioneETitolo) {
    cartella_temporanea dir;
    prova::esito_strumento e = strumento(disegna(prova::file_del_programma(), dir / "s.svg"));
    ASSERT_EQ(e.stato, 0) << e.errori;
    ben_formato(dir / "s.svg");
    std::string svg = leggi_tutto(dir / "s.svg");
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("Lerno_Castelbrum_Pusena \u2014 train 27364"), std::string::npos);

    std::vector<punto> punti = formato::decodifica_punti(
        leggi_tutto(prova::file_del_programma() / "Lerno_Castelbrum_Pusena_27364.sim"));
    std::vector<strumento::stazione> elenco = strumento::stazioni(punti);
    ASSERT_EQ(elenco.size(), 9u);
    for (const strumento::stazione& st : elenco) {
        EXPECT_NE(svg.find(">" + st.nome + "<"), std::string::npos) << st.nome;
    }
    EXPECT_NE(svg.find("2\u00b0 bivio LERNO NORD"), std::string::npos);
    EXPECT_NE(svg.find("Plan of the line"), std::string::npos);
}

TEST(Disegno, NomiConCaratteriSpecialiRestanoXmlValido) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    prova::modifica(dir / "Lerno_Castelbrum_Pusena_27364-.txt", ", DORVANO\r\n",
                    ", DORVANO & <FIUME> \"1\"\r\n");
    ASSERT_EQ(strumento({"compile", dir.percorso().string(), "--scenario",
                         prova::scenario_incorporato, "--train", prova::treno_incorporato})
                  .stato,
              0);
    ASSERT_EQ(strumento(disegna(dir.percorso(), dir / "s.svg")).stato, 0);
    ben_formato(dir / "s.svg");
    EXPECT_NE(leggi_tutto(dir / "s.svg").find("DORVANO &amp; &lt;FIUME&gt; &quot;1&quot;"),
              std::string::npos);
}

TEST(Disegno, SenzaGeometriaLaPaginaNonHaLaPianta) {
    cartella_temporanea dir;
    prova::esporta_incorporate(dir.percorso());
    ASSERT_EQ(
        strumento({"compile", dir.percorso().string(), "--scenario", prova::scenario_incorporato,
                   "--train", prova::treno_incorporato, "--no-line"})
            .stato,
        0);
    prova::esito_strumento e = strumento(disegna(dir.percorso(), dir / "s.svg"));
    ASSERT_EQ(e.stato, 0) << e.errori;
    ben_formato(dir / "s.svg");
    std::string svg = leggi_tutto(dir / "s.svg");
    EXPECT_EQ(svg.find("Plan of the line"), std::string::npos);
    EXPECT_NE(svg.find("No line geometry file"), std::string::npos);
    EXPECT_NE(svg.find("MONTESCARNIO"), std::string::npos);
}

TEST(Disegno, FileMancanteOMalformato) {
    cartella_temporanea dir;
    for (const char* nome :
         {"Lerno_Castelbrum_Pusena_27364.sim", "Lerno_Castelbrum_Pusena_linea.dat"}) {
        std::filesystem::copy_file(prova::file_del_programma() / nome, dir / nome);
    }
    prova::esito_strumento e = strumento(disegna(dir.percorso(), dir / "s.svg"));
    EXPECT_EQ(e.stato, 3);
    EXPECT_NE(e.errori.find("Lerno_Castelbrum_Pusena_27364.dat"), std::string::npos) << e.errori;

    prova::scrivi_tutto(dir / "Lerno_Castelbrum_Pusena_27364.dat", std::string(16, '\0'));
    e = strumento(disegna(dir.percorso(), dir / "s.svg"));
    EXPECT_EQ(e.stato, 65);
    EXPECT_NE(e.errori.find("Lerno_Castelbrum_Pusena_27364.dat: byte offset 15"), std::string::npos)
        << e.errori;
    EXPECT_FALSE(std::filesystem::exists(dir / "s.svg"));
}

}  // namespace
}  // namespace scenario

namespace scenario {
namespace {

TEST(Disegno, UnTrattoMostraSoloCioCheCiSta) {
    prova::cartella_temporanea dir;
    std::vector<std::string> parole = {"render",     prova::file_del_programma().string(),
                                       "--scenario", prova::scenario_incorporato,
                                       "--train",    prova::treno_incorporato,
                                       "-o",         (dir / "t.svg").string(),
                                       "--from",     "3",
                                       "--to",       "9"};
    prova::esito_strumento e = prova::strumento(parole);
    ASSERT_EQ(e.stato, 0) << e.errori;
    std::string svg = prova::leggi_tutto(dir / "t.svg");
    EXPECT_NE(svg.find(">DORVANO \u00b7 24 \u00b7 00:00:00<"), std::string::npos);
    EXPECT_EQ(svg.find("PUSENA"), std::string::npos);
    EXPECT_NE(svg.find(">4.150<"), std::string::npos);   // the signal's position label
    EXPECT_EQ(svg.find(">29.000<"), std::string::npos);  // a signal outside the stretch
    EXPECT_NE(svg.find("shown: km 3 to 9"), std::string::npos);
}

TEST(Disegno, UnTrattoVuotoOMalScrittoEUnErroreDUso) {
    prova::cartella_temporanea dir;
    for (const auto& [da, a] : std::vector<std::pair<std::string, std::string>>{
             {"9", "3"}, {"4", "4"}, {"abc", "5"}, {"-1", "5"}, {"1", "5km"}}) {
        prova::esito_strumento e =
            prova::strumento({"render", prova::file_del_programma().string(), "--scenario",
                              prova::scenario_incorporato, "--train", prova::treno_incorporato,
                              "-o", (dir / "t.svg").string(), "--from", da, "--to", a});
        EXPECT_EQ(e.stato, 64) << da << " " << a << ": " << e.errori;
        EXPECT_FALSE(std::filesystem::exists(dir / "t.svg"));
    }
}

}  // namespace
}  // namespace scenario
