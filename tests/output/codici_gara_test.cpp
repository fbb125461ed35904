#include <gtest/gtest.h>

#include <string>

#include "model/punto.h"
#include "model/stato_run.h"
#include "output/timbri.h"

namespace scenario {
namespace {

stato_run con_identita(const std::string& numero_treno, const std::string& nome_scenario) {
    stato_run stato;
    stato.punti[indice_punti::ripetizione].nome = numero_treno;
    stato.punti[indice_punti::scenario].nome = nome_scenario;
    return stato;
}

TEST(CodiciGara, EsempioConNumeroTrenoAbcESenzaNome) {
    stato_run stato = con_identita("abc", "");
    EXPECT_EQ(stringa_codici_gara(stato), "abcaabbccddeeffgghhiillmm");
    EXPECT_EQ(codice_gara_og(stato), 2546);
    EXPECT_EQ(codice_gara_st(stato), 33756);
}

TEST(CodiciGara, IdentitaDelloScenario) {
    stato_run stato = con_identita("27364", "Lerno_Castelbrum_Pusena");
    EXPECT_EQ(stringa_codici_gara(stato), "27364lerno_castelbrum_pus");
    EXPECT_EQ(codice_gara_og(stato), 2414);
    EXPECT_EQ(codice_gara_st(stato), 34360);
}

// The checksums are taken from the copies in the record table, not from the run's identity.
TEST(CodiciGara, LettiDallaTabellaDeiPunti) {
    stato_run stato = con_identita("abc", "");
    stato.numero_treno = "zzz";
    stato.nome_scenario = "zzz";
    EXPECT_EQ(codice_gara_og(stato), 2546);
}

TEST(CodiciGara, LeMaiuscoleNonContano) {
    struct caso {
        std::string treno, scenario;
        std::string minuscolo;  // train number and name as they enter the checksums
    };
    // Windows-1252 bytes: À É Þ Š Œ Ž Ÿ go to their lower forms; × (0xD7) and ß (0xDF) have none,
    // and the neighbours of A..Z stay.
    const caso casi[] = {
        {"ABC", "LERNO", "abclerno"},
        {"R2", "Mi\xC0\xC9\xDE", "r2mi\xE0\xE9\xFE"},
        {"", "\x8A\x8C\x8E\x9F", "\x9A\x9C\x9E\xFF"},
        {"X\xD7Y\xDF", "@[`{", "x\xD7y\xDF@[`{"},
    };
    for (const caso& c : casi) {
        std::string atteso = (c.minuscolo + "aabbccddeeffgghhiillmmnnoo").substr(0, 25);
        EXPECT_EQ(stringa_codici_gara(con_identita(c.treno, c.scenario)), atteso) << c.scenario;
    }
    EXPECT_EQ(codice_gara_og(con_identita("ABC", "LERNO")),
              codice_gara_og(con_identita("abc", "lerno")));
    EXPECT_EQ(codice_gara_st(con_identita("ABC", "LERNO")),
              codice_gara_st(con_identita("abc", "lerno")));
}

// Codes above 127 count as 128..255, never as negative bytes.
TEST(CodiciGara, CodiciDeiCaratteriDa0A255) {
    stato_run stato = con_identita(std::string(25, '\xFF'), "");
    EXPECT_EQ(codice_gara_og(stato), 25 * 255);
    EXPECT_EQ(codice_gara_st(stato), 325 * 255);
}

TEST(CodiciGara, NumeroTrenoDi25CaratteriOPiuEscludeIlNome) {
    const std::string numero = "12345678901234567890123456789";
    stato_run senza_nome = con_identita(numero, "");
    stato_run con_nome = con_identita(numero, "Lerno");
    EXPECT_EQ(stringa_codici_gara(con_nome), numero.substr(0, 25));
    EXPECT_EQ(codice_gara_og(con_nome), codice_gara_og(senza_nome));
    EXPECT_EQ(codice_gara_st(con_nome), codice_gara_st(senza_nome));
}

}  // namespace
}  // namespace scenario
