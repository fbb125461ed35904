// Found by fuzzing: a station name longer than the 16-bit byte count of a ".sim" name used to pass
// the compiler and stop the run in the file writer. It is a run-time fault of the train reader
// (code 25 in the compiler), and the entry keeps no part of it.
#include <gtest/gtest.h>

#include <string>

#include "banco_treno.h"
#include "model/guasto.h"
#include "output/file_binari.h"

namespace scenario {
namespace {

std::string stazione_con_nome(const std::string& nome) {
    return "stazione, 1000, 24, 200, 0,0,0, 0,0,0, 0,0,0, 0, 0,0,0, " + nome;
}

TEST(TestiLunghiTreno, UnNomeDiStazioneOltreIlLimiteEUnGuasto) {
    prova::banco_treno entro;
    const std::string massimo(nome_massimo, 'N');
    entro.compila({stazione_con_nome(massimo)});
    EXPECT_EQ(entro.stato.punti[1].nome, massimo);
    EXPECT_NO_THROW(byte_punti(entro.stato));

    prova::banco_treno oltre;
    EXPECT_THROW(oltre.compila({stazione_con_nome(massimo + "N")}), guasto_esecuzione);
    EXPECT_EQ(oltre.stato.punti[1].nome, "");
    EXPECT_NO_THROW(byte_punti(oltre.stato));
}

}  // namespace
}  // namespace scenario
