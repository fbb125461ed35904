#!/usr/bin/env bash
# CI: reliability under bad input and faults. The libFuzzer harnesses over the compiler, check
# and the readers of compiled files (AddressSanitizer and UndefinedBehaviorSanitizer built in)
# for about three minutes in all, then the real program under valgrind memcheck, once for a
# clean run and once for a file it cannot write.
# Any finding, crash, hang, memory excess or memcheck error fails the script.
# Longer local runs: FUZZ_SECONDI=600 bash .ci/fiabilita.sh (seconds per harness).
set -euo pipefail
cd "$(dirname "$0")/.."
radice=$(pwd)
inizio=$SECONDS

source .ci/comune.sh

echo "== dipendenze =="
bash scripts/installa_dipendenze.sh --fuzz

echo "== fuzzing =="
build=$radice/build-fiab
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DSCENARIO_FUZZ=ON -DSCENARIO_TESTS=OFF -DSCENARIO_WINDOW=OFF -DSCENARIO_WERROR=ON >/dev/null
cmake --build "$build" -j2 --target fuzz_linea fuzz_treno fuzz_entrambe fuzz_verifica \
    fuzz_decodifica fuzz_lsp semi_fuzz \
    >"$build/build.log" 2>&1 || { cat "$build/build.log"; fallito "build dei fuzzer"; }

# Seconds per harness: the line harness gets the most, its inputs being the slowest (up to
# 1000000 m of geometry each).
declare -A secondi=([linea]=50 [treno]=30 [entrambe]=40 [verifica]=30 [decodifica]=30 [lsp]=30)
# Each harness starts from its committed corpus (fuzz/corpus/<harness>/, also replayed by the
# tests); without a separator an input of fuzz_entrambe is a line source, so the line corpus
# serves it and check's harness too.
declare -A semi_a_mano=([linea]=fuzz/corpus/linea [treno]=fuzz/corpus/treno
    [entrambe]="fuzz/corpus/entrambe fuzz/corpus/linea"
    [verifica]="fuzz/corpus/verifica fuzz/corpus/linea" [decodifica]=fuzz/corpus/decodifica
    [lsp]=fuzz/corpus/lsp)
# The compiled-file inputs: three files in one, the largest seed about 8 KB; no
# source keywords to suggest.
declare -A lunghezza=([decodifica]=12288)
reperti=$build/reperti
mkdir -p "$reperti"
for h in linea treno entrambe verifica decodifica lsp; do
    corpus=$build/corpus/$h
    mkdir -p "$corpus"
    registro=$build/fuzz_$h.log
    durata=${FUZZ_SECONDI:-${secondi[$h]}}
    dizionario=(-dict=fuzz/sorgenti.dict)
    [ "$h" = decodifica ] && dizionario=()
    # -timeout: an input that takes seconds is a hang (the longest legal line takes under a
    # second); -rss_limit_mb also bounds a single allocation; -max_len leaves room for more rows
    # than the built-in sources have (79 stations, say), and for a set of compiled files.
    # The generated seeds exist for the source harnesses only.
    semi=()
    [ -d "$build/fuzz/semi/$h" ] && semi=("$build/fuzz/semi/$h")
    if ! "$build/fuzz/fuzz_$h" -max_total_time="$durata" -timeout=10 -rss_limit_mb=2048 \
        -max_len="${lunghezza[$h]:-8192}" "${dizionario[@]}" \
        -artifact_prefix="$reperti/$h-" -print_final_stats=1 \
        "$corpus" "${semi[@]}" ${semi_a_mano[$h]} >"$registro" 2>&1; then
        tail -n 60 "$registro"
        ls -l "$reperti"
        fallito "fuzz_$h: una scoperta (reperto in $reperti)"
    fi
    esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro")
    fatto "fuzz_$h: $esecuzioni input in ${durata} s, corpus di $(ls "$corpus" | wc -l) file, nessuna scoperta"
done

echo "== valgrind =="
build_vg=$radice/build-valgrind
cmake -S . -B "$build_vg" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSCENARIO_TESTS=OFF \
    >/dev/null
cmake --build "$build_vg" -j2 --target lerno_castelbrum_pusena >"$build_vg/build.log" 2>&1 ||
    { cat "$build_vg/build.log"; fallito "build per valgrind"; }
lavoro=$(mktemp -d)
trap 'rm -rf "$lavoro"' EXIT

# Runs the program headless in a fresh folder under memcheck; $1 the exit status expected, then
# a command that prepares the folder. Memcheck errors and leaks end it with status 99.
sotto_valgrind() {
    local atteso=$1 cartella
    shift
    cartella=$(mktemp -d -p "$lavoro")
    cp "$build_vg/lerno_castelbrum_pusena" "$cartella/"
    (cd "$cartella" && "$@")
    local stato=0
    (cd "$cartella" && env -u DISPLAY valgrind -q --error-exitcode=99 --leak-check=full \
        --log-file="$cartella/valgrind.log" ./lerno_castelbrum_pusena 2>"$cartella/errori.txt") ||
        stato=$?
    if [ "$stato" -ne "$atteso" ]; then
        cat "$cartella/valgrind.log" "$cartella/errori.txt"
        fallito "valgrind: stato $stato invece di $atteso"
    fi
}
sotto_valgrind 0 true
fatto "valgrind: run completa, stato 0, nessun errore"
# A folder stands at the last binary file's name: the failure path frees what it took too.
sotto_valgrind 3 mkdir Lerno_Castelbrum_Pusena_27364.dat
fatto "valgrind: file binario impossibile da scrivere, stato 3, nessun errore"

echo "fiabilita: tutto in $((SECONDS - inizio)) s"
