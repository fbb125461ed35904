#include <gtest/gtest.h>

#include <algorithm>
#include <sstream>

#include "banco_strumento.h"
#include "output/geometria_in_byte.h"
#include "output/lettura_formato.h"
#include "tool/stampa_dump.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::strumento;

std::string del_programma(const std::string& nome) {
    return (prova::file_del_programma() / nome).string();
}

std::string riga_con(const std::string& testo, const std::string& inizio) {
    std::size_t dove = testo.find("\n" + inizio);
    if (dove == std::string::npos) return "";
    return testo.substr(dove + 1, testo.find('\n', dove + 1) - dove - 1);
}

TEST(Dump, CelleUnaPerRigaConPosizioneSignificatiESoloIMembriNonZero) {
    prova::esito_strumento e =
        strumento({"dump", del_programma("Lerno_Castelbrum_Pusena_27364.dat")});
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(e.uscita.rfind("# 1281 cells of 15 bytes; cell n covers the 50 m from (n-1)*50 m", 0),
              0u);
    EXPECT_EQ(std::count(e.uscita.begin(), e.uscita.end(), '\n'), 3 + 1281);
    // The signal at 4150 m and the slowdown warning board of 21400 m (cell 405 begins at 20200).
    EXPECT_EQ(riga_con(e.uscita, "cell 84 "),
              "cell 84 from 4150 m: tipo=1 (signal) dato1=43 (s1 4, d1 3) dato2=11 (s2 1, d2 1) "
              "dato4=5 (rapp 0, sx\u00b73+dx 5) velocita=20 (100 km/h) pendenza=100 (0 \u2030) "
              "aderenza=100");
    EXPECT_EQ(riga_con(e.uscita, "cell 405 "),
              "cell 405 from 20200 m: tipo=4 (slowdown warning board) dato1=50 (50 km/h) "
              "montagna=2 velocita=14 (70 km/h) pendenza=135 (+35 \u2030) aderenza=78");
    // A maximum-speed board: each category's two speeds, and the stripes.
    const std::string cartello = riga_con(e.uscita, "cell 11 ");
    EXPECT_EQ(cartello.rfind(
                  "cell 11 from 500 m: tipo=6 (maximum-speed board) dato1=2020 (A: s 100 km/h, d "
                  "100 km/h) dato2=2121 (B: s 105 km/h, d 105 km/h) dato3=2222 (C: s 110 km/h, "
                  "d 110 km/h)",
                  0),
              0u)
        << cartello;

    prova::esito_strumento tutti =
        strumento({"dump", del_programma("Lerno_Castelbrum_Pusena_27364.dat"), "--all"});
    EXPECT_EQ(riga_con(tutti.uscita, "cell 84 "),
              "cell 84 from 4150 m: tipo=1 (signal) dato1=43 (s1 4, d1 3) dato2=11 (s2 1, d2 1) "
              "dato3=0 (s3 0, d3 0) dato4=5 (rapp 0, sx\u00b73+dx 5) tempo=0 preavviso=0 "
              "montagna=0 velocita=20 (100 km/h) pendenza=100 (0 \u2030) aderenza=100");
}

TEST(Dump, RecordConNomiInUtf8) {
    prova::esito_strumento e =
        strumento({"dump", del_programma("Lerno_Castelbrum_Pusena_27364.sim")});
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_EQ(riga_con(e.uscita, "record 2:"),
              "record 2: tipo=25 inizio=5700 fine=5900 posizione=5800 nome=\"2\u00b0 bivio LERNO "
              "NORD\" voce_13=1");
    EXPECT_EQ(riga_con(e.uscita, "record 80:"), "record 80: nome=\"(DEV. U.)\"");
    EXPECT_NE(riga_con(e.uscita, "record 85:").find("nome=\"Lerno_Castelbrum_Pusena\" voce_7=610"),
              std::string::npos);
}

TEST(Dump, GeometriaOgniNMetri) {
    prova::esito_strumento e =
        strumento({"dump", del_programma("Lerno_Castelbrum_Pusena_linea.dat"), "--step", "1000"});
    ASSERT_EQ(e.stato, 0) << e.errori;
    // Metres 0, 1000, ... 64000 of 64001.
    EXPECT_EQ(std::count(e.uscita.begin(), e.uscita.end(), '\n'), 1 + 65);
    EXPECT_EQ(riga_con(e.uscita, "metre 0:"), "metre 0: x int16 0, y int16 0");
    // The first curve starts after metre 600: up to there the line runs along y, one per metre.
    prova::esito_strumento fitto =
        strumento({"dump", del_programma("Lerno_Castelbrum_Pusena_linea.dat"), "--step", "300"});
    EXPECT_EQ(riga_con(fitto.uscita, "metre 600:"), "metre 600: x double 0, y double 600");
    EXPECT_EQ(riga_con(e.uscita, "metre 64000:"), "metre 64000: x empty, y empty");
}

