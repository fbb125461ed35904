#include "textfile/scrittore_testo.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <iterator>
#include <stdexcept>

#include "model/guasto.h"
#include "support/cartella_temporanea.h"
#include "support/sonda_registrata.h"
#include "textfile/codifica.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;

TEST(ScrittoreTesto, RigheConCrLfFinoAlMarcatoreEscluso) {
    std::vector<std::string> elenco = {"[generale]", "", "  a, b ", marcatore_fine, "dopo"};
    EXPECT_EQ(testo_da_elenco(elenco), "[generale]\r\n\r\n  a, b \r\n");
}

TEST(ScrittoreTesto, CaratteriNonAsciiComeByteWindows1252) {
    EXPECT_EQ(testo_da_elenco(con_marcatore({"2° bivio", "città è però più €"})),
              "2\xB0 bivio\r\ncitt\xE0 \xE8 per\xF2 pi\xF9 \x80\r\n");
}

TEST(ScrittoreTesto, ElencoSenzaMarcatoreOTroppoLungoERifiutato) {
    EXPECT_THROW(testo_da_elenco({"a", "b"}), std::logic_error);
    std::vector<std::string> lungo(righe_massime, "x");
    lungo.push_back(marcatore_fine);
    EXPECT_THROW(testo_da_elenco(lungo), std::logic_error);
    lungo.erase(lungo.begin());
    EXPECT_NO_THROW(testo_da_elenco(lungo));
}

TEST(ScrittoreTesto, SostituisceUnFilePiuLungo) {
    cartella_temporanea cartella;
    auto file = cartella / "note.txt";
    scrivi_tutto(file, std::string(5000, 'z'));
    scrivi_file_testo(file, con_marcatore({"uno", "due"}));
    EXPECT_EQ(leggi_tutto(file), "uno\r\ndue\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(cartella.percorso()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(ScrittoreTesto, CartellaInesistenteEGuastoCheNominaIlFile) {
    cartella_temporanea cartella;
    auto file = cartella / "manca" / "note.txt";
    try {
        scrivi_file_testo(file, con_marcatore({"uno"}));
        FAIL() << "nessun guasto";
    } catch (const guasto_file& e) {
        EXPECT_NE(e.file().find("note.txt"), std::string::npos);
        EXPECT_FALSE(e.causa().empty());
    }
}

TEST(ScrittoreTesto, FallimentoAMetaLasciaIntattoIlFilePrecedente) {
    cartella_temporanea cartella;
    auto file = cartella / "note.txt";
    scrivi_tutto(file, "vecchio\r\n");
    prova::sonda_registrata sonda;
    sonda.fallisci(operazione_file::scrivi, "note.txt", ENOSPC);
    EXPECT_THROW(scrivi_file_testo(file, con_marcatore({"nuovo"})), guasto_file);
    EXPECT_EQ(leggi_tutto(file), "vecchio\r\n");
}

TEST(Codifica, AndataERitorno) {
    const std::string testo = "à è ò ù ° € Š ÿ";
    EXPECT_EQ(da_cp1252(in_cp1252(testo)), testo);
    EXPECT_EQ(in_cp1252("°").size(), 1u);
}

TEST(Codifica, CarattereAssenteDallaCodePageERifiutato) {
    EXPECT_THROW(in_cp1252("→"), std::invalid_argument);
    EXPECT_THROW(in_cp1252("\xC3"), std::invalid_argument);  // cut short
}

}  // namespace
}  // namespace scenario
