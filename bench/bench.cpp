// Measures the program against the physical floor: a process that writes the same number of
// bytes into the same files, with the same flushes, renames and folder flushes, and computes
// nothing. Each case runs as whole processes, the measured one and its floor alternating, and
// prints the median of each, their ratio, and the peak memory against the largest output file.
// A ratio taken in one run stays comparable from machine to machine.
//
//   bench_scenario                 every case
//   bench_scenario --una-volta     the 1000000 m line compiled once in this process (a profiler)
//   bench_scenario --pavimento …   the floor itself (started by the cases)
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "line/sorgente_linea.h"
#include "model/nomi_file.h"
#include "run/compilazione_privata.h"
#include "textfile/cartella_privata.h"
#include "textfile/file_disco.h"
#include "textfile/scrittore_testo.h"
#include "train/sorgente_treno.h"
#include "verifica/verifica_sorgenti.h"

#ifndef PROGRAMMA
#error "PROGRAMMA: the program's executable"
#endif
#ifndef STRUMENTO
#error "STRUMENTO: scenario-tool's executable"
#endif

namespace {

using namespace scenario;
namespace fs = std::filesystem;

[[noreturn]] void fallito(const std::string& testo) {
    std::fprintf(stderr, "bench_scenario: %s\n", testo.c_str());
    std::exit(1);
}

// ---- The synthetic line: features at fixed spacings, so that its work grows with its length.
// At 1000000 m: 990 curves, 1990 gradients, 80 mountains, 1500 speed boards, 60 indication
// boards; the train 1000 adhesions, 1000 speeds, 15 stations, 100 slowdowns, 1000 signals.

std::string sorgente_linea_lunga(long metri) {
    std::string s = "[generale]\r\nlunghezza percorso,    " + std::to_string(metri) +
                    "\r\nprogressiva chilometrica uno,    0,    0,    0\r\n"
                    "ripetizione segnali 4 codici,    500,    " +
                    std::to_string(metri * 9 / 10) + "\r\n[curve]\r\n";
    const char* classi[] = {"curvas1", "curvad2", "curvas3", "curvad4", "curvas5", "curvad6"};
    for (long n = 0; n < metri / 1000 - 10; ++n) {
        s += std::string(classi[n % 6]) + ",  " + std::to_string(1000 + n * 1000) + ",  " +
             std::to_string(50 + (n % 12) * 50) + "\r\n";
    }
    s += "[pendenze]\r\n";
    for (long n = 0; n < metri / 500 - 10; ++n) {
        s +=
            "pendenza,  " + std::to_string(n * 500) + ",   " + std::to_string(n % 57 - 22) + "\r\n";
    }
    s += "[montagne]\r\n";
    for (long n = 0; n < metri / 12500; ++n) {
        long inizio = 5000 + n * 12000;
        s += "montagna,   " + std::to_string(inizio) + ",  " + std::to_string(inizio + 3000) +
             ",  " + std::to_string(n % 2 == 0 ? 12 : 2) + "\r\n";
    }
    s += "[cartelli]\r\n";
    for (long n = 0; n < metri * 3 / 2000; ++n) {
        s += "indicatori_vmax,  " + std::to_string(650 + n * 600) +
             ",  90,  90,  90,  0,  ,  ,  ,  0\r\n";
    }
    s += "[indicazioni]\r\n";
    for (long n = 0; n < metri * 6 / 100000; ++n) {
        s += "cartello_indicatore,  " + std::to_string(925 + n * 15000) + ",   (KM. " +
             std::to_string(n) + ")(______)\r\n";
    }
    return s + "[fine]\r\n";
}

std::string sorgente_treno_lunga(long metri) {
    std::string s = "[generale]\r\nnumero vetture,    6\r\n[aderenze]\r\n";
    for (long n = 0; n < metri / 1000; ++n) {
        s += "aderenza,   " + std::to_string(n * 990) + ",    " + std::to_string(80 + n % 20) +
             "\r\n";
    }
    s += "[vel_limite]\r\n";
    for (long n = 0; n < metri / 1000; ++n) {
        s += "velocita,   " + std::to_string(n * 990) + ",    " +
             std::to_string(60 + (n % 10) * 5) + "\r\n";
    }
    s += "[stazioni]\r\n";
    for (long n = 0; n < metri * 15 / 1000000; ++n) {
        s += "stazione,   " + std::to_string(1000 + n * 60000) +
             ",  24,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0,0, 0, STAZIONE " +
             std::to_string(n) + "\r\n";
    }
    s += "[rallentamenti]\r\n";
    for (long n = 0; n < metri / 10000; ++n) {
        s += "rallentamento,   " + std::to_string(30450 + n * 9000) +
             ",    50,  1000, 0,  1,  0\r\n";
    }
    s += "[segnali]\r\n";
    for (long n = 0; n < metri / 1000; ++n) {
        s += "segnale,    " + std::to_string(2000 + n * 1000) +
             ",   1, 4, 0,  0, 0,    0,  0,0,0, 0\r\n";
    }
    return s + "[fine]\r\n";
}

// ---- The floor: what the program does to the disk, and nothing else.
//
// Its arguments, in order: --pavimento FOLDER, then steps
//   l:NAME      read a file whole
//   f:NAME:N    replace one file with N bytes (temporary file, write, flush, close, rename,
//               flush of the folder: as every text file is written)
//   e:NAME      delete a file
//   i:NAME:N,NAME:N,...   replace a set together (the binary files)
int pavimento(int argc, char** argv) {
    if (argc < 3) fallito("--pavimento CARTELLA PASSI…");
    const fs::path cartella = argv[2];
    std::string zeri;
    auto byte = [&zeri](std::size_t n) {
        if (zeri.size() < n) zeri.resize(n, '\0');
        return std::string_view(zeri.data(), n);
    };
    for (int n = 3; n < argc; ++n) {
        const std::string passo = argv[n];
        const std::string resto = passo.substr(2);
        switch (passo[0]) {
            case 'l':
                (void)leggi_file(cartella / resto);
                break;
            case 'f': {
                const std::size_t due_punti = resto.rfind(':');
                sostituisci_file(cartella / resto.substr(0, due_punti),
                                 byte(std::stoul(resto.substr(due_punti + 1))));
                break;
            }
            case 'e':
                elimina_se_esiste(cartella / resto);
                break;
            case 'i': {
                std::vector<std::pair<std::string, std::size_t>> voci;
                std::size_t da = 0;
                while (da < resto.size()) {
                    std::size_t fine = resto.find(',', da);
                    if (fine == std::string::npos) fine = resto.size();
                    const std::string voce = resto.substr(da, fine - da);
                    const std::size_t due_punti = voce.rfind(':');
                    voci.emplace_back(voce.substr(0, due_punti),
                                      std::stoul(voce.substr(due_punti + 1)));
                    da = fine + 1;
                }
                std::size_t massimo = 0;
                for (const auto& v : voci) massimo = std::max(massimo, v.second);
                (void)byte(massimo);
                std::vector<contenuto_file> insieme;
                for (const auto& v : voci) insieme.push_back({cartella / v.first, byte(v.second)});
                sostituisci_file(insieme);
                break;
            }
            default:
                fallito("passo sconosciuto " + passo);
        }
    }
    return 0;
}

// ---- Whole processes, timed from fork to their end, with their own peak memory.

struct misura_processo {
    double millisecondi = 0;
    double mb_picco = 0;
};

misura_processo esegui(const std::vector<std::string>& argomenti, const fs::path& cartella) {
    std::vector<char*> argv;
    for (const std::string& a : argomenti) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    std::fflush(stdout);
    const auto inizio = std::chrono::steady_clock::now();
    const pid_t figlio = fork();
    if (figlio < 0) fallito("fork: " + std::string(std::strerror(errno)));
    if (figlio == 0) {
        // Headless, its messages kept out of the table.
        unsetenv("DISPLAY");
        if (chdir(cartella.c_str()) != 0) std::_Exit(126);
        if (std::freopen("/dev/null", "w", stderr) == nullptr) std::_Exit(126);
        execv(argv[0], argv.data());
        std::_Exit(127);
    }
    int stato = 0;
    rusage uso{};
    if (wait4(figlio, &stato, 0, &uso) < 0) fallito("wait4");
    const auto durata = std::chrono::steady_clock::now() - inizio;
    if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) {
        fallito(argomenti[0] + ": stato " + std::to_string(WEXITSTATUS(stato)));
    }
    return {std::chrono::duration<double, std::milli>(durata).count(), uso.ru_maxrss / 1024.0};
}

