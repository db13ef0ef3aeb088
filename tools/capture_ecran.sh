#!/bin/bash
# Capture de la page d'accueil du jeu, en plein écran 1920x1080, dans un PNG.
# Usage : tools/capture_ecran.sh image.png [programme, par défaut build/le_sordane]
set -u
[ $# -ge 1 ] || { echo "Usage : $0 image.png [programme]" >&2; exit 2; }
IMAGE=$1
PROGRAMME=${2:-build/le_sordane}
[ -x "$PROGRAMME" ] || { echo "Programme introuvable : $PROGRAMME" >&2; exit 2; }
# Le temps laissé au jeu pour finir de se peindre une fois sa fenêtre à l'écran.
DELAI_PEINTURE_S=1

source "$(dirname "$0")/ecran_virtuel.sh"
trap 'arreter_ecran_virtuel' EXIT
demarrer_ecran_virtuel 1920x1080x24 || exit 1

QT_QPA_PLATFORM=xcb "$PROGRAMME" >/dev/null 2>&1 &
PID_JEU=$!
trap '[ -n "${PID_JEU:-}" ] && kill "$PID_JEU" 2>/dev/null; arreter_ecran_virtuel' EXIT

if ! attendre 400 sh -c 'xwininfo -name "Le Sordane" | grep -q IsViewable'; then
    echo "La fenêtre « Le Sordane » n'est pas apparue." >&2
    exit 1
fi
sleep "$DELAI_PEINTURE_S"
convert "xwd:$FICHIER_ECRAN" "png:$IMAGE" && echo "Capture enregistrée : $IMAGE"
