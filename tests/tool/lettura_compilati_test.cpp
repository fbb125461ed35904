#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>

#include "banco_strumento.h"
#include "model/guasto.h"
#include "output/formato_file.h"
#include "tool/lettura_regolare.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::strumento;

const std::string file_dat = "Lerno_Castelbrum_Pusena_27364.dat";
const std::string file_sim = "Lerno_Castelbrum_Pusena_27364.sim";
const std::string file_linea = "Lerno_Castelbrum_Pusena_linea.dat";

void copia_insieme(const std::filesystem::path& dir) {
    for (const std::string& nome : {file_dat, file_sim, file_linea}) {
        std::filesystem::copy_file(prova::file_del_programma() / nome, dir / nome);
    }
}

void taglia(const std::filesystem::path& file, std::size_t byte_in_meno) {
    std::filesystem::resize_file(file, std::filesystem::file_size(file) - byte_in_meno);
}

void sostituisci_con_fifo(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
}

void sostituisci_con_zero(const std::filesystem::path& file) {
    std::filesystem::remove(file);
    std::filesystem::create_symlink("/dev/zero", file);
}

// Record 84's `fine` (the line length) in the built-in .sim: after 84 records and their names.
void scrivi_lunghezza(const std::filesystem::path& sim, std::int32_t lunghezza) {
    std::string byte = prova::leggi_tutto(sim);
    std::size_t dove = 0;
    for (int n = 0; n < 84; ++n) {
        auto nome = static_cast<unsigned char>(byte.at(dove + 14)) |
                    static_cast<unsigned char>(byte.at(dove + 15)) << 8;
        dove += 34 + static_cast<std::size_t>(nome);
    }
    for (std::size_t b = 0; b < 4; ++b) {
        byte.at(dove + 5 + b) = static_cast<char>(static_cast<std::uint32_t>(lunghezza) >> (8 * b));
    }
    prova::scrivi_tutto(sim, byte);
}

// One fixture per promise: the set is copied from the program's run, one file spoilt, and the
// file named is dumped.
struct caso_dump {
    const char* nome;
    std::string file;
    std::function<void(const std::filesystem::path&)> guasta;
    const char* messaggio;
};

const caso_dump casi_dump[] = {
    {"Fifo", file_dat, sostituisci_con_fifo, "a FIFO, not a regular file"},
    {"LinkADevZero", file_linea, sostituisci_con_zero, "a character device, not a regular file"},
    {"CartellaAlPostoDelFile", file_sim,
     [](const std::filesystem::path& f) {
         std::filesystem::remove(f);
         std::filesystem::create_directory(f);
     },
     "a folder, not a regular file"},
    {"SimPiuGrandeDelMassimo", file_sim,
     [](const std::filesystem::path& f) {
         std::filesystem::resize_file(f, formato::byte_punti_massimo + 1);
     },
     "2853688 bytes, more than the 2853687 bytes a compilation writes"},
    {"GeometriaDa100MB", file_linea,
     [](const std::filesystem::path& f) { std::filesystem::resize_file(f, 100'000'000); },
     "100000000 bytes, more than the 20140020 bytes"},
    {"DatTagliatoAUnaCellaIntera", file_dat, [](const std::filesystem::path& f) { taglia(f, 15); },
     "1280 track cells, but the line length of 57000 m in "},
    // The last two elements are empty: 4 bytes less are 64000 whole metres a component.
    {"GeometriaTagliataANumeroPari", file_linea,
     [](const std::filesystem::path& f) { taglia(f, 4); },
     "64000 metres of geometry, but the line length of 57000 m in "},
    {"LunghezzaCheNessunaCompilazioneScrive", file_sim,
     [](const std::filesystem::path& f) { scrivi_lunghezza(f, 2000000); },
     "line length 2000000 m, outside the -6974 to 1000000 m a compilation writes"},
};

void PrintTo(const caso_dump& caso, std::ostream* out) { *out << caso.nome; }

class DumpRifiuta : public ::testing::TestWithParam<caso_dump> {};

TEST_P(DumpRifiuta, ConStato65NomeDelFileEMotivo) {
    const caso_dump& caso = GetParam();
    cartella_temporanea dir;
    copia_insieme(dir.percorso());
    caso.guasta(dir / caso.file);
    prova::esito_strumento e = strumento({"dump", (dir / caso.file).string()});
    EXPECT_EQ(e.stato, 65) << e.errori;
    EXPECT_EQ(e.uscita, "");
    EXPECT_EQ(e.errori.rfind("scenario-tool dump: " + (dir / caso.file).string() + ": ", 0), 0u)
        << e.errori;
    EXPECT_NE(e.errori.find(caso.messaggio), std::string::npos) << e.errori;
}

INSTANTIATE_TEST_SUITE_P(Casi, DumpRifiuta, ::testing::ValuesIn(casi_dump),
                         [](const auto& info) { return std::string(info.param.nome); });

TEST_P(DumpRifiuta, AncheRenderConStato65SenzaPagina) {
    const caso_dump& caso = GetParam();
    cartella_temporanea dir;
    copia_insieme(dir.percorso());
    caso.guasta(dir / caso.file);
    prova::esito_strumento e =
        strumento({"render", dir.percorso().string(), "--scenario", prova::scenario_incorporato,
                   "--train", prova::treno_incorporato, "-o", (dir / "s.svg").string()});
    EXPECT_EQ(e.stato, 65) << e.errori;
    EXPECT_NE(e.errori.find((dir / caso.file).string() + ": "), std::string::npos) << e.errori;
    EXPECT_NE(e.errori.find(caso.messaggio), std::string::npos) << e.errori;
    EXPECT_FALSE(std::filesystem::exists(dir / "s.svg"));
}

// Without its record table beside it, a file is checked on its own; a .sim of another scenario
// whose name only begins the same way is not its set.
TEST(Dump, SenzaIlSuoSimNessunConfrontoDiInsieme) {
    cartella_temporanea dir;
    copia_insieme(dir.percorso());
    std::filesystem::rename(dir / file_linea, dir / "Lerno_linea.dat");
    taglia(dir / "Lerno_linea.dat", 4);
    prova::esito_strumento e =
        strumento({"dump", (dir / "Lerno_linea.dat").string(), "--step", "1000"});
    EXPECT_EQ(e.stato, 0) << e.errori;

    std::filesystem::remove(dir / file_sim);
    taglia(dir / file_dat, 15);
    e = strumento({"dump", (dir / file_dat).string()});
    EXPECT_EQ(e.stato, 0) << e.errori;
}

TEST(LetturaRegolare, LeggeFinoAlMassimoERifiutaOltre) {
    cartella_temporanea dir;
    prova::scrivi_tutto(dir / "f.dat", std::string(30, 'x'));
    EXPECT_EQ(strumento::leggi_file_regolare(dir / "f.dat", 30), std::string(30, 'x'));
    EXPECT_THROW((void)strumento::leggi_file_regolare(dir / "f.dat", 29),
                 strumento::file_rifiutato);
    prova::scrivi_tutto(dir / "vuoto.dat", "");
    EXPECT_EQ(strumento::leggi_file_regolare(dir / "vuoto.dat", 30), "");
    // A file that is not there is a failure of the system, as before (status 3).
    EXPECT_THROW((void)strumento::leggi_file_regolare(dir / "manca.dat", 30), guasto_file);
    // A link to a regular file is that file.
    std::filesystem::create_symlink(dir / "f.dat", dir / "link.dat");
    EXPECT_EQ(strumento::leggi_file_regolare(dir / "link.dat", 30).size(), 30u);
}

}  // namespace
}  // namespace scenario
