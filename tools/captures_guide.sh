#!/usr/bin/env bash
# Refait les images du guide de l'organisateur (docs/images, hors de git) : la
# vraie fenêtre en plein écran sous Xvfb, pendant une partie du mode test jouée
# sous temps accéléré (faketime), puis une page du récapitulatif d'exemple.
# Usage : tools/captures_guide.sh [programme captures_guide] (construit dans build/ sinon)
set -euo pipefail
cd "$(dirname "$0")/.."
racine=$(pwd)
programme=${1:-}
if [ -z "$programme" ]; then
  tools/installer_dependances.sh tests
  for paquet in xvfb xauth; do
    dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed" \
      || { echo "Paquet manquant : $paquet (apt-get install xvfb xauth)" >&2; exit 1; }
  done
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release >/dev/null
  cmake --build build -j"$(nproc)" --target captures_guide exemple_recapitulatif
  programme=build/tools/captures_guide
fi
construction=$(dirname "$(dirname "$(realpath "$programme")")")
images="$racine/docs/images"
mkdir -p "$images"
taille_ecran=1920x1080x24

temporaire=$(mktemp -d)
trap 'rm -rf "$temporaire"' EXIT
HOME="$temporaire" xvfb-run -a -s "-screen 0 $taille_ecran" \
  faketime -f "+0 x100" "$(realpath "$programme")" "$images"

# Une page de vote du récapitulatif, comme elle s'imprime.
QT_QPA_PLATFORM=offscreen "$construction/tools/exemple_recapitulatif" "$temporaire/recapitulatif.pdf" >/dev/null
pdftoppm -png -r 50 -f 2 -l 2 -singlefile "$temporaire/recapitulatif.pdf" "$images/recapitulatif"
echo "Images du guide dans $images"
