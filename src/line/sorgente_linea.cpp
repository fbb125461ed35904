#include "line/sorgente_linea.h"

#include <iterator>

#include "model/nomi_file.h"
#include "textfile/scrittore_testo.h"

namespace scenario {

namespace {

// The line source, one entry per line, blanks included exactly as written to the file (the
// reader skips the blanks before every field, so they only matter to a person reading it).
constexpr const char* righe_linea[] = {
    // Length, chainage systems, backgrounds, cab-signal section.
    "[generale]",
    "lunghezza percorso,    57000",
    "progressiva chilometrica uno,    0,    82500,    0",
    "progressiva chilometrica due,    13550,    -13550,    0",
    "progressiva chilometrica tre,    0,    0,    0",
    "sfondo uno,    1",
    "sfondo due,    13550",
    "sfondo tre,    16400",
    "ripetizione segnali 4 codici,    500,    7450",

    // Curves: start, length; none overlaps the next.
    "[curve]",
    "curvas4,  600,  500",
    "curvad4,  1900,  400",
    "curvad3,  3100,  350",
    "curvas4,  4300,  450",
    "curvad4,  5300,  300",
    "curvas2,  6700,  600",
    "curvad3,  8000,  400",
    "curvas4,  9200,  500",
    "curvad2,  10400,  350",
    "curvas3,  11600,  450",
    "curvad4,  12600,  300",
    "curvas6,  13200,  50",
    "curvad6,  13250,  50",
    "curvad4,  13900,  400",
    "curvas4,  14800,  350",
    "curvad3,  15700,  500",
    "curvas4,  16700,  300",
    "curvad4,  17600,  450",
    "curvas5,  18800,  250",
    "curvad5,  19600,  300",
    "curvas4,  20200,  200",
    "curvad4,  21100,  400",
    "curvas4,  22000,  350",
    "curvad5,  22900,  300",
    "curvas4,  23700,  450",
    "curvad4,  24600,  400",
    "curvas3,  25500,  300",
    "curvad4,  26300,  500",
    "curvas4,  27300,  350",
    "curvad3,  28200,  400",
    "curvas4,  29000,  300",
    "curvad4,  30400,  450",
    "curvas5,  31300,  350",
    "curvad4,  32200,  500",
    "curvas4,  33200,  400",
    "curvad3,  34100,  300",
    "curvas4,  35000,  450",
    "curvad4,  36000,  350",
    "curvas5,  36900,  400",
    "curvad4,  37800,  300",
    "curvas3,  38700,  500",
    "curvad5,  39800,  250",
    "curvas4,  40700,  400",
    "curvad2,  41750,  50",
    "curvad3,  41800,  200",
    "curvas4,  42700,  450",
    "curvad6,  44000,  300",
    "curvas2,  45500,  550",
    "curvad3,  47300,  400",
    "curvas4,  52000,  400",

    // Gradients: position, gradient in force from there on.
    "[pendenze]",
    "pendenza,   0,    0",
    "pendenza,  19300,   10",
    "pendenza,  19500,   35",
    "pendenza,  20300,   12",
    "pendenza,  20600,   3",
    "pendenza,  20950,   28",
    "pendenza,  22600,   30",
    "pendenza,  23400,   25",
    "pendenza,  24900,   27",
    "pendenza,  25600,   22",
    "pendenza,  27000,   24",
    "pendenza,  27800,   20",
    "pendenza,  28600,   14",
    "pendenza,  29400,   6",
    "pendenza,  29750,   2",
    "pendenza,  30200,   9",
    "pendenza,  31300,   -5",
    "pendenza,  31900,   -12",
    "pendenza,  32600,   -18",
    "pendenza,  33300,   -15",
    "pendenza,  34100,   -20",
    "pendenza,  34900,   -16",
    "pendenza,  36500,   -17",
    "pendenza,  37300,   -21",
    "pendenza,  38900,   -9",
    "pendenza,  39600,   -4",
    "pendenza,  40050,   0",
    "pendenza,  40600,   -8",
    "pendenza,  41300,   -13",
    "pendenza,  42150,   -22",
    "pendenza,  42900,   -19",
    "pendenza,  43700,   -12",
    "pendenza,  44500,   -7",
    "pendenza,  45400,   -3",
    "pendenza,  46300,   2",
    "pendenza,  47200,   5",
    "pendenza,  49000,   -6",
    "pendenza,  50000,   1",
    "pendenza,  51200,   4",
    "pendenza,  52600,   0",
    "pendenza,  53500,   3",
    "pendenza,  55400,   11",
    "pendenza,  56200,   7",

    // Mountains: start, end, kind (above 10: with markers).
    "[montagne]",
    "montagna,   2800,  3250,  2",
    "montagna,   20250,  20800,  12",
    "montagna,   21600,  22000,  2",
    "montagna,   40650,  41250,  12",
    "montagna,   45550,  45650,  12",

    // Maximum-speed indicator boards: position, "s" speeds A B C, stripes, "d" set.
    "[cartelli]",
    "indicatori_vmax,  500,  100,  105,  110,  0,  100,  105,  110,  0",
    "indicatori_vmax,  13750,  90,  90,  90,  0,  ,  ,  ,  0",
    "indicatori_vmax,  18550,  70,  75,  80,  0,  ,  ,  ,  0",
    "indicatori_vmax,  20950,  80,  85,  90,  0,  ,  ,  ,  0",
    "indicatori_vmax,  26550,  85,  90,  95,  0,  ,  ,  ,  0",
    "indicatori_vmax,  29500,  80,  85,  90,  0,  ,  ,  ,  0",
    "indicatori_vmax,  31550,  85,  90,  95,  0,  ,  ,  ,  0",
    "indicatori_vmax,  35450,  80,  85,  90,  0,  ,  ,  ,  0",
    "indicatori_vmax,  39550,  70,  75,  80,  0,  ,  ,  ,  0",
    "indicatori_vmax,  44550,  85,  90,  95,  0,  ,  ,  ,  0",
    "indicatori_vmax,  49300,  65,  70,  80,  2,  ,  ,  ,  0",
    "indicatori_vmax,  49500,  65,  70,  80,  1,  ,  ,  ,  0",
    "indicatori_vmax,  49700,  65,  70,  80,  0,  ,  ,  ,  0",

    // Indication boards: position, text of one to three groups.
    "[indicazioni]",
    "cartello_indicatore,  550,   (DEV. U.)",
    "cartello_indicatore,  2350,   (______)(______)(______)",
    "cartello_indicatore,  2400,   (P.L.A.  )(KM.84900)",
    "cartello_indicatore,  3500,   (GALL.)(ORSIO)",
    "cartello_indicatore,  7450,   (FINE)(COD )",
    "cartello_indicatore,  9650,   (______)(______)(______)",
    "cartello_indicatore,  9700,   (P.L.A.  )(KM.92200)",
    "cartello_indicatore,  10800,   (PONTE)(VARSELLA)",
    "cartello_indicatore,  15300,   (GALL.)(MONTE CRESO)",
    "cartello_indicatore,  17100,   (______)(______)(______)",
    "cartello_indicatore,  17150,   (P.L.A.  )(KM. 3600)",
    "cartello_indicatore,  19800,   (VIADOTTO)(CALVERA)",
    "cartello_indicatore,  22300,   (______)(______)(______)",
    "cartello_indicatore,  22350,   (P.L.A.  )(KM. 8800)",
    "cartello_indicatore,  25800,   (______)(______)(______)",
    "cartello_indicatore,  25850,   (P.L.A.  )(KM.12300)",
    "cartello_indicatore,  27050,   (GALL.)(PIANELLO)",
    "cartello_indicatore,  29600,   (P.L. KM)(16.035 )",
    "cartello_indicatore,  31950,   (PONTE)(RIO FOSCO)",
    "cartello_indicatore,  33400,   (______)(______)(______)",
    "cartello_indicatore,  33450,   (P.L.A.  )(KM.19900)",
    "cartello_indicatore,  36900,   (______)(______)(______)",
    "cartello_indicatore,  36950,   (P.L.A.  )(KM.23400)",
    "cartello_indicatore,  39300,   (BIVIO)(ROVAGNA)",

    // Carries no record: the reader never examines the last field.
    "[fine]",
};

}  // namespace

std::vector<std::string> elenco_sorgente_linea() {
    return con_marcatore(std::vector<std::string>(std::begin(righe_linea), std::end(righe_linea)));
}

void dati_linea(const stato_run& stato) {
    scrivi_file_testo(percorso_file(stato, nome_sorgente_linea(stato)), elenco_sorgente_linea());
}

}  // namespace scenario
