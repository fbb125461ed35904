#pragma once

namespace scenario::strumento {

// Exit statuses of scenario-tool (listed in the README, section "For scenario authors").
namespace uscita {
inline constexpr int riuscita = 0;           // done, no code recorded
inline constexpr int codice_registrato = 1;  // compile: files written, but a code was recorded
inline constexpr int nessun_file = 2;        // nothing written: compile stopped, sources refused
inline constexpr int guasto_sistema = 3;     // a file could not be read, written or renamed
inline constexpr int uso = 64;               // a mistake on the command line
inline constexpr int file_malformato = 65;   // dump, render: not a well-formed compiled file
}  // namespace uscita

}  // namespace scenario::strumento
