#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "model/profilo_linea.h"

namespace scenario::formato {

// The geometry of a "_linea.dat" file read in place, for walking it metre by metre without a
// decoded copy: the memory is the file's own bytes. The file is checked whole at construction,
// as decodifica_geometria checks it. Each component keeps a cursor that moves forwards, so a
// walk by increasing metre costs one pass; going back starts that component again.
class geometria_in_byte {
  public:
    explicit geometria_in_byte(std::string byte);

    std::int32_t ultimo_metro() const { return static_cast<std::int32_t>(metri_) - 1; }
    profilo_linea::tipo_valore tipo(long long metro, int componente) const;
    // As profilo_linea::valore: an empty element reads as 0.
    double valore(long long metro, int componente) const;

  private:
    struct cursore {
        std::size_t metro = 0;
        std::size_t offset = 0;
    };
    const cursore& porta(long long metro, int componente) const;

    std::string byte_;
    std::size_t metri_ = 0;
    std::array<std::size_t, 2> inizio_{};  // offset of metre 0 of each component
    mutable std::array<cursore, 2> cursori_{};
};

}  // namespace scenario::formato
