// Replays a committed fuzzing corpus through its harness, built with the normal compiler and
// without libFuzzer: every file of the folders given, in name order, goes to the harness's
// LLVMFuzzerTestOneInput once. A finding aborts, as under libFuzzer; an empty or missing folder
// is a failure too, so that a corpus cannot silently stop being replayed.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* dati, std::size_t dimensione);

int main(int argc, char** argv) {
    if (argc < 2) {
        std::cerr << "uso: riproduci_corpus CARTELLA...\n";
        return 64;
    }
    for (int a = 1; a < argc; ++a) {
        const std::filesystem::path cartella = argv[a];
        std::error_code errore;
        std::vector<std::filesystem::path> file;
        for (const auto& voce : std::filesystem::directory_iterator(cartella, errore)) {
            if (voce.is_regular_file()) file.push_back(voce.path());
        }
        if (errore || file.empty()) {
            std::cerr << "riproduci_corpus: " << cartella.string() << ": "
                      << (errore ? errore.message() : "no input") << '\n';
            return 1;
        }
        std::sort(file.begin(), file.end());
        for (const std::filesystem::path& f : file) {
            std::ifstream in(f, std::ios::binary);
            const std::string byte((std::istreambuf_iterator<char>(in)),
                                   std::istreambuf_iterator<char>());
            if (!in.good() && !in.eof()) {
                std::cerr << "riproduci_corpus: cannot read " << f.string() << '\n';
                return 1;
            }
            // The name first: a finding aborts inside the call, and the log shows which input.
            std::cout << f.filename().string() << std::endl;
            (void)LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(byte.data()),
                                         byte.size());
        }
        std::cout << file.size() << " inputs from " << cartella.string() << '\n';
    }
    return 0;
}
