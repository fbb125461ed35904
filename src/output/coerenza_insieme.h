#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/punto.h"

// The three compiled files of a scenario are one set: the line length in the record table
// (record 84, `fine`) fixes how many track cells and how many metres of geometry the other two
// hold. A file cut at a whole cell or at an even element count decodes on its own; only the set
// shows that it is short.
namespace scenario::formato {

// Two files of one set that disagree; the message gives both figures.
class insieme_incoerente : public std::runtime_error {
  public:
    explicit insieme_incoerente(const std::string& cosa) : std::runtime_error(cosa) {}
};

// The line length recorded in record 84 of decoded records. A length no compilation writes
// (below lunghezza_minima or above lunghezza_massima) is a file_malformato at its byte offset.
std::int32_t lunghezza_registrata(const std::vector<punto>& punti);

// insieme_incoerente when `celle` cells, or `metri` metres of geometry, are not what a line of
// `lunghezza` metres has. `file_sim` names the record table in the message.
void verifica_celle(std::int32_t lunghezza, std::size_t celle, const std::string& file_sim);
void verifica_metri(std::int32_t lunghezza, std::size_t metri, const std::string& file_sim);

}  // namespace scenario::formato
