#!/usr/bin/env bash
# Preuve de stabilité : lance toute la suite N fois, un passage sur deux avec les
# deux cœurs occupés par stress-ng, puis résume réussites et échecs (avec les
# noms des tests tombés). Trop long pour ./tester : se lance à la main.
# Usage : tools/stabilite.sh N [dossier de construction, build par défaut]
set -euo pipefail
cd "$(dirname "$0")/.."

if [ $# -lt 1 ] || ! [[ $1 =~ ^[1-9][0-9]*$ ]]; then
  echo "Usage : $0 NOMBRE_DE_PASSAGES [dossier de construction]" >&2
  exit 2
fi
passages=$1
construction=${2:-build}
coeurs_occupes=2
if ! command -v stress-ng >/dev/null; then
  echo "stress-ng est introuvable : installez le paquet Debian stress-ng (tools/installer_dependances.sh tests)" >&2
  exit 1
fi

if [ ! -f "$construction/CMakeCache.txt" ]; then
  cmake -S . -B "$construction" -DCMAKE_BUILD_TYPE=Release
fi
cmake --build "$construction" -j2

journaux="$(realpath "$construction")/stabilite"
mkdir -p "$journaux"
charge=""
arreter_la_charge() {
  if [ -n "$charge" ]; then
    kill -TERM "$charge" 2>/dev/null || true
    wait "$charge" 2>/dev/null || true
    charge=""
  fi
}
trap arreter_la_charge EXIT
trap 'echo "Interrompu." >&2; exit 130' INT TERM

reussis=0
declare -A chutes=()
for ((passage = 1; passage <= passages; passage++)); do
  condition="machine au repos"
  if ((passage % 2 == 0)); then
    condition="$coeurs_occupes cœurs occupés"
    stress-ng --cpu "$coeurs_occupes" --quiet &
    charge=$!
  fi
  journal="$journaux/passage_$passage.log"
  debut=$SECONDS
  if tools/suite.sh "$construction" >"$journal" 2>&1; then
    reussis=$((reussis + 1))
    bilan="réussi"
  else
    tombes=$(cut -d: -f2 "$construction/Testing/Temporary/LastTestsFailed.log" 2>/dev/null | tr '\n' ' ')
    for test in $tombes; do
      chutes[$test]=$((${chutes[$test]:-0} + 1))
    done
    bilan="ÉCHEC : ${tombes:-(aucun nom)} (journal $journal)"
  fi
  arreter_la_charge
  echo "Passage $passage/$passages ($condition, $((SECONDS - debut)) s) : $bilan"
done

echo "Bilan : $reussis réussi(s), $((passages - reussis)) échoué(s) sur $passages passages"
for test in "${!chutes[@]}"; do
  echo "  $test : ${chutes[$test]} échec(s)"
done
[ "$reussis" -eq "$passages" ]
