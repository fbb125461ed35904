#include "tool/uscita_standard.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <ostream>
#include <sstream>
#include <streambuf>

#include "banco_strumento.h"
#include "tool/strumento.h"

namespace scenario {
namespace {

using prova::cartella_temporanea;
using prova::leggi_tutto;
using prova::virgolette;

// A stream whose every write is refused, as a full disk refuses it.
class buffer_rifiutato : public std::streambuf {
  protected:
    int_type overflow(int_type) override { return traits_type::eof(); }
};

std::string del_programma(const std::string& nome) {
    return (prova::file_del_programma() / nome).string();
}

// Every command that prints: its output refused is status 3 with a message, never a silent 0.
TEST(UscitaStandard, OgniComandoCheStampaFinisceConStatoTreSeLUscitaRifiuta) {
    const std::vector<std::vector<std::string>> casi = {
        {"--help"},
        {"help"},
        {"help", "dump"},
        {"render", "--help"},
        {"dump", del_programma("Lerno_Castelbrum_Pusena_27364.dat")},
        {"dump", del_programma("Lerno_Castelbrum_Pusena_27364.sim"), "--json"},
        {"dump", del_programma("Lerno_Castelbrum_Pusena_linea.dat"), "--step", "1000"},
    };
    for (const auto& parole : casi) {
        SCOPED_TRACE(parole[0] + (parole.size() > 1 ? " " + parole[1] : ""));
        buffer_rifiutato rifiutato;
        std::ostream uscita(&rifiutato);
        std::ostringstream errori;
        EXPECT_EQ(strumento::esegui_strumento(parole, uscita, errori), 3);
        EXPECT_NE(errori.str().find("scenario-tool: cannot write to standard output"),
                  std::string::npos)
            << errori.str();
    }
}

TEST(UscitaStandard, IlBufferDiceLaRagioneDelSistema) {
    int pieno = ::open("/dev/full", O_WRONLY | O_CLOEXEC);
    ASSERT_NE(pieno, -1);
    {
        strumento::buffer_descrittore buffer(pieno);
        std::ostream uscita(&buffer);
        uscita << "cella 1\n";
        EXPECT_FALSE(uscita.flush());
        EXPECT_EQ(buffer.causa(), "No space left on device");
    }
    ::close(pieno);
}

// The real executable, as a shell redirects it.
TEST(UscitaStandard, EseguibileConDiscoPienoODescrittoreChiuso) {
    cartella_temporanea dir;
    const std::string strumento_ = virgolette(ESEGUIBILE_STRUMENTO);
    const std::string dat = virgolette(del_programma("Lerno_Castelbrum_Pusena_27364.dat"));
    struct caso {
        std::string comando;
        int stato;
        const char* causa;  // nullptr: nothing on standard error
    };
    const caso casi[] = {
        {strumento_ + " dump " + dat + " > /dev/full", 3, "No space left on device"},
        {strumento_ + " dump " + dat + " >&-", 3, "Bad file descriptor"},
        {strumento_ + " --help >&-", 3, "Bad file descriptor"},
        {strumento_ + " help compile > /dev/full", 3, "No space left on device"},
        // Nothing printed, nothing to refuse.
        {strumento_ + " sources " + virgolette(dir / "s") + " >&-", 0, nullptr},
    };
    for (const caso& c : casi) {
        SCOPED_TRACE(c.comando);
        EXPECT_EQ(prova::esegui_comando(c.comando + " 2> " + virgolette(dir / "e.txt")), c.stato);
        std::string errori = leggi_tutto(dir / "e.txt");
        if (c.causa != nullptr) {
            EXPECT_NE(errori.find(std::string("scenario-tool: cannot write to standard output: ") +
                                  c.causa + "\n"),
                      std::string::npos)
                << errori;
        } else {
            EXPECT_EQ(errori.find("standard output"), std::string::npos) << errori;
        }
    }
}

}  // namespace
}  // namespace scenario
