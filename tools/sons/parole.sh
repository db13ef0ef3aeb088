#!/bin/bash
# Fait dire les textes de resources/Sons par SVOX Pico, prépare chaque voix pour
# une grande salle et la range en FLAC à côté de son texte, ses empreintes dans
# resources/Sons/manifeste.sha256. Seul qui change un texte ou un réglage en a
# besoin : la construction du jeu ne lit que les FLAC.
# Usage : tools/sons/parole.sh                      refait toutes les voix
#         tools/sons/parole.sh Dossier/Annonce ...  refait celles-ci
#         tools/sons/parole.sh --verifier           dit quelles voix sont à refaire
set -euo pipefail
outils=$(cd "$(dirname "$0")" && pwd)
sons=$(cd "$outils/../../resources/Sons" && pwd)
reglages=$outils/reglages_voix.sh
manifeste=$sons/manifeste.sha256
commande=tools/sons/parole.sh
# shellcheck source=reglages_voix.sh
source "$reglages"

empreinte() { sha256sum "$1" | cut -d' ' -f1; }

# Chaque annonce, nommée par le chemin de son texte sans « .txt ».
annonces() { (cd "$sons" && find . -name '*.txt' | sed 's|^\./||; s|\.txt$||' | LC_ALL=C sort); }

declare -A au_manifeste=()
lire_manifeste() {
  [ -f "$manifeste" ] || return 0
  local chemin reste
  while read -r chemin reste; do
    [[ -z $chemin || $chemin == \#* ]] && continue
    au_manifeste[$chemin]=$reste
  done < "$manifeste"
}

probleme=0
signaler() { # annonce, ce qui ne va pas, ce qu'il faut faire
  echo "$1 : $2 ; $3" >&2
  probleme=1
}

verifier() {
  lire_manifeste
  local empreinte_reglages chemin texte reglage enregistrement
  empreinte_reglages=$(empreinte "$reglages")
  for chemin in $(annonces); do
    local refaire="refaites-la avec $commande $chemin"
    if [ -z "${au_manifeste[$chemin]:-}" ]; then
      signaler "$chemin" "absente du manifeste" "$refaire"
      continue
    fi
    read -r texte reglage enregistrement <<< "${au_manifeste[$chemin]}"
    unset "au_manifeste[$chemin]"
    if [ ! -f "$sons/$chemin.flac" ]; then
      signaler "$chemin" "pas d'enregistrement" "$refaire"
    elif [ "$texte" != "$(empreinte "$sons/$chemin.txt")" ]; then
      signaler "$chemin" "son texte a changé depuis l'enregistrement" "$refaire"
    elif [ "$reglage" != "$empreinte_reglages" ]; then
      signaler "$chemin" "les réglages de voix ont changé depuis l'enregistrement" \
               "refaites toutes les voix avec $commande"
    elif [ "$enregistrement" != "$(empreinte "$sons/$chemin.flac")" ]; then
      signaler "$chemin" "l'enregistrement n'est pas celui que le manifeste a noté" "$refaire"
    fi
  done
  for chemin in "${!au_manifeste[@]}"; do
    signaler "$chemin" "notée au manifeste mais sans texte" \
             "supprimez resources/Sons/$chemin.flac et refaites n'importe quelle voix avec $commande pour la retirer"
  done
  while read -r flac; do
    [ -f "$sons/${flac%.flac}.txt" ] ||
      signaler "${flac%.flac}" "enregistrement sans texte" "supprimez resources/Sons/$flac"
  done < <(cd "$sons" && find . -name '*.flac' | sed 's|^\./||')
  [ $probleme -eq 0 ] && echo "Les $(annonces | wc -l) voix sont à jour de leurs textes et des réglages."
  return $probleme
}

exiger_pico() {
  command -v pico2wave >/dev/null && return 0
  cat >&2 <<'FIN'
pico2wave est introuvable : c'est la voix de SVOX Pico, qui dit les annonces du jeu.
Il est dans le paquet libttspico-utils, rangé dans la section non-free de Debian
(multiverse sur Ubuntu), que ce script n'active pas à votre place.
  Debian 12 : ajoutez « non-free » aux composants de /etc/apt/sources.list.d/debian.sources
              (ligne « Components: main non-free »), ou à la ligne « deb » de /etc/apt/sources.list,
              puis : sudo apt-get update && sudo apt-get install libttspico-utils
  Ubuntu    : sudo add-apt-repository multiverse
              puis : sudo apt-get update && sudo apt-get install libttspico-utils
Relancez ensuite ce script.
FIN
  exit 1
}

# Le texte passe dans le balisage de Pico : ses caractères spéciaux sont échappés.
texte_balise() {
  local texte
  texte=$(sed 's/&/\&amp;/g; s/</\&lt;/g; s/>/\&gt;/g' "$1")
  printf '<pitch level="%s"><speed level="%s">%s</speed></pitch>' "$hauteur" "$vitesse" "$texte"
}

fabriquer() { # annonce
  local texte=$sons/$1.txt
  [ -f "$texte" ] || { echo "$1 : pas de texte $texte" >&2; exit 1; }
  pico2wave -l "$langue" -w "$travail/brut.wav" "$(texte_balise "$texte")"
  # -D : sans bruit de dithering, le même texte donne toujours les mêmes octets.
  sox -D "$travail/brut.wav" "$travail/rogne.wav" "${rognage[@]}"
  sox -D "$travail/rogne.wav" -r "$taux" -c 1 -b 16 -C 8 "$sons/$1.flac" "${salle[@]}"
  refaite[$1]="$(empreinte "$texte") $(empreinte "$reglages") $(empreinte "$sons/$1.flac")"
  printf '%s : %.2f s\n' "$1" "$(soxi -D "$sons/$1.flac")"
}

ecrire_manifeste() {
  local chemin
  {
    echo "# annonce, puis SHA-256 de son texte, des réglages (tools/sons/reglages_voix.sh) et de son FLAC."
    echo "# Écrit par $commande : ne pas modifier à la main."
    for chemin in $(annonces); do
      if [ -n "${refaite[$chemin]:-}" ]; then
        echo "$chemin ${refaite[$chemin]}"
      elif [ -n "${au_manifeste[$chemin]:-}" ]; then
        echo "$chemin ${au_manifeste[$chemin]}"
      fi
    done
  } > "$manifeste.nouveau"
  mv "$manifeste.nouveau" "$manifeste"
}

if [ "${1:-}" = --verifier ]; then
  verifier
  exit
fi

exiger_pico
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT
declare -A refaite=()
lire_manifeste
if [ $# -eq 0 ]; then
  set -- $(annonces)
fi
for annonce in "$@"; do
  fabriquer "${annonce%.txt}"
done
ecrire_manifeste
