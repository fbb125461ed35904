#include "line/lettore_linea.h"

namespace scenario {

esito_linea leggi_sorgente_linea(stato_run&) { return {}; }

}  // namespace scenario
