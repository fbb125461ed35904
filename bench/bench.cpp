// Times the whole built-in run and the compilation of a synthetic line of the maximum length,
// headless, each in a child process so that its peak memory is its own; and the part of that
// time spent flushing files and folders to the disk.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "run/compilazione_privata.h"
#include "run/form_load.h"
#include "textfile/cartella_privata.h"
#include "textfile/sonda_file.h"
#include "verifica/verifica_sorgenti.h"

namespace {

using namespace scenario;

// The time spent in the flushes (fsync of each temporary file and of its folder), summed.
class tempo_svuotamenti : public osservatore_file {
  public:
    int prima(operazione_file operazione, const std::filesystem::path&,
              const std::filesystem::path&) override {
        if (operazione == operazione_file::svuota) inizio_ = std::chrono::steady_clock::now();
        return 0;
    }
    void dopo(operazione_file operazione, const std::filesystem::path&,
              const std::filesystem::path&) override {
        if (operazione != operazione_file::svuota) return;
        totale_ += std::chrono::steady_clock::now() - inizio_;
        ++quanti_;
    }
    double millisecondi() const {
        return std::chrono::duration<double, std::milli>(totale_).count();
    }
    long quanti() const { return quanti_; }

  private:
    std::chrono::steady_clock::time_point inizio_;
    std::chrono::steady_clock::duration totale_{};
    long quanti_ = 0;
};

std::string sorgente_linea_massima() {
    std::string s =
        "[generale]\r\nlunghezza percorso,    1000000\r\n"
        "progressiva chilometrica uno,    0,    0,    0\r\n"
        "ripetizione segnali 4 codici,    500,    900000\r\n[curve]\r\n";
    const char* classi[] = {"curvas1", "curvad2", "curvas3", "curvad4", "curvas5", "curvad6"};
    for (int n = 0; n < 990; ++n) {
        s += std::string(classi[n % 6]) + ",  " + std::to_string(1000 + n * 1000) + ",  " +
             std::to_string(50 + (n % 12) * 50) + "\r\n";
    }
    s += "[pendenze]\r\n";
    for (int n = 0; n < 1990; ++n) {
        s +=
            "pendenza,  " + std::to_string(n * 500) + ",   " + std::to_string(n % 57 - 22) + "\r\n";
    }
    s += "[montagne]\r\n";
    for (int n = 0; n < 80; ++n) {
        int inizio = 5000 + n * 12000;
        s += "montagna,   " + std::to_string(inizio) + ",  " + std::to_string(inizio + 3000) +
             ",  " + std::to_string(n % 2 == 0 ? 12 : 2) + "\r\n";
    }
    s += "[cartelli]\r\n";
    for (int n = 0; n < 1500; ++n) {
        s += "indicatori_vmax,  " + std::to_string(650 + n * 600) +
             ",  90,  90,  90,  0,  ,  ,  ,  0\r\n";
    }
    s += "[indicazioni]\r\n";
    for (int n = 0; n < 60; ++n) {
        s += "cartello_indicatore,  " + std::to_string(925 + n * 15000) + ",   (KM. " +
             std::to_string(n) + ")(______)\r\n";
    }
    return s + "[fine]\r\n";
}

std::string sorgente_treno_massima() {
    std::string s = "[generale]\r\nnumero vetture,    6\r\n[aderenze]\r\n";
    for (int n = 0; n < 1000; ++n) {
        s += "aderenza,   " + std::to_string(n * 990) + ",    " + std::to_string(80 + n % 20) +
             "\r\n";
    }
    s += "[vel_limite]\r\n";
    for (int n = 0; n < 1000; ++n) {
        s += "velocita,   " + std::to_string(n * 990) + ",    " +
             std::to_string(60 + (n % 10) * 5) + "\r\n";
    }
    s += "[stazioni]\r\n";
    for (int n = 0; n < 15; ++n) {
        s += "stazione,   " + std::to_string(1000 + n * 60000) +
             ",  24,  300,  0, 0, 0,  0,0,0,  4,1,1,    0,   0,0, 0, STAZIONE " +
             std::to_string(n) + "\r\n";
    }
    s += "[rallentamenti]\r\n";
    for (int n = 0; n < 100; ++n) {
        s += "rallentamento,   " + std::to_string(30450 + n * 9000) +
             ",    50,  1000, 0,  1,  0\r\n";
    }
    s += "[segnali]\r\n";
    for (int n = 0; n < 1000; ++n) {
        s += "segnale,    " + std::to_string(2000 + n * 1000) +
             ",   1, 4, 0,  0, 0,    0,  0,0,0, 0\r\n";
    }
    return s + "[fine]\r\n";
}

void run_integrata(const std::filesystem::path& cartella) {
    stato_run stato;
    piattaforma_muta schermo;
    esito_run esito = Form_Load(stato, schermo, cartella);
    if (esito.come != esito_run::fine::completata) {
        std::fprintf(stderr, "run integrata: %s\n", esito.diagnosi.c_str());
        std::exit(1);
    }
}

void linea_massima(const std::filesystem::path& cartella) {
    sorgenti_da_compilare sorgenti;
    sorgenti.nome_scenario = "Massima";
    sorgenti.numero_treno = "1";
    sorgenti.sorgente_linea = sorgente_linea_massima();
    sorgenti.sorgente_treno = sorgente_treno_massima();
    sorgenti.base = cartella;
    piattaforma_muta schermo;
    auto inizio = std::chrono::steady_clock::now();
    compilazione_privata compilazione(sorgenti, schermo);
    auto durata = std::chrono::steady_clock::now() - inizio;
    const stato_run& stato = compilazione.stato();
    if (!compilazione.file_scritti()) {
        std::fprintf(stderr, "linea massima: codice %d\n", stato.codice_errore);
        std::exit(1);
    }
    if (stato.codice_errore != 0)
        std::fprintf(stderr, "linea massima: codice %d alla posizione %d\n", stato.codice_errore,
                     stato.posizione_errore);
    std::printf("   (compilazione e file: %.1f ms)\n",
                std::chrono::duration<double, std::milli>(durata).count());
}

// check over the same sources: every reader in its keep-going mode, the geometry, the cell pass,
// no file written. The sources are clean, so a diagnostic here is a fault of the benchmark.
void verifica_massima(const std::filesystem::path& cartella) {
    sorgenti_da_compilare sorgenti;
    sorgenti.nome_scenario = "Massima";
    sorgenti.numero_treno = "1";
    sorgenti.sorgente_linea = sorgente_linea_massima();
    sorgenti.sorgente_treno = sorgente_treno_massima();
    sorgenti.base = cartella;
    std::vector<diagnostica> elenco = verifica_sorgenti(sorgenti);
    for (const diagnostica& d : elenco) {
        std::fprintf(stderr, "verifica massima: %s %d %s:%d:%d %s\n", nome_gravita(d.livello),
                     d.codice, d.file.c_str(), d.riga, d.colonna, d.messaggio.c_str());
    }
}

// Runs `caso` `volte` times in one child; prints the median wall time and the child's peak memory.
void misura(const char* nome, int volte,
            const std::function<void(const std::filesystem::path&)>& caso) {
    cartella_privata cartella("scenario_bench_");
    std::fflush(stdout);
    pid_t figlio = fork();
    if (figlio == 0) {
        tempo_svuotamenti svuotamenti;
        imposta_osservatore_file(&svuotamenti);
        std::vector<double> tempi;
        for (int n = 0; n < volte; ++n) {
            auto inizio = std::chrono::steady_clock::now();
            caso(cartella.percorso());
            tempi.push_back(
                std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - inizio)
                    .count());
        }
        std::sort(tempi.begin(), tempi.end());
        std::printf("%-28s mediana %8.1f ms  (min %.1f, max %.1f, %d volte)\n", nome,
                    tempi[tempi.size() / 2], tempi.front(), tempi.back(), volte);
        double totale = 0;
        for (double t : tempi) totale += t;
        std::printf("%-28s svuotamenti su disco: %.1f ms a run, %.0f%% del tempo (%ld a run)\n", "",
                    svuotamenti.millisecondi() / volte,
                    totale > 0 ? 100.0 * svuotamenti.millisecondi() / totale : 0.0,
                    svuotamenti.quanti() / volte);
        std::fflush(stdout);
        std::_Exit(0);
    }
    int stato = 0;
    rusage uso{};
    wait4(figlio, &stato, 0, &uso);
    std::printf("%-28s memoria di picco %.1f MB\n", "", uso.ru_maxrss / 1024.0);
    if (!WIFEXITED(stato) || WEXITSTATUS(stato) != 0) std::exit(1);
}

}  // namespace

// With "--una-volta" the maximum line is compiled once in this process, for a profiler.
int main(int argc, char** argv) {
    if (argc > 1 && std::string(argv[1]) == "--una-volta") {
        cartella_privata cartella("scenario_bench_");
        linea_massima(cartella.percorso());
        return 0;
    }
    misura("run integrata", 20, run_integrata);
    misura("linea di 1000000 m", 5, linea_massima);
    misura("check, linea di 1000000 m", 5, verifica_massima);
    return 0;
}
