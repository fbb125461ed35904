#include "tool/attesa_interruzione.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace scenario {
namespace {

using strumento::attesa_interruzione;

bool bloccato(int segnale) {
    sigset_t attuale;
    pthread_sigmask(SIG_SETMASK, nullptr, &attuale);
    return sigismember(&attuale, segnale) == 1;
}

// Ctrl-C and SIGTERM reach the waiting thread, not the process's default action; the stop is
// asked again until what it stops has started, and the mask is given back at the end.
TEST(AttesaInterruzione, UnSegnaleChiamaFermaFinoAQuandoRiesce) {
    for (int segnale : {SIGINT, SIGTERM}) {
        SCOPED_TRACE(strsignal(segnale));
        ASSERT_FALSE(bloccato(segnale));
        std::atomic<int> chiamate{0};
        {
            attesa_interruzione attesa([&chiamate] { return ++chiamate >= 3; });
            EXPECT_TRUE(bloccato(segnale));
            kill(getpid(), segnale);
            for (int n = 0; n < 500 && chiamate < 3; ++n) {
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
            }
            EXPECT_TRUE(attesa.ricevuta());
        }
        EXPECT_EQ(chiamate, 3);
        EXPECT_FALSE(bloccato(segnale));
    }
}

// A command that ends by itself: nothing is stopped, and no signal of the wait is left behind.
TEST(AttesaInterruzione, SenzaSegnaleNonFermaNulla) {
    std::atomic<int> chiamate{0};
    {
        attesa_interruzione attesa([&chiamate] {
            ++chiamate;
            return true;
        });
        EXPECT_FALSE(attesa.ricevuta());
    }
    EXPECT_EQ(chiamate, 0);
    EXPECT_FALSE(bloccato(SIGINT));
    EXPECT_FALSE(bloccato(SIGTERM));
    sigset_t in_attesa;
    sigpending(&in_attesa);
    EXPECT_EQ(sigismember(&in_attesa, SIGTERM), 0);
}

}  // namespace
}  // namespace scenario
