#include "textfile/nomi_temporanei.h"

#include <atomic>
#include <chrono>
#include <cstdint>
#include <random>

#ifdef _WIN32
#include <process.h>
#else
#include <unistd.h>
#endif

namespace scenario {

namespace {

constexpr std::string_view alfabeto = "abcdefghijklmnopqrstuvwxyz234567";

std::uint64_t seme() {
    std::random_device casuale;
    std::uint64_t s = (static_cast<std::uint64_t>(casuale()) << 32) ^ casuale();
#ifdef _WIN32
    s ^= static_cast<std::uint64_t>(_getpid()) << 16;
#else
    s ^= static_cast<std::uint64_t>(getpid()) << 16;
#endif
    s ^= static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
    return s;
}

// splitmix64: consecutive counts give unrelated bits, and a shared atomic counter needs no lock
// (the Windows toolchain has no std::mutex).
std::uint64_t mescola(std::uint64_t x) {
    x += 0x9E3779B97F4A7C15ULL;
    x = (x ^ (x >> 30)) * 0xBF58476D1CE4E5B9ULL;
    x = (x ^ (x >> 27)) * 0x94D049BB133111EBULL;
    return x ^ (x >> 31);
}

}  // namespace

std::string nuovo_nome_temporaneo() {
    static const std::uint64_t base = seme();
    static std::atomic<std::uint64_t> contatore{0};
    std::uint64_t bit = mescola(base + contatore.fetch_add(1));
    std::string nome(prefisso_temporaneo);
    for (std::size_t n = 0; n < lettere_casuali_temporaneo; ++n) {
        nome += alfabeto[bit & 31U];
        bit >>= 5;
    }
    nome += suffisso_temporaneo;
    return nome;
}

bool e_nome_temporaneo(std::string_view nome) {
    if (nome.size() !=
        prefisso_temporaneo.size() + lettere_casuali_temporaneo + suffisso_temporaneo.size()) {
        return false;
    }
    if (nome.substr(0, prefisso_temporaneo.size()) != prefisso_temporaneo) return false;
    if (nome.substr(nome.size() - suffisso_temporaneo.size()) != suffisso_temporaneo) return false;
    std::string_view lettere = nome.substr(prefisso_temporaneo.size(), lettere_casuali_temporaneo);
    return lettere.find_first_not_of(alfabeto) == std::string_view::npos;
}

}  // namespace scenario
