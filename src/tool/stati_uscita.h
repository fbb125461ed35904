#pragma once

namespace scenario::strumento {

// Exit statuses of scenario-tool (listed in the README, section "For scenario authors").
namespace uscita {
inline constexpr int riuscita = 0;           // done, no code recorded
inline constexpr int codice_registrato = 1;  // compile: files written, but a code was recorded
inline constexpr int nessun_file = 2;        // nothing written: compile stopped, sources refused
inline constexpr int guasto_sistema = 3;     // a file could not be read, written or renamed
inline constexpr int uso = 64;               // a mistake on the command line
// dump, render: not a well-formed compiled file: not a regular file, larger than a compilation
// writes, bytes not in the format, or cells or metres that disagree with the line length of the
// set's ".sim".
inline constexpr int file_malformato = 65;
}  // namespace uscita

}  // namespace scenario::strumento
