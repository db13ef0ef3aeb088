#!/usr/bin/env bash
# Les voix du dépôt sont à jour de leurs textes et des réglages qui les ont
# faites ; sur une copie, chaque dérive est repérée, avec la commande qui refait
# la voix ; sans Pico, le script dit comment l'installer et ne touche à rien.
# La vérification n'a besoin que de sha256sum : pas de Pico ici.
# Usage : test_manifeste_voix.sh <racine du dépôt>
set -euo pipefail
racine=$1
copie=$(mktemp -d)
trap 'rm -rf "$copie"' EXIT

echec=0
echouer() { echo "ÉCHEC : $*" >&2; echec=1; }

if ! "$racine/tools/sons/parole.sh" --verifier; then
  echouer "des voix du dépôt sont à refaire (voir ci-dessus)"
fi
nombre_voix=$(grep -c '^[^#]' "$racine/resources/Sons/manifeste.sha256")

# Chaque cas : ce qui change | la commande qui le change, lancée dans la copie |
# un message attendu | combien de messages en tout (« toutes » : un par voix).
cas=(
  "texte modifié|echo 'Encore un mot.' >> resources/Sons/Resultats_des_votes/Annoncepremiersauve.txt|Resultats_des_votes/Annoncepremiersauve : son texte a changé depuis l'enregistrement ; refaites-la avec tools/sons/parole.sh Resultats_des_votes/Annoncepremiersauve|1"
  "réglage modifié|sed -i 's/^vitesse=.*/vitesse=95/' tools/sons/reglages_voix.sh|Noms_d_animaux/Accuserat : les réglages de voix ont changé depuis l'enregistrement ; refaites toutes les voix avec tools/sons/parole.sh|toutes"
  "enregistrement remplacé|cp resources/Sons/Noms_d_animaux/Accuserat.flac resources/Sons/Noms_d_animaux/Accusechien.flac|Noms_d_animaux/Accusechien : l'enregistrement n'est pas celui que le manifeste a noté ; refaites-la avec tools/sons/parole.sh Noms_d_animaux/Accusechien|1"
  "enregistrement supprimé|rm resources/Sons/Noms_d_animaux/Accusechien.flac|Noms_d_animaux/Accusechien : pas d'enregistrement ; refaites-la avec tools/sons/parole.sh Noms_d_animaux/Accusechien|1"
  "texte sans voix|echo 'Bonsoir.' > resources/Sons/Resultats_des_votes/Salut.txt|Resultats_des_votes/Salut : absente du manifeste ; refaites-la avec tools/sons/parole.sh Resultats_des_votes/Salut|1"
  "ligne du manifeste retirée|sed -i '/^Noms_d_animaux\/Accuserat /d' resources/Sons/manifeste.sha256|Noms_d_animaux/Accuserat : absente du manifeste ; refaites-la avec tools/sons/parole.sh Noms_d_animaux/Accuserat|1"
  "texte supprimé|rm resources/Sons/Noms_d_animaux/Accuserat.txt|Noms_d_animaux/Accuserat : enregistrement sans texte ; supprimez resources/Sons/Noms_d_animaux/Accuserat.flac|2"
)

copier_depot() {
  rm -rf "$copie/depot"
  mkdir -p "$copie/depot/tools" "$copie/depot/resources"
  cp -r "$racine/tools/sons" "$copie/depot/tools/"
  cp -r "$racine/resources/Sons" "$copie/depot/resources/"
}

for ligne in "${cas[@]}"; do
  IFS='|' read -r nom modification attendu nombre <<< "$ligne"
  [ "$nombre" = toutes ] && nombre=$nombre_voix
  copier_depot
  (cd "$copie/depot" && eval "$modification")
  if "$copie/depot/tools/sons/parole.sh" --verifier 2> "$copie/messages"; then
    echouer "$nom : la vérification passe"
    continue
  fi
  grep -qxF "$attendu" "$copie/messages" || {
    echouer "$nom : message attendu « $attendu », reçu :"
    cat "$copie/messages" >&2
  }
  signales=$(wc -l < "$copie/messages")
  [ "$signales" -eq "$nombre" ] || echouer "$nom : $signales messages au lieu de $nombre"
done

# Sans Pico, refaire une voix dit comment l'installer et ne touche à rien.
copier_depot
mkdir -p "$copie/sans_pico"
for outil in dirname cat; do ln -sf "$(command -v "$outil")" "$copie/sans_pico/$outil"; done
cp "$copie/depot/resources/Sons/manifeste.sha256" "$copie/manifeste_avant"
if PATH=$copie/sans_pico "$copie/depot/tools/sons/parole.sh" Noms_d_animaux/Accusechien 2> "$copie/messages"; then
  echouer "sans pico2wave, le script réussit"
fi
grep -q "apt-get install libttspico-utils" "$copie/messages" ||
  echouer "sans pico2wave, le script ne dit pas comment l'installer : $(cat "$copie/messages")"
cmp -s "$copie/manifeste_avant" "$copie/depot/resources/Sons/manifeste.sha256" ||
  echouer "sans pico2wave, le manifeste a changé"

[ "$echec" -eq 0 ] && echo "Manifeste des voix vérifié, ${#cas[@]} dérives repérées"
exit "$echec"
