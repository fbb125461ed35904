#include "textfile/file_disco.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <memory>
#include <system_error>
#include <vector>

#include "model/guasto.h"
#include "textfile/nomi_temporanei.h"
#include "textfile/operazioni_file.h"

namespace scenario {

namespace {

// The streams leave errno as the system set it; 0 means that the stream failed on its own.
std::string causa_errno(int codice) {
    return codice != 0 ? std::strerror(codice) : "errore di ingresso/uscita";
}

void controlla(const std::error_code& errore, const std::filesystem::path& file) {
    if (errore) throw guasto_file(nome_leggibile(file), errore.message());
}

// The bytes of a file, straight into its temporary file; a failed write names the target.
class destinazione_temporaneo : public destinazione_byte {
  public:
    destinazione_temporaneo(file_temporaneo& temporaneo, const std::filesystem::path& file)
        : temporaneo_(temporaneo), file_(file) {}
    void ricevi(std::string_view byte) override { controlla(temporaneo_.scrivi(byte), file_); }

  private:
    file_temporaneo& temporaneo_;
    const std::filesystem::path& file_;
};

// The set's temporary files and the folders they live in, while the set is being replaced.
class sostituzione {
  public:
    explicit sostituzione(std::size_t quanti) { temporanei_.reserve(quanti); }
    sostituzione(const sostituzione&) = delete;
    sostituzione& operator=(const sostituzione&) = delete;

    // Removes every temporary file not yet renamed; a failure leaves nothing of the set behind.
    ~sostituzione() {
        for (voce& v : temporanei_) {
            if (v.rinominato || v.temporaneo.file().empty()) continue;
            if (v.temporaneo.aperto()) (void)v.temporaneo.chiudi();
            (void)elimina_file(v.temporaneo.file());
        }
    }

    // A complete, flushed and closed temporary file with the bytes `contenuto` produces.
    void scrivi(const file_prodotto& contenuto) {
        cartella_scrittura& cartella = cartella_di(contenuto.file);
        temporanei_.push_back(voce{&cartella, file_temporaneo(), false});
        file_temporaneo& t = temporanei_.back().temporaneo;
        controlla(cartella.crea_temporaneo(contenuto.file, t), contenuto.file);
        destinazione_temporaneo destinazione(t, contenuto.file);
        contenuto.produci(destinazione);
        // On the disk before the rename: after a power cut the target holds the old bytes or
        // the new ones, never an empty file.
        controlla(t.svuota(), contenuto.file);
        controlla(t.chiudi(), contenuto.file);
    }

    // A folder standing at a name would stop the renames half-way: it is found while nothing
    // has been replaced yet.
    void verifica_destinazioni() const {
        for (const voce& v : temporanei_) {
            if (v.cartella->cartella_al_posto_di(v.temporaneo.destinazione())) {
                throw guasto_file(nome_leggibile(v.temporaneo.destinazione()),
                                  std::strerror(EISDIR));
            }
        }
    }

    void rinomina_tutti() {
        for (voce& v : temporanei_) {
            controlla(v.cartella->rinomina(v.temporaneo), v.temporaneo.destinazione());
            v.rinominato = true;
        }
        // The renames themselves reach the disk only with their folder.
        for (const std::unique_ptr<cartella_scrittura>& c : cartelle_) {
            controlla(c->svuota(), c->percorso());
        }
    }

  private:
    struct voce {
        cartella_scrittura* cartella;
        file_temporaneo temporaneo;
        bool rinominato;
    };

    cartella_scrittura& cartella_di(const std::filesystem::path& file) {
        std::filesystem::path cartella = file.parent_path();
        if (cartella.empty()) cartella = ".";
        for (const std::unique_ptr<cartella_scrittura>& c : cartelle_) {
            if (c->percorso() == cartella) return *c;
        }
        std::error_code errore;
        auto nuova = std::make_unique<cartella_scrittura>(cartella, errore);
        controlla(errore, file);
        cartelle_.push_back(std::move(nuova));
        return *cartelle_.back();
    }

    // Declared first, destroyed last: the temporary files are removed while their folders are
    // still open.
    std::vector<std::unique_ptr<cartella_scrittura>> cartelle_;
    std::vector<voce> temporanei_;
};

}  // namespace

std::string nome_leggibile(const std::filesystem::path& file) {
    std::filesystem::path copia = file;
    return copia.make_preferred().string();
}

void sostituisci_file(const std::filesystem::path& file, std::string_view contenuto) {
    sostituisci_file({contenuto_file{file, contenuto}});
}

void sostituisci_file(const std::vector<contenuto_file>& insieme) {
    std::vector<file_prodotto> prodotti;
    prodotti.reserve(insieme.size());
    for (const contenuto_file& voce : insieme) {
        prodotti.push_back(
            {voce.file, [&voce](destinazione_byte& d) { d.ricevi(voce.contenuto); }});
    }
    sostituisci_file(prodotti);
}

void sostituisci_file(const std::vector<file_prodotto>& insieme) {
    sostituzione s(insieme.size());
    for (const file_prodotto& voce : insieme) s.scrivi(voce);
    s.verifica_destinazioni();
    s.rinomina_tutti();
}

std::string leggi_file(const std::filesystem::path& file) {
    errno = 0;
    std::ifstream f(file, std::ios::binary);
    if (!f.is_open()) throw guasto_file(nome_leggibile(file), causa_errno(errno));
    std::string contenuto;
    char blocco[65536];
    // A read error sets badbit here rather than escaping as an exception of the stream buffer.
    while (f.read(blocco, sizeof blocco) || f.gcount() > 0) {
        contenuto.append(blocco, static_cast<std::size_t>(f.gcount()));
    }
    if (f.bad()) throw guasto_file(nome_leggibile(file), causa_errno(errno));
    return contenuto;
}

void elimina_se_esiste(const std::filesystem::path& file) {
    std::error_code errore = elimina_file(file);
    if (errore && errore != std::errc::no_such_file_or_directory) {
        throw guasto_file(nome_leggibile(file), errore.message());
    }
}

void elimina_senza_guasto(const std::filesystem::path& file) { (void)elimina_file(file); }

void rimuovi_temporanei_rimasti(const std::filesystem::path& cartella) {
    std::error_code errore;
    std::filesystem::directory_iterator voci(cartella, errore);
    if (errore) return;
    std::vector<std::filesystem::path> rimasti;
    for (const std::filesystem::directory_entry& voce : voci) {
        // Only a plain file of ours: a link or a folder with such a name was put there by
        // someone else.
        if (e_nome_temporaneo(voce.path().filename().string()) && voce.is_regular_file(errore) &&
            !voce.is_symlink(errore)) {
            rimasti.push_back(voce.path());
        }
    }
    for (const std::filesystem::path& file : rimasti) elimina_senza_guasto(file);
}

}  // namespace scenario
