#pragma once

#include <string>
#include <string_view>

namespace scenario {

// Every temporary file of this layer is named "~scenario-", twelve characters from a-z and 2-7,
// then ".tmp": never a name the run or an author gives a file, and short enough that a target
// whose own name the system accepts never fails because of its temporary's name.
inline constexpr std::string_view prefisso_temporaneo = "~scenario-";
inline constexpr std::string_view suffisso_temporaneo = ".tmp";
inline constexpr std::size_t lettere_casuali_temporaneo = 12;

// A new name, random and different at every call of the process (60 bits mixed from a count and
// a seed taken once from the system's random source, the process id and the clock).
std::string nuovo_nome_temporaneo();

// Whether a file name has exactly the form above.
bool e_nome_temporaneo(std::string_view nome);

}  // namespace scenario
