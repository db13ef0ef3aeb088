#!/usr/bin/env bash
# L'installation et le paquet Debian : cmake --install dans un dossier temporaire,
# puis cpack, le paquet ouvert par dpkg -x ; les mêmes fichiers aux mêmes places,
# l'entrée de menu acceptée par desktop-file-validate, les dépendances déclarées,
# et le programme installé qui démarre.
# Usage : test_paquet.sh <dossier de construction>
set -euo pipefail
construction=$(realpath "$1")
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT
# Lancé sans écran sous temps accéléré, le programme doit tenir une seconde réelle,
# cent secondes de jeu sur sa page d'accueil, avant d'être arrêté.
duree_de_vie_s=1
echec=0
echouer() {
  echo "ÉCHEC : $*" >&2
  echec=1
}

verifier_arborescence() {
  local racine=$1
  [ -x "$racine/usr/bin/le_sordane" ] || echouer "$racine : programme absent"
  local entree="$racine/usr/share/applications/le-sordane.desktop"
  if [ -f "$entree" ]; then
    desktop-file-validate "$entree" || echouer "entrée de menu refusée par desktop-file-validate"
    grep -qx 'Name=Le Sordane' "$entree" || echouer "nom de l'entrée de menu"
    grep -qx 'Categories=Game;' "$entree" || echouer "catégorie de l'entrée de menu"
  else
    echouer "$racine : entrée de menu absente"
  fi
  for taille in 16 32 48 64 128 256; do
    local icone="$racine/usr/share/icons/hicolor/${taille}x${taille}/apps/le-sordane.png"
    if [ -f "$icone" ]; then
      file "$icone" | grep -q "PNG image data, $taille x $taille" || echouer "icône $taille : mauvaise taille"
    else
      echouer "icône $taille absente"
    fi
  done
  [ -f "$racine/usr/share/doc/le-sordane/licence-police-xolonium.txt" ] || echouer "licence de la police absente"
}

# 1. cmake --install, comme un organisateur qui installe depuis les sources.
DESTDIR="$dossier/installe" cmake --install "$construction" --prefix /usr >/dev/null
verifier_arborescence "$dossier/installe"

# 2. Le paquet Debian.
(cd "$dossier" && cpack --config "$construction/CPackConfig.cmake" -B "$dossier/paquet" >/dev/null)
paquet=$(ls "$dossier"/paquet/le-sordane_*.deb 2>/dev/null | head -n 1)
if [ -z "$paquet" ]; then
  echouer "cpack n'a pas fait de paquet le-sordane_*.deb"
  exit 1
fi
[ "$(dpkg-deb -f "$paquet" Package)" = le-sordane ] || echouer "nom du paquet"
[ "$(dpkg-deb -f "$paquet" Section)" = games ] || echouer "section du paquet"
dependances=$(dpkg-deb -f "$paquet" Depends)
for dependance in libqt5widgets5 libqt5multimedia5 libqt5multimedia5-plugins qttranslations5-l10n; do
  grep -Eq "(^|, )$dependance( |,|$)" <<<"$dependances" || echouer "dépendance $dependance non déclarée ($dependances)"
done
dpkg -x "$paquet" "$dossier/paquet/racine"
verifier_arborescence "$dossier/paquet/racine"

# 3. Le programme du paquet démarre et tient, sans écran ni fichier à côté de lui.
code=0
(cd "$dossier" && HOME="$dossier" QT_QPA_PLATFORM=offscreen \
  timeout "$duree_de_vie_s" faketime -f "+0 x100" "$dossier/paquet/racine/usr/bin/le_sordane") >/dev/null 2>&1 || code=$?
[ "$code" -eq 124 ] || echouer "le programme installé s'est arrêté seul (code $code)"

[ "$echec" -eq 0 ] && echo "Installation et paquet valides : $(basename "$paquet")"
exit "$echec"
