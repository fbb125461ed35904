#include "documents/documenti.h"
#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

// Wrapped by hand to at most 100 characters; a line that ends in a blank goes on in the next.
std::vector<std::string> elenco_note() {
    // clang-format off
    return con_marcatore({
        "Il treno 27364 è un espresso che porta da LERNO a PUSENA P.F. passando per il 2° Bivio Lerno Nord, ",
        "DORVANO, CASTELBRUM, GRUVICCANO e GROTTE S. MERVIO; a CASTELBRUM lascia la prima linea e prosegue ",
        "su quella per PUSENA, dove le progressive chilometriche ripartono da zero.",
        "L'orario è quello della stagione invernale: partenza da LERNO alle 9.42 e arrivo a PUSENA alle ",
        "10.40, con i margini di recupero indicati nella scheda treno.",
        "In testa c'è una locomotiva E626, con una percentuale di massa frenata del 105% e una massa ",
        "bloccata di 300T, i valori riportati nei riquadri della scheda. Le E626 hanno servito questa ",
        "linea per molti anni, al traino di viaggiatori e merci, e vi sono rimaste finché locomotive più ",
        "moderne non le hanno sostituite: con questo treno si torna ai tempi in cui erano di casa.",
        "",
        "Il viaggio non presenta situazioni particolarmente difficili; conviene però sapere che:",
        "- a DORVANO il treno viene trattenuto per qualche secondo prima di avere il via libera;",
        "- a CASTELBRUM il treno entra sul ramo deviato del deviatoio d'ingresso; sulla linea il ",
        "passaggio è riprodotto da una curva a S, che va percorsa con la velocità prescritta senza ",
        "forzare, perché da lì in poi la linea cambia e con essa le velocità ammesse;",
        "- all'uscita da GRUVICCANO la linea sale con una pendenza molto forte: chi la affronta male ",
        "  perde parecchi minuti oppure surriscalda il reostato di avviamento, per cui è bene salire ",
        "  di tacca con giudizio e non indugiare sulle posizioni di avviamento più del necessario;",
        "- il segnale di protezione di GROTTE S. MERVIO resta a via impedita per qualche secondo, ",
        "  perché in stazione un mezzo d'opera sta facendo manovra: bisogna quindi essere pronti a ",
        "  fermarsi davanti al segnale, che poi si dispone a via libera;",
        "- anche il segnale di protezione di PUSENA resta a via impedita per qualche secondo prima di ",
        "  disporsi a via libera, per cui l'arrivo al capolinea va preparato con calma;",
        "- dato che l'orario ha margini ampi, è stato aggiunto un rallentamento (vedi l'ordine allegato).",
        "",
        "",
        "Per le velocità massime consentite lungo la linea, tratta per tratta, si rimanda alle note ",
        "dello scenario precedente della stessa linea, dove sono descritte una per una.",
        "",
        "",
        "",
        "Buon viaggio e buon divertimento!",
        "Eventuali errori o imprecisioni dello scenario possono essere segnalati agli autori: ",
        "ogni osservazione sarà utile per migliorare le prossime uscite della linea.",
    });
    // clang-format on
}

void dati_note(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_note(stato)), elenco_note());
}

}  // namespace scenario
