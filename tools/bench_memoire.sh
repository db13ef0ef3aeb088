#!/bin/bash
# Mémoire résidente du programme démarré, tous ses sons chargés.
# Usage : tools/bench_memoire.sh chemin/vers/le_sordane [--hors-ecran]
# Ne construit rien. Lance le programme sous un Xvfb (ou sans écran avec
# --hors-ecran) et un PulseAudio à lui (sortie muette), attend que sa mémoire
# ne bouge plus, affiche VmRSS en Mo et l'arrête. Objectif : moins de 150 Mo.
# Sous Xvfb, Qt charge l'OpenGL logiciel de Mesa (libLLVM, plus de 40 Mo) ;
# QT_XCB_GL_INTEGRATION=none dans l'environnement mesure le programme sans lui.
set -euo pipefail
programme=$(realpath "$1")
hors_ecran=${2:-}
stable_s=2          # la mémoire ne doit plus bouger pendant ce temps
attente_max_s=30
pas_s=0.25

travail=$(mktemp -d)
pids=()
nettoyer() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$travail"
}
trap nettoyer EXIT

# Son : les QSound ne chargent tout qu'avec un serveur pour les jouer.
if command -v pulseaudio >/dev/null; then
  HOME=$travail XDG_RUNTIME_DIR=$travail PULSE_RUNTIME_PATH=$travail \
    pulseaudio --daemonize=no --exit-idle-time=-1 -n --use-pid-file=no --disable-shm=yes \
      --log-level=error --load="module-native-protocol-unix auth-anonymous=1 socket=$travail/native" \
      --load="module-null-sink sink_name=banc" &
  pids+=($!)
  for _ in $(seq 40); do [ -S "$travail/native" ] && break; sleep $pas_s; done
  export PULSE_SERVER=unix:$travail/native
else
  echo "pulseaudio absent : les sons ne seront peut-être pas tous chargés" >&2
fi

# Écran : un Xvfb sur le premier numéro libre, sinon la plateforme hors écran.
if [ "$hors_ecran" != --hors-ecran ] && command -v Xvfb >/dev/null; then
  exec 3>"$travail/ecran"
  Xvfb -displayfd 3 -screen 0 1920x1080x24 -nolisten tcp 2>/dev/null &
  pids+=($!)
  for _ in $(seq 40); do [ -s "$travail/ecran" ] && break; sleep $pas_s; done
  export DISPLAY=:$(head -n1 "$travail/ecran")
  export QT_QPA_PLATFORM=xcb
else
  export QT_QPA_PLATFORM=offscreen
fi

rss_ko() { awk '/^VmRSS:/ { print $2 }' "/proc/$1/status" 2>/dev/null || echo 0; }

"$programme" &
jeu=$!
pids+=($jeu)

precedent=0
immobile=0
ecoule=0
while :; do
  sleep $pas_s
  kill -0 $jeu 2>/dev/null || { echo "le programme s'est arrêté tout seul" >&2; exit 1; }
  actuel=$(rss_ko $jeu)
  if [ "$actuel" -eq "$precedent" ]; then immobile=$((immobile + 1)); else immobile=0; fi
  precedent=$actuel
  ecoule=$((ecoule + 1))
  [ "$(awk "BEGIN { print ($immobile * $pas_s >= $stable_s) }")" = 1 ] && break
  [ "$(awk "BEGIN { print ($ecoule * $pas_s >= $attente_max_s) }")" = 1 ] && break
done

pic=$(awk '/^VmHWM:/ { print $2 }' "/proc/$jeu/status")
awk -v r="$precedent" -v p="$pic" 'BEGIN { printf "VmRSS : %.1f Mo (pic %.1f Mo)\n", r / 1024, p / 1024 }'
