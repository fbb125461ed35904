#include "textfile/lettore_campi.h"

#include <gtest/gtest.h>

#include "model/guasto.h"

namespace scenario {
namespace {

TEST(LettoreCampi, NumeriSeparatiDaSoliSpazi) {
    lettore_campi l("orologio,    9               41            45 \r\n[aderenze]\r\n");
    EXPECT_EQ(l.leggi_testo(), "orologio");
    EXPECT_EQ(l.leggi_numero(), 9);
    EXPECT_EQ(l.leggi_numero(), 41);
    EXPECT_EQ(l.leggi_numero(), 45);
    EXPECT_EQ(l.leggi_testo(), "[aderenze]");
    EXPECT_TRUE(l.fine());
}

TEST(LettoreCampi, CampiLettiSenzaBadareAlleFiniRiga) {
    // A missing field is taken from the next line; a surplus one is the next keyword.
    lettore_campi l("pendenza,  100\r\n  5,extra,  -7\n");
    EXPECT_EQ(l.leggi_testo(), "pendenza");
    EXPECT_EQ(l.leggi_numero(), 100);
    EXPECT_EQ(l.leggi_numero(), 5);
    EXPECT_EQ(l.leggi_testo(), "extra");
    EXPECT_EQ(l.leggi_numero(), -7);
    EXPECT_TRUE(l.fine());
}

TEST(LettoreCampi, CampoNumericoVuotoValeZero) {
    lettore_campi l("indicatori_vmax,  13750,  90,  ,  ,\t,  0\r\n");
    EXPECT_EQ(l.leggi_testo(), "indicatori_vmax");
    EXPECT_EQ(l.leggi_numero(), 13750);
    EXPECT_EQ(l.leggi_numero(), 90);
    EXPECT_EQ(l.leggi_numero(), 0);
    EXPECT_EQ(l.leggi_numero(), 0);
    EXPECT_EQ(l.leggi_numero(), 0);
    EXPECT_EQ(l.leggi_numero(), 0);
    EXPECT_TRUE(l.fine());
}

TEST(LettoreCampi, TestoFinoAllaVirgolaSenzaSpaziFinali) {
    lettore_campi l(
        "cartello_indicatore,  550,   (DEV. U.)  \t\r\n  2\xB0 bivio LERNO NORD, (A,B)\n");
    EXPECT_EQ(l.leggi_testo(), "cartello_indicatore");
    EXPECT_EQ(l.leggi_numero(), 550);
    EXPECT_EQ(l.leggi_testo(), "(DEV. U.)");
    EXPECT_EQ(l.leggi_testo(), "2\xB0 bivio LERNO NORD");
    EXPECT_EQ(l.leggi_testo(), "(A");  // a comma cuts a text
    EXPECT_EQ(l.leggi_testo(), "B)");
}

TEST(LettoreCampi, RigaVuotaECampoDiTestoVuoto) {
    lettore_campi l("\r\n,x\r\n");
    EXPECT_EQ(l.leggi_testo(), "");
    EXPECT_EQ(l.leggi_testo(), "");
    EXPECT_EQ(l.leggi_testo(), "x");
    EXPECT_TRUE(l.fine());
}

TEST(LettoreCampi, UltimoCampoSenzaFineRiga) {
    lettore_campi l("segnale,  4150");
    EXPECT_EQ(l.leggi_testo(), "segnale");
    EXPECT_FALSE(l.fine());
    EXPECT_EQ(l.leggi_numero(), 4150);
    EXPECT_TRUE(l.fine());
}

TEST(LettoreCampi, GuastiDiLettura) {
    struct caso {
        const char* testo;
        const char* descrizione;
    };
    const caso casi[] = {{"abc,", "testo in un campo numerico"},
                         {"12x,", "cifre seguite da testo"},
                         {"-,", "solo il segno"},
                         {"2147483648,", "oltre 32 bit"},
                         {"-2147483649,", "sotto 32 bit"},
                         {"99999999999999999999999,", "molto oltre 32 bit"}};
    for (const caso& c : casi) {
        lettore_campi l(c.testo);
        EXPECT_THROW(l.leggi_numero(), guasto_esecuzione) << c.descrizione;
    }
    lettore_campi vuoto("");
    EXPECT_THROW(vuoto.leggi_testo(), guasto_esecuzione);
    lettore_campi finito("7\r\n");
    EXPECT_EQ(finito.leggi_numero(), 7);
    EXPECT_THROW(finito.leggi_numero(), guasto_esecuzione);
}

TEST(LettoreCampi, EstremiDi32Bit) {
    lettore_campi l("2147483647, -2147483648");
    EXPECT_EQ(l.leggi_numero(), 2147483647);
    EXPECT_EQ(l.leggi_numero(), -2147483647 - 1);
}

TEST(LettoreCampi, LarghezzaDelCampo) {
    lettore_campi l("255, 256, -32768");
    EXPECT_EQ(l.leggi<std::uint8_t>(), 255);
    EXPECT_THROW(l.leggi<std::uint8_t>(), guasto_esecuzione);
    EXPECT_EQ(l.leggi<std::int16_t>(), -32768);
}

TEST(LettoreCampi, UnCrIsolatoNonChiudeLaRiga) {
    lettore_campi l("a\rb,c\n");
    EXPECT_EQ(l.leggi_testo(), "a\rb");
    EXPECT_EQ(l.leggi_testo(), "c");
}

TEST(LettoreCampi, LuogoDelCampo) {
    lettore_campi l("[generale]\r\n  pendenza,\t 5\n", "x_linea.txt");
    l.leggi_testo();
    EXPECT_EQ(l.luogo_campo().riga, 1);
    EXPECT_EQ(l.luogo_campo().colonna, 1);
    l.leggi_testo();
    EXPECT_EQ(l.luogo_campo().riga, 2);
    EXPECT_EQ(l.luogo_campo().colonna, 3);
    l.leggi_numero();
    EXPECT_EQ(l.luogo_campo().colonna, 14);
    EXPECT_EQ(l.luogo_campo().file, "x_linea.txt");
}

}  // namespace
}  // namespace scenario
