#!/usr/bin/env bash
# Le script de ressources de l'exécutable Windows, compilé par windres puis relu :
# l'icône IDI_ICON1 et la fiche de version (produit Le_sordane, versions 0.0.0.0).
# Usage : test_ressources_windows.sh <windres> <le_sordane.rc>
set -euo pipefail
windres=$1
script=$2
dossier=$(mktemp -d)
trap 'rm -rf "$dossier"' EXIT

# Le préprocesseur de la machine suffit : le script n'inclut aucun en-tête de Windows.
"$windres" --preprocessor=cpp -i "$script" -O res -o "$dossier/le_sordane.res"
"$windres" -i "$dossier/le_sordane.res" -O rc -o "$dossier/relu.rc"

echec=0
attendre() {
  if ! grep -Eq "$1" "$dossier/relu.rc"; then
    echo "ÉCHEC : « $1 » absent des ressources compilées" >&2
    echec=1
  fi
}
attendre '^"IDI_ICON1" 14 /\* RT_GROUP_ICON \*/'
attendre '^1 VERSIONINFO'
# windres ne réécrit pas les numéros de version nuls : aucun ne doit être autre.
if grep -Eq '^ *(FILE|PRODUCT)VERSION .*[1-9]' "$dossier/relu.rc"; then
  echo "ÉCHEC : un numéro de version n'est pas 0.0.0.0" >&2
  echec=1
fi
attendre 'VALUE "ProductName", "Le_sordane"'
attendre 'VALUE "FileVersion", "0\.0\.0\.0"'
attendre 'VALUE "ProductVersion", "0\.0\.0\.0"'
# L'icône compilée est celle que dessine la construction, pas une icône vide.
taille_icone=$(stat -c %s "$(dirname "$script")/images/icone.ico")
if [ "$(stat -c %s "$dossier/le_sordane.res")" -lt "$taille_icone" ]; then
  echo "ÉCHEC : les ressources compilées sont plus petites que l'icône" >&2
  echec=1
fi
[ "$echec" -eq 0 ] && echo "Ressources Windows valides"
exit "$echec"
