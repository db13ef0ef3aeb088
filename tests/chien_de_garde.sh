#!/usr/bin/env bash
# Lance une commande de test ; si elle tourne encore après LIMITE secondes réelles,
# affiche la pile de chaque fil de chacun de ses processus, puis l'arrête :
# un blocage en CI se diagnostique sur son seul journal.
# Usage : tests/chien_de_garde.sh LIMITE commande [arguments...]
# Le chien lui-même ne doit pas tourner sous faketime (il compterait en temps
# simulé) : faketime fait partie de la commande gardée.
set -uo pipefail

if [ $# -lt 2 ]; then
  echo "Usage : $0 LIMITE_EN_SECONDES commande [arguments...]" >&2
  exit 2
fi
limite=$1
shift
code_depasse=124

descendants() {
  local enfant
  for enfant in $(ps -o pid= --ppid "$1"); do
    echo "$enfant"
    descendants "$enfant"
  done
}

arreter_tout() {
  local pids
  pids="$(descendants "$commande") $commande"
  # shellcheck disable=SC2086
  kill -KILL $pids 2>/dev/null
}

montrer_les_piles() {
  local pid
  for pid in $commande $(descendants "$commande"); do
    echo "=== Processus $pid : $(tr '\0' ' ' < "/proc/$pid/cmdline" 2>/dev/null)"
    gdb -p "$pid" -batch -nx -iex "set debuginfod enabled off" -ex "thread apply all bt" 2>&1 </dev/null
  done
}

"$@" &
commande=$!
sleep "$limite" &
reveil=$!
trap 'kill "$reveil" 2>/dev/null; arreter_tout; exit 143' TERM INT HUP

wait -n -p premier "$commande" "$reveil"
code=$?
if [ "$premier" = "$commande" ]; then
  kill "$reveil" 2>/dev/null
  exit "$code"
fi

echo "Chien de garde : « $* » tourne encore après $limite s réelles ; piles de tous ses fils :" >&2
montrer_les_piles >&2
arreter_tout
wait "$commande" 2>/dev/null
echo "Chien de garde : test arrêté après $limite s" >&2
exit "$code_depasse"
