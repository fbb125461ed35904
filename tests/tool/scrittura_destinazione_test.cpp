#include "tool/scrittura_destinazione.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <array>

#include "banco_strumento.h"
#include "model/guasto.h"

namespace scenario {
namespace {

namespace fs = std::filesystem;
using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::scrivi_tutto;
using strumento::scrivi_destinazione;

// A character device like /dev/null inside the test's folder, so that a faulty writer can
// only replace the copy. Without the right to make nodes, /dev/null itself.
fs::path dispositivo_nullo(const cartella_temporanea& dir) {
    fs::path nodo = dir / "nullo";
    if (::mknod(nodo.c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0) return nodo;
    return "/dev/null";
}

TEST(ScritturaDestinazione, UnFileRegolareESostituitoInUnPasso) {
    cartella_temporanea dir;
    scrivi_tutto(dir / "p.svg", std::string(5000, 'x'));
    int vecchio = ::open((dir / "p.svg").c_str(), O_RDONLY | O_CLOEXEC);
    ASSERT_NE(vecchio, -1);

    scrivi_destinazione(dir / "p.svg", "<svg/>");

    EXPECT_EQ(leggi_tutto(dir / "p.svg"), "<svg/>");
    // A reader that had the old file open still sees it whole: the new one took its name.
    std::array<char, 16> letti{};
    EXPECT_EQ(::read(vecchio, letti.data(), letti.size()), 16);
    EXPECT_EQ(letti[15], 'x');
    ::close(vecchio);
    for (const auto& voce : fs::directory_iterator(dir.percorso())) {
        EXPECT_EQ(voce.path().filename(), "p.svg");
    }
}

TEST(ScritturaDestinazione, UnLinkSimbolicoRestaLinkEIlBersaglioCambia) {
    cartella_temporanea dir;
    fs::create_directory(dir / "d");
    scrivi_tutto(dir / "d" / "vero.svg", "vecchio, piu' lungo del nuovo");
    fs::create_symlink("d/vero.svg", dir / "link.svg");
    fs::create_symlink("d/nuovo.svg", dir / "pendente.svg");

    scrivi_destinazione(dir / "link.svg", "<svg/>");
    scrivi_destinazione(dir / "pendente.svg", "<g/>");

    EXPECT_TRUE(fs::is_symlink(dir / "link.svg"));
    EXPECT_EQ(leggi_tutto(dir / "d" / "vero.svg"), "<svg/>");
    EXPECT_TRUE(fs::is_symlink(dir / "pendente.svg"));
    EXPECT_EQ(leggi_tutto(dir / "d" / "nuovo.svg"), "<g/>");
}

TEST(ScritturaDestinazione, UnaFifoRiceveIByteERestaFifo) {
    cartella_temporanea dir;
    fs::path fifo = dir / "fifo";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // Opened for reading first and without waiting, so that the writer finds a reader at once;
    // the page is smaller than the pipe's buffer.
    int lettore = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_NE(lettore, -1);

    const std::string pagina(3000, 's');
    scrivi_destinazione(fifo, pagina);

    std::string ricevuti(8000, '\0');
    ssize_t letti = ::read(lettore, ricevuti.data(), ricevuti.size());
    ::close(lettore);
    ASSERT_GE(letti, 0);
    ricevuti.resize(static_cast<std::size_t>(letti));
    EXPECT_EQ(ricevuti, pagina);
    EXPECT_TRUE(fs::is_fifo(fifo));
}

TEST(ScritturaDestinazione, RenderScriveAttraversoUnDispositivo) {
    cartella_temporanea dir;
    fs::path nodo = dispositivo_nullo(dir);
    prova::esito_strumento e = prova::strumento(
        {"render", prova::file_del_programma().string(), "--scenario", prova::scenario_incorporato,
         "--train", prova::treno_incorporato, "-o", nodo.string()});
    EXPECT_EQ(e.stato, 0) << e.errori;
    EXPECT_TRUE(fs::is_character_file(nodo));
    // Nothing was left beside it either.
    if (nodo.parent_path() == dir.percorso()) {
        for (const auto& voce : fs::directory_iterator(dir.percorso())) {
            EXPECT_EQ(voce.path().filename(), "nullo");
        }
    }
}

TEST(ScritturaDestinazione, UnaCartellaOUnaCartellaAssenteSonoGuastiConLaRagione) {
    cartella_temporanea dir;
    fs::create_directory(dir / "cartella.svg");
    struct caso {
        fs::path file;
        const char* causa;
    };
    const caso casi[] = {{dir / "cartella.svg", "Is a directory"},
                         {dir / "manca" / "p.svg", "No such file or directory"}};
    for (const caso& c : casi) {
        try {
            scrivi_destinazione(c.file, "<svg/>");
            ADD_FAILURE() << c.file << " written";
        } catch (const guasto_file& e) {
            EXPECT_EQ(e.causa(), c.causa) << c.file;
        }
    }
}

}  // namespace
}  // namespace scenario
