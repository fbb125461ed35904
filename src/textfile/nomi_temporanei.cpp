#include "textfile/nomi_temporanei.h"

#include <chrono>
#include <cstdint>
#include <mutex>
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
    s ^= static_cast<std::uint64_t>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return s;
}

}  // namespace

std::string nuovo_nome_temporaneo() {
    static std::mutex guardia;
    static std::mt19937_64 generatore(seme());
    std::uint64_t bit = 0;
    {
        std::lock_guard<std::mutex> chiave(guardia);
        bit = generatore();
    }
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