double mediana(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

std::string proprio_eseguibile() {
    std::error_code errore;
    fs::path p = fs::read_symlink("/proc/self/exe", errore);
    if (errore) fallito("/proc/self/exe: " + errore.message());
    return p.string();
}

std::uintmax_t dimensione(const fs::path& file) {
    std::error_code errore;
    std::uintmax_t n = fs::file_size(file, errore);
    if (errore) fallito(file.string() + ": " + errore.message());
    return n;
}

// Runs `lavoro` and `pavimento` alternately `volte` times each, and prints one row.
void caso(const char* nome, int volte, const std::function<misura_processo()>& lavoro,
          const std::function<misura_processo()>& solo_disco, double mb_uscita_massima) {
    std::vector<double> tempi, pavimenti;
    double picco = 0, picco_pavimento = 0;
    for (int n = 0; n < volte; ++n) {
        misura_processo m = lavoro();
        misura_processo p = solo_disco();
        tempi.push_back(m.millisecondi);
        pavimenti.push_back(p.millisecondi);
        picco = std::max(picco, m.mb_picco);
        picco_pavimento = std::max(picco_pavimento, p.mb_picco);
    }
    const double t = mediana(tempi), f = mediana(pavimenti);
    std::printf(
        "%-32s %8.1f ms  pavimento %7.1f ms  rapporto %4.2fx   (min %.1f / %.1f, %d volte)\n", nome,
        t, f, t / f, *std::min_element(tempi.begin(), tempi.end()),
        *std::min_element(pavimenti.begin(), pavimenti.end()), volte);
    std::printf(
        "%-32s memoria di picco %6.1f MB (pavimento %.1f MB), file più grande %.1f MB: "
        "%.2fx\n",
        "", picco, picco_pavimento, mb_uscita_massima, picco / mb_uscita_massima);
    std::fflush(stdout);
}

// The built-in run: the program in a folder of its own (it writes beside its executable).
void run_integrata(int volte) {
    cartella_privata cartella("scenario_bench_");
    const fs::path programma = cartella / "lerno_castelbrum_pusena";
    fs::copy_file(PROGRAMMA, programma);
    // One run first, for the sizes of what it writes.
    esegui({programma.string()}, cartella.percorso());
    const identita_file nomi{"Lerno_Castelbrum_Pusena", "27364"};
    auto f = [&](const std::string& nome) {
        return "f:" + nome + ":" + std::to_string(dimensione(cartella / nome));
    };
    const std::size_t linea = testo_da_elenco(elenco_sorgente_linea()).size();
    const std::size_t treno = testo_da_elenco(elenco_sorgente_treno()).size();
    const fs::path cartella_pavimento = cartella / "pavimento";
    fs::create_directory(cartella_pavimento);
    std::uintmax_t massimo = 0;
    std::string insieme = "i:";
    for (const std::string& nome :
         {nome_file_linea(nomi), nome_file_sim(nomi), nome_file_dat(nomi)}) {
        const std::uintmax_t n = dimensione(cartella / nome);
        massimo = std::max(massimo, n);
        insieme += (insieme.size() > 2 ? "," : "") + nome + ":" + std::to_string(n);
    }
    // As the program: three documents, the two sources, which it reads and deletes, the set.
    const std::vector<std::string> passi = {
        proprio_eseguibile(),
        "--pavimento",
        cartella_pavimento.string(),
        f(nome_note(nomi)),
        f(nome_rallentamenti(nomi)),
        f(nome_scheda(nomi)),
        "f:" + nome_sorgente_linea(nomi) + ":" + std::to_string(linea),
        "f:" + nome_sorgente_treno(nomi) + ":" + std::to_string(treno),
        "l:" + nome_sorgente_linea(nomi),
        "l:" + nome_sorgente_treno(nomi),
        "e:" + nome_sorgente_linea(nomi),
        "e:" + nome_sorgente_treno(nomi),
        insieme};
    caso(
        "run integrata", volte, [&] { return esegui({programma.string()}, cartella.percorso()); },
        [&] { return esegui(passi, cartella_pavimento); }, massimo / 1048576.0);
}

// `scenario-tool compile` of a synthetic line: it reads the two sources and writes the three
// files into the same folder.
void linea_lunga(long metri, int volte) {
    cartella_privata cartella("scenario_bench_");
    const std::string scenario = "Massima", treno = "1";
    const identita_file nomi{scenario, treno};
    sostituisci_file(cartella / nome_sorgente_linea(nomi), sorgente_linea_lunga(metri));
    sostituisci_file(cartella / nome_sorgente_treno(nomi), sorgente_treno_lunga(metri));
    const std::vector<std::string> comando = {STRUMENTO,    "compile", cartella.percorso().string(),
                                              "--scenario", scenario,  "--train",
                                              treno};
    esegui(comando, cartella.percorso());

    const fs::path cartella_pavimento = cartella / "pavimento";
    fs::create_directory(cartella_pavimento);
    std::string insieme = "i:";
    std::uintmax_t massimo = 0;
    for (const std::string& nome :
         {nome_file_linea(nomi), nome_file_sim(nomi), nome_file_dat(nomi)}) {
        const std::uintmax_t n = dimensione(cartella / nome);
        massimo = std::max(massimo, n);
        insieme += (insieme.size() > 2 ? "," : "") + nome + ":" + std::to_string(n);
        fs::copy_file(cartella / nome, cartella_pavimento / nome);
    }
    for (const std::string& nome : {nome_sorgente_linea(nomi), nome_sorgente_treno(nomi)}) {
        fs::copy_file(cartella / nome, cartella_pavimento / nome);
    }
    const std::vector<std::string> passi = {proprio_eseguibile(),
                                            "--pavimento",
                                            cartella_pavimento.string(),
                                            "l:" + nome_sorgente_linea(nomi),
                                            "l:" + nome_sorgente_treno(nomi),
                                            insieme};
    const std::string nome = "compile, linea di " + std::to_string(metri) + " m";
    caso(
        nome.c_str(), volte, [&] { return esegui(comando, cartella.percorso()); },
        [&] { return esegui(passi, cartella_pavimento); }, massimo / 1048576.0);
}

// check over the 1000000 m sources, in this process: every reader in its keep-going mode, the
// geometry, the cell pass, no file written. The sources are clean, so a diagnostic here is a
// fault of the benchmark.
void verifica_lunga(int volte) {
    sorgenti_da_compilare sorgenti;
    sorgenti.nome_scenario = "Massima";
    sorgenti.numero_treno = "1";
    sorgenti.sorgente_linea = sorgente_linea_lunga(1000000);
    sorgenti.sorgente_treno = sorgente_treno_lunga(1000000);
    std::vector<double> tempi;
    for (int n = 0; n < volte; ++n) {
        const auto inizio = std::chrono::steady_clock::now();
        std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti);
        tempi.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inizio)
                .count());
        for (const diagnostica& d : elenco) {
            fallito(std::string("check: ") + nome_gravita(d.livello) + " " +
                    std::to_string(d.codice) + " " + d.messaggio);
        }
    }
    std::printf("%-32s %8.1f ms  (in questo processo, nessun file)\n", "check, linea di 1000000 m",
                mediana(tempi));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--pavimento") return pavimento(argc, argv);
    if (argc > 1 && std::string(argv[1]) == "--una-volta") {
        sorgenti_da_compilare sorgenti;
        sorgenti.nome_scenario = "Massima";
        sorgenti.numero_treno = "1";
        sorgenti.sorgente_linea = sorgente_linea_lunga(1000000);
        sorgenti.sorgente_treno = sorgente_treno_lunga(1000000);
        piattaforma_muta schermo;
        compilazione_privata compilazione(sorgenti, schermo);
        return compilazione.file_scritti() ? 0 : 1;
    }
    run_integrata(31);
    for (long metri : {250000L, 500000L, 1000000L}) linea_lunga(metri, 11);
    verifica_lunga(5);
    return 0;
}
