#include "textfile/blocco_cartella.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "model/guasto.h"
#include "support/cartella_temporanea.h"

namespace scenario {
namespace {

using namespace std::chrono_literals;
using prova::cartella_temporanea;

std::size_t voci(const cartella_temporanea& cartella) {
    return static_cast<std::size_t>(
        std::distance(std::filesystem::directory_iterator(cartella.percorso()),
                      std::filesystem::directory_iterator()));
}

// A folder held by one run is refused to another for the whole wait, which is told once; the
// folder gains nothing from being held.
TEST(BloccoCartella, UnaCartellaTenutaFaAttendereEPoiRifiuta) {
    cartella_temporanea cartella;
    int avvisi = 0;
    {
        blocco_cartella primo(cartella.percorso(), 0ms, [&] { ++avvisi; });
        EXPECT_EQ(avvisi, 0);
        const auto inizio = std::chrono::steady_clock::now();
        try {
            blocco_cartella secondo(cartella.percorso(), 200ms, [&] { ++avvisi; });
            ADD_FAILURE() << "la cartella è stata presa due volte";
        } catch (const cartella_occupata& e) {
            EXPECT_EQ(e.cartella(), cartella.percorso().string());
        }
        EXPECT_GE(std::chrono::steady_clock::now() - inizio, 200ms);
        EXPECT_EQ(avvisi, 1);
        EXPECT_EQ(voci(cartella), 0u);
    }
    // Released with its holder: taken at once, without a wait.
    blocco_cartella terzo(cartella.percorso(), 0ms, [&] { ++avvisi; });
    EXPECT_EQ(avvisi, 1);
    EXPECT_EQ(voci(cartella), 0u);
}

TEST(BloccoCartella, UnaRunInAttesaProsegueAppenaLaCartellaSiLibera) {
    cartella_temporanea cartella;
    auto primo = std::make_unique<blocco_cartella>(cartella.percorso(), 0ms, [] {});
    std::thread libera([&] {
        std::this_thread::sleep_for(100ms);
        primo.reset();
    });
    int avvisi = 0;
    EXPECT_NO_THROW(blocco_cartella(cartella.percorso(), 10s, [&] { ++avvisi; }));
    libera.join();
    EXPECT_EQ(avvisi, 1);
}

TEST(BloccoCartella, UnaCartellaAssenteEUnGuastoCheLaNomina) {
    cartella_temporanea cartella;
    try {
        blocco_cartella b(cartella / "manca", 0ms, [] {});
        FAIL() << "nessun guasto";
    } catch (const guasto_file& e) {
        EXPECT_EQ(e.file(), (cartella / "manca").string());
    }
}

}  // namespace
}  // namespace scenario
