#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "model/guasto.h"
#include "model/numeri.h"
#include "model/punto.h"
#include "model/stato_run.h"
#include "output/file_binari.h"
#include "output/formato_file.h"
#include "output/lettura_formato.h"
#include "output/timbri.h"

namespace scenario {
namespace {

using formato::byte_elemento;
using formato::byte_punto;
using formato::codice_elemento;
using formato::inizio_cella;

std::string esadecimale(const std::string& byte) {
    static const char cifre[] = "0123456789ABCDEF";
    std::string s;
    for (unsigned char b : byte) {
        if (!s.empty()) s += ' ';
        s += cifre[b >> 4];
        s += cifre[b & 0xF];
    }
    return s;
}

// ---- Track cells (".dat") ----

TEST(BytePercorso, UnaCellaMembroPerMembroLittleEndian) {
    stato_run stato;
    stato.percorso.dimensiona(3);
    stato.ultima_cella = 2;
    stato.percorso[2] = cella{1, -2, 0x1234, 32767, -32768, 255, 54, 3, 13, 78, 200};
    std::string byte = byte_percorso(stato);
    ASSERT_EQ(byte.size(), inizio_cella(3));
    EXPECT_EQ(esadecimale(byte.substr(inizio_cella(2))),
              "01 FE FF 34 12 FF 7F 00 80 FF 36 03 0D 4E C8");
    EXPECT_EQ(byte.substr(0, inizio_cella(2)), std::string(inizio_cella(2), '\0'));
}

TEST(BytePercorso, OgniCellaDa0AUltimaCellaConITimbri) {
    stato_run stato;
    dimensiona_modello(stato, 57000);
    ASSERT_EQ(stato.ultima_cella, 1280);
    for (std::int32_t n = 2; n <= stato.ultima_cella; ++n) {
        cella& c = stato.percorso[n];
        c.tipo = basso8(n);
        c.dato1 = basso16(n * 37 - 20000);
        c.dato2 = basso16(-n);
        c.dato3 = basso16(n * 101);
        c.dato4 = basso16(n * 1009);
        c.tempo = basso8(n + 1);
        c.preavviso = basso8(n + 2);
        c.montagna = basso8(n + 3);
        c.velocita = basso8(n + 4);
        c.pendenza = basso8(n + 5);
        c.aderenza = basso8(n + 6);
    }
    stato.punti[indice_punti::ripetizione].nome = "abc";
    ASSERT_EQ(applica_timbri(stato), 0);

    std::string byte = byte_percorso(stato);
    ASSERT_EQ(byte.size(), 19215u);  // the size docs/formats.md gives for 57000 m
    lettore_byte in(byte);
    for (std::int32_t n = 0; n <= stato.ultima_cella; ++n) {
        ASSERT_EQ(in.posizione(), inizio_cella(static_cast<std::size_t>(n)));
        ASSERT_EQ(formato::leggi_cella(in), stato.percorso[n]) << "cella " << n;
    }
    EXPECT_TRUE(in.fine());

    lettore_byte timbri(byte);
    timbri.grezzi(inizio_cella(1) + formato::in_cella::dato1, "celle prima dei timbri");
    EXPECT_EQ(timbri.i16("dato1"), 5121);
    EXPECT_EQ(timbri.i16("dato2"), 2546);
}

// ---- Record table (".sim") ----

TEST(BytePunti, UnRecordMembroPerMembroLittleEndian) {
    stato_run stato;
    punto& p = stato.punti[0];
    p.tipo = 8;
    p.inizio = -400;
    p.fine = 0x01020304;
    p.posizione = -1;
    p.voce_4 = 250;
    p.nome = "Lerno\xB0";
    p.voce_7 = 1;
    p.voce_8 = -2;
    p.voce_10 = 0x0A0B;
    p.voce_11 = 32767;
    p.voce_12 = -32768;
    p.voce_9 = 9;
    p.voce_13 = 13;
    p.voce_6 = 6;
    p.voce_5 = 5;
    p.orario = 86399;
    std::string byte = byte_punti(stato);
    ASSERT_EQ(byte.size(), 87 * byte_punto(0) + 6);
    EXPECT_EQ(esadecimale(byte.substr(0, byte_punto(6))),
              "08 70 FE FF FF 04 03 02 01 FF FF FF FF FA 06 00 4C 65 72 6E 6F B0 "
              "01 00 FE FF 0B 0A FF 7F 00 80 09 0D 06 05 7F 51 01 00");
    // The next record, empty, starts right after: no padding.
    EXPECT_EQ(byte.substr(byte_punto(6), byte_punto(0)), std::string(byte_punto(0), '\0'));
}

TEST(BytePunti, OttantasetteRecordDiLunghezzaVariabile) {
    stato_run stato;
    for (int n = 1; n < indice_punti::numero; ++n) {
        punto& p = stato.punti[n];
        p.tipo = basso8(n);
        p.inizio = n * 1000 - 50000;
        p.fine = n * 1000;
        p.posizione = -n;
        p.voce_4 = basso8(n + 4);
        p.voce_7 = basso16(n * 7);
        p.voce_8 = basso16(-n * 8);
        p.voce_10 = basso16(n * 10);
        p.voce_11 = basso16(n * 11);
        p.voce_12 = basso16(n * 12);
        p.voce_9 = basso8(n + 9);
        p.voce_13 = basso8(n + 13);
        p.voce_6 = basso8(n + 6);
        p.voce_5 = basso8(n + 5);
        p.orario = n * 3600 + 61;
    }
    stato.punti[1].nome = "CASTELBRUM 1";  // 12 characters
    stato.punti[80].nome = "2\xB0 bivio";
    stato.punti[85].nome = "Lerno_Castelbrum_Pusena";
    stato.punti[86].nome = "27364";

    std::string byte = byte_punti(stato);
    EXPECT_EQ(byte.size(), 87 * byte_punto(0) + 12 + 8 + 23 + 5);
    lettore_byte in(byte);
    std::size_t inizio = 0;
    std::vector<std::size_t> lunghezze;
    for (int n = 0; n < indice_punti::numero; ++n) {
        ASSERT_EQ(formato::leggi_punto(in), stato.punti[n]) << "punto " << n;
        lunghezze.push_back(in.posizione() - inizio);
        inizio = in.posizione();
    }
    EXPECT_TRUE(in.fine());
    EXPECT_EQ(lunghezze[0], byte_punto(0));  // empty name
    EXPECT_EQ(lunghezze[1], byte_punto(12));
    EXPECT_EQ(lunghezze[80], byte_punto(8));
    EXPECT_EQ(lunghezze[2], byte_punto(0));
}

TEST(BytePunti, NomeOltre32767ByteEUnGuasto) {
    stato_run stato;
    stato.punti[40].nome = std::string(32767, 'x');
    std::string byte = byte_punti(stato);
    lettore_byte in(byte);
    for (int n = 0; n < 40; ++n) formato::leggi_punto(in);
    EXPECT_EQ(formato::leggi_punto(in).nome.size(), 32767u);

    stato.punti[40].nome += 'x';
    EXPECT_THROW(byte_punti(stato), guasto_esecuzione);
}

// ---- Line geometry ("_linea.dat") ----

// Fills the geometry as the line compiler does: metres 0 and 1 integers, 2..L-2 doubles, the last
// two empty.
void riempi_profilo(stato_run& stato) {
    std::int32_t l = stato.lunghezza_estesa;
    for (int componente = 0; componente <= 1; ++componente) {
        stato.profilo.imposta_intero(0, componente, componente == 0 ? -7 : 300);
        stato.profilo.imposta_intero(1, componente, componente == 0 ? 32767 : -32768);
        for (std::int32_t m = 2; m <= l - 2; ++m) {
            stato.profilo.imposta_reale(m, componente,
                                        componente == 0 ? m * 0.5 + 0.125 : -m / 3.0);
        }
    }
}

TEST(ByteProfiloLinea, ElementiDi2_4E10Byte) {
    stato_run stato;
    stato.scrivi_linea = 1;
    // Metres 0..10: shorter than any line the compiler sizes, which keeps the bytes few.
    stato.lunghezza_estesa = 10;
    stato.profilo.dimensiona(10);
    stato.profilo.imposta_intero(0, 0, 0x0102);
    stato.profilo.imposta_reale(1, 0, 1.5);
    stato.profilo.imposta_intero(0, 1, -2);
    std::string byte = byte_profilo_linea(stato);
    // Component 0: an integer, a double, then nine empty elements.
    EXPECT_EQ(esadecimale(byte.substr(0, 16)), "02 00 02 01 05 00 00 00 00 00 00 00 F8 3F 00 00");
    // Component 1 starts after the 11 elements of component 0.
    std::size_t uno = byte_elemento(codice_elemento::intero) +
                      byte_elemento(codice_elemento::reale) +
                      9 * byte_elemento(codice_elemento::vuoto);
    EXPECT_EQ(esadecimale(byte.substr(uno, 6)), "02 00 FE FF 00 00");
    EXPECT_EQ(byte.size(), uno + byte_elemento(codice_elemento::intero) +
                               10 * byte_elemento(codice_elemento::vuoto));
}

TEST(ByteProfiloLinea, LunghezzaEContenutoDaUnaGeometriaCompilata) {
    for (std::int32_t lunghezza : {0, 57000}) {
        SCOPED_TRACE(lunghezza);
        stato_run stato;
        stato.scrivi_linea = 1;
        dimensiona_modello(stato, lunghezza);
        riempi_profilo(stato);
        std::string byte = byte_profilo_linea(stato);
        std::int32_t l = stato.lunghezza_estesa;
        ASSERT_EQ(byte.size(), 20u * static_cast<std::size_t>(l) - 36u);
        if (lunghezza == 57000) {
            EXPECT_EQ(byte.size(), 1279964u);
        }

        profilo_linea letto = formato::decodifica_geometria(byte);
        ASSERT_EQ(letto.ultimo_metro(), l);
        for (int componente = 0; componente <= 1; ++componente) {
            for (std::int32_t m = 0; m <= l; ++m) {
                ASSERT_EQ(letto.tipo(m, componente), stato.profilo.tipo(m, componente))
                    << m << "," << componente;
                ASSERT_EQ(letto.valore(m, componente), stato.profilo.valore(m, componente))
                    << m << "," << componente;
            }
        }
    }
}

// A geometry of any other size would shift every metre the loader reads.
TEST(ByteProfiloLinea, GeometriaNonDimensionataEUnGuasto) {
    stato_run stato;
    stato.scrivi_linea = 0;
    dimensiona_modello(stato, 1000);
    EXPECT_THROW(byte_profilo_linea(stato), guasto_esecuzione);

    stato.profilo.dimensiona(stato.lunghezza_estesa - 1);
    EXPECT_THROW(byte_profilo_linea(stato), guasto_esecuzione);
}

}  // namespace
}  // namespace scenario
