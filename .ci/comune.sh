# Shared by the CI scripts and the window checks. Sourced.

fallito() {
    echo "FALLITO: $*"
    exit 1
}
fatto() { echo "ok: $*"; }

# Runs a stage, with its name before and its duration after: tappa NAME COMMAND... The command
# should be a process of its own (a script): inside a function called here `set -e` is off.
tappa() {
    local nome=$1 inizio_tappa=$SECONDS stato=0
    shift
    echo "== $nome =="
    "$@" || stato=$?
    echo "-- $nome: $((SECONDS - inizio_tappa)) s (stato $stato)"
    return "$stato"
}
