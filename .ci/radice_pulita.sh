#!/usr/bin/env bash
# CI: the README's commands on a fresh minimal Debian 12 root, as a newcomer runs them. The
# commit under test (HEAD of this checkout) is cloned into the root, where, as root through
# chroot, `scripts/esegui.sh` must build and run the program, `scripts/prova.sh` must pass with
# no test skipped, and `scripts/windows.sh` must build the Windows executable.
#
# The root comes from a cached tarball (SCENARIO_CI_CACHE, default /var/cache/scenario-ci) that
# holds nothing of this machine: the host's apt configuration and resolv.conf are copied into
# the root at each run. The tarball is made again when it is missing, older than a week, or
# when it fails to extract or to update.
set -euo pipefail
cd "$(dirname "$0")/.."
checkout=$(pwd)
source .ci/comune.sh

cache=${SCENARIO_CI_CACHE:-/var/cache/scenario-ci}
tarball=$cache/bookworm-minbase.tar
# The roots live outside the checkout, under a prefix that names them for the clean-up below.
prefisso_radici=/var/tmp/scenario-radice.

bash scripts/installa_dipendenze.sh --radice

# Deletes a root only when nothing is mounted below it: an rm -rf through a bound /dev would
# delete the host's device nodes. The mounts live in a private namespace that dies with its
# process, so from here nothing should ever be mounted there; this makes sure of it.
elimina_radice() {
    local r=$1
    [ -d "$r" ] || return 0
    if findmnt -rno TARGET | grep -q -F "$r/"; then
        echo "ATTENZIONE: qualcosa e' ancora montato in $r; la radice resta dov'e'" >&2
        return 1
    fi
    rm -rf --one-file-system "$r"
}

# Roots left by an earlier run that CI killed.
for vecchia in "$prefisso_radici"*; do
    [ -d "$vecchia" ] && elimina_radice "$vecchia" || true
done

radice=$(mktemp -d "${prefisso_radici}XXXXXX")
trap 'elimina_radice "$radice"' EXIT

# Runs a command in the root as root, with proc, sys and dev mounted in a private mount
# namespace: the mounts die with the process, even when CI kills it.
nella_radice() {
    unshare --mount --propagation private -- bash -c '
        set -e
        r=$1; shift
        mount -t proc proc "$r/proc"
        mount --rbind /sys "$r/sys"
        mount --rbind /dev "$r/dev"
        exec chroot "$r" /usr/bin/env -i HOME=/root LANG=C.UTF-8 CI=true TERM=dumb \
            PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin "$@"
    ' nella_radice "$radice" "$@"
}

crea_tarball() {
    mkdir -p "$cache"
    # The host's package sources name the mirror; the tarball keeps none of them.
    local sorgenti=()
    [ -s /etc/apt/sources.list ] && sorgenti+=(/etc/apt/sources.list)
    for f in /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -s "$f" ] && sorgenti+=("$f")
    done
    [ ${#sorgenti[@]} -gt 0 ] || fallito "nessuna sorgente di pacchetti nella configurazione di apt"
    local nuovo=$cache/in-preparazione.tar
    rm -rf "$nuovo" "$tarball"
    mmdebstrap --quiet --variant=minbase --mode=root --format=tar \
        --customize-hook='rm -f "$1"/etc/apt/sources.list "$1"/etc/apt/sources.list.d/* "$1"/etc/resolv.conf' \
        bookworm "$nuovo" "${sorgenti[@]}"
    mv "$nuovo" "$tarball"
}

estrai_e_aggiorna() {
    find "$radice" -mindepth 1 -maxdepth 1 -exec rm -rf --one-file-system {} + &&
        tar -xf "$tarball" -C "$radice" &&
        cp -a /etc/apt/. "$radice/etc/apt/" &&
        cp -L /etc/resolv.conf "$radice/etc/resolv.conf" &&
        nella_radice apt-get update -qq
}

if [ -f "$tarball" ] && [ -z "$(find "$tarball" -mtime +7)" ] && estrai_e_aggiorna; then
    fatto "radice dalla cache $tarball"
else
    echo "preparo la radice in $tarball"
    crea_tarball
    estrai_e_aggiorna || fallito "la radice appena creata non si estrae o non si aggiorna"
    fatto "radice nuova in cache ($(du -h "$tarball" | cut -f1))"
fi

# The commit under test, as a clone outside /root.
commit=$(git rev-parse HEAD)
git clone -q --no-hardlinks "$checkout" "$radice/srv/scenario"
git -C "$radice/srv/scenario" checkout -q --detach "$commit"
fatto "commit $commit in /srv/scenario"

tappa "radice pulita: bash scripts/esegui.sh" nella_radice bash -c 'cd /srv/scenario && bash scripts/esegui.sh' ||
    fallito "scripts/esegui.sh"
prodotti=(Lerno_Castelbrum_Pusena_27364_note.txt Lerno_Castelbrum_Pusena_27364_rallentamenti.txt
    Lerno_Castelbrum_Pusena_27364_scheda_treno.txt Lerno_Castelbrum_Pusena_linea.dat
    Lerno_Castelbrum_Pusena_27364.sim Lerno_Castelbrum_Pusena_27364.dat)
for f in "${prodotti[@]}"; do
    [ -s "$radice/srv/scenario/out/$f" ] || fallito "esegui.sh non ha lasciato out/$f"
done
fatto "esegui.sh: stato 0 e i sei file in out/"

registro=$radice/srv/prova.log
if ! tappa "radice pulita: bash scripts/prova.sh" \
    nella_radice bash -c 'cd /srv/scenario && bash scripts/prova.sh' 2>&1 | tee "$registro"; then
    fallito "scripts/prova.sh"
fi
# Every test runs on a fresh machine: whatever a test needs, the scripts install.
if grep -E '\*\*\*Skipped|Not Run' "$registro"; then
    fallito "prove saltate sulla radice pulita"
fi
fatto "prova.sh: tutte le prove eseguite e passate"

tappa "radice pulita: bash scripts/windows.sh" nella_radice bash -c 'cd /srv/scenario && bash scripts/windows.sh' ||
    fallito "scripts/windows.sh"
[ -s "$radice/srv/scenario/build-windows/lerno_castelbrum_pusena.exe" ] ||
    fallito "windows.sh non ha costruito lerno_castelbrum_pusena.exe"
[ -s "$radice/srv/scenario/build-windows/scenario-tool.exe" ] ||
    fallito "windows.sh non ha costruito scenario-tool.exe"
fatto "windows.sh: build-windows/lerno_castelbrum_pusena.exe e scenario-tool.exe"