// dump walks the geometry file in place; what it prints is what the decoded geometry gives.
TEST(Dump, GeometriaInPostoComeQuellaDecodificata) {
    const std::string byte =
        prova::leggi_tutto(prova::file_del_programma() / "Lerno_Castelbrum_Pusena_linea.dat");
    const profilo_linea decodificata = formato::decodifica_geometria(byte);
    const formato::geometria_in_byte in_posto(byte);
    for (bool json : {false, true}) {
        for (std::int32_t passo : {1, 7, 1000}) {
            strumento::opzioni_dump opzioni;
            opzioni.json = json;
            opzioni.passo = passo;
            std::ostringstream a, b;
            strumento::stampa_geometria(decodificata, opzioni, a);
            strumento::stampa_geometria(in_posto, opzioni, b);
            EXPECT_EQ(a.str(), b.str()) << json << " " << passo;
        }
    }
}

TEST(Dump, JsonConLeStesseInformazioni) {
    prova::esito_strumento e =
        strumento({"dump", del_programma("Lerno_Castelbrum_Pusena_27364.dat"), "--json"});
    ASSERT_EQ(e.stato, 0) << e.errori;
    EXPECT_NE(e.uscita.find("{\"cell\":84,\"from_m\":4150,\"tipo\":1,\"dato1\":43,\"dato2\":11,"
                            "\"dato4\":5,\"velocita\":20,\"pendenza\":100,\"aderenza\":100}"),
              std::string::npos);
    prova::esito_strumento sim =
        strumento({"dump", del_programma("Lerno_Castelbrum_Pusena_27364.sim"), "--json"});
    EXPECT_NE(sim.uscita.find("\"nome\":\"2\u00b0 bivio LERNO NORD\""), std::string::npos);
}

// Every JSON form must load in a real parser; checked where python3 is installed.
TEST(Dump, JsonBenFormato) {
    if (prova::esegui_comando("command -v python3 > /dev/null 2>&1") != 0) {
        GTEST_SKIP() << "python3 not installed";
    }
    cartella_temporanea dir;
    const std::vector<std::vector<std::string>> comandi = {
        {"dump", del_programma("Lerno_Castelbrum_Pusena_27364.dat"), "--json", "--all"},
        {"dump", del_programma("Lerno_Castelbrum_Pusena_27364.sim"), "--json", "--all"},
        {"dump", del_programma("Lerno_Castelbrum_Pusena_linea.dat"), "--json", "--step", "97"},
    };
    for (const auto& comando : comandi) {
        prova::esito_strumento e = strumento(comando);
        ASSERT_EQ(e.stato, 0) << e.errori;
        prova::scrivi_tutto(dir / "dump.json", e.uscita);
        EXPECT_EQ(
            prova::esegui_comando("python3 -c 'import json,sys; json.load(open(sys.argv[1]))' " +
                                  prova::virgolette(dir / "dump.json")),
            0)
            << comando[1];
    }
}

TEST(Dump, FileMalformatoEStato65ConLOffset) {
    cartella_temporanea dir;
    prova::scrivi_tutto(dir / "corto.dat", std::string(20, '\0'));
    prova::esito_strumento e = strumento({"dump", (dir / "corto.dat").string()});
    EXPECT_EQ(e.stato, 65);
    EXPECT_EQ(e.uscita, "");
    EXPECT_NE(e.errori.find((dir / "corto.dat").string() + ": byte offset 15: cell 1 cut short"),
              std::string::npos)
        << e.errori;
}

TEST(Dump, IlTipoDalNome) {
    cartella_temporanea dir;
    // "_linea.dat" wins over ".dat": 8 bytes are two whole geometry elements, not a cell file.
    prova::scrivi_tutto(dir / "X_linea.dat", std::string("\x02\x00\x07\x00\x02\x00\x09\x00", 8));
    prova::esito_strumento e = strumento({"dump", (dir / "X_linea.dat").string()});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_NE(e.uscita.find("metre 0: x int16 7, y int16 9"), std::string::npos) << e.uscita;

    e = strumento({"dump", (dir / "X.txt").string()});
    EXPECT_EQ(e.stato, 64);
    EXPECT_NE(e.errori.find("_linea.dat, .dat or .sim"), std::string::npos) << e.errori;
}

TEST(Dump, FileAssenteEStato3) {
    cartella_temporanea dir;
    prova::esito_strumento e = strumento({"dump", (dir / "manca.sim").string()});
    EXPECT_EQ(e.stato, 3);
    EXPECT_NE(e.errori.find("cannot read " + (dir / "manca.sim").string()), std::string::npos);
}

}  // namespace
}  // namespace scenario
