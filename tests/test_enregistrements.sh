#!/usr/bin/env bash
# Chaque son que le programme embarque, mesuré par sox : assez fort pour être
# entendu, jamais écrêté (aucun échantillon à pleine échelle), et parti dans les
# 0,1 premières secondes, pour qu'une annonce suive le geste qui la déclenche.
# La mesure est d'abord essayée sur des sons fautifs faits exprès. Les noms des
# accusés sont dits seuls, un mot chacun.
# Usage : test_enregistrements.sh <racine du dépôt> <dossier des sons construits>
set -euo pipefail
racine=$1
sons=$2
essais=$(mktemp -d)
trap 'rm -rf "$essais"' EXIT

rms_min=0.05          # -26 dB : en dessous, la salle n'entendrait qu'un murmure
crete_max=0.99        # norm -1 dB laisse 0,89 ; à 1,0 le son est écrêté
debut_max=0.1         # en secondes
seuil_debut=1%        # ce qui dépasse ce niveau n'est plus du silence
sons_min=38           # 35 voix, la sonnerie, le jingle et la musique

echec=0
echouer() { echo "ÉCHEC : $*" >&2; echec=1; }

valeur() { awk -v cle="$1" -F: '$1 ~ "^" cle { gsub(/ /, "", $2); print $2 }'; }
plus_grand() { awk -v a="$1" -v b="$2" 'BEGIN { exit !(a + 0 > b + 0) }'; }

# Écrit ce qui ne va pas dans le son, rien s'il est bon ; puis une ligne de mesures sur stderr.
defauts() { # wav
  local mesure rms maximum minimum duree reste debut
  mesure=$(sox "$1" -n stat 2>&1)
  rms=$(valeur 'RMS +amplitude' <<< "$mesure")
  maximum=$(valeur 'Maximum amplitude' <<< "$mesure")
  minimum=$(valeur 'Minimum amplitude' <<< "$mesure")
  duree=$(valeur 'Length' <<< "$mesure")
  reste=$(sox "$1" -n silence 1 0.005 "$seuil_debut" stat 2>&1 | valeur 'Length')
  debut=$(awk -v a="$duree" -v b="${reste:-0}" 'BEGIN { printf "%.3f", a - b }')
  plus_grand "$rms" "$rms_min" || echo "trop faible (RMS $rms, au moins $rms_min)"
  if plus_grand "$maximum" "$crete_max" || plus_grand "${minimum#-}" "$crete_max"; then
    echo "écrêté (crêtes $minimum et $maximum, au plus $crete_max)"
  fi
  if plus_grand "$debut" "$debut_max"; then
    echo "commence après $debut s de silence (au plus $debut_max s)"
  fi
  printf '%-58s RMS %s  crêtes %s/%s  début %s s\n' "${1#"$sons"/}" "$rms" "$minimum" "$maximum" "$debut" >&2
}

# Sons fautifs : nom | fabrication par sox | défaut attendu.
fautifs=(
  "murmure|synth 1 sine 440 gain -35|trop faible"
  "écrêté|synth 1 sine 440 gain 3|écrêté"
  "en retard|synth 1 sine 440 gain -6 pad 0.3 0|commence après"
  "bon|synth 1 sine 440 gain -6|"
)
for ligne in "${fautifs[@]}"; do
  IFS='|' read -r nom fabrication attendu <<< "$ligne"
  # shellcheck disable=SC2086
  sox -D -n -r 16000 -b 16 -c 1 "$essais/essai.wav" $fabrication 2>/dev/null
  trouve=$(defauts "$essais/essai.wav" 2>/dev/null)
  if [ -z "$attendu" ]; then
    [ -z "$trouve" ] || echouer "essai « $nom » : défaut inattendu : $trouve"
  else
    grep -q "^$attendu" <<< "$trouve" || echouer "essai « $nom » : « $attendu » non repéré (repéré : ${trouve:-rien})"
  fi
done

nombre=0
while read -r wav; do
  nombre=$((nombre + 1))
  while read -r defaut; do
    [ -n "$defaut" ] && echouer "${wav#"$sons"/} : $defaut"
  done <<< "$(defauts "$wav")"
done < <(find "$sons" -name '*.wav' | LC_ALL=C sort)
[ "$nombre" -ge "$sons_min" ] || echouer "seulement $nombre sons trouvés dans $sons (au moins $sons_min)"

for texte in "$racine"/resources/Sons/Noms_d_animaux/*.txt; do
  mots=$(wc -w < "$texte")
  [ "$mots" -eq 1 ] || echouer "$(basename "$texte") : $mots mots, le nom doit être dit seul"
done

[ "$echec" -eq 0 ] && echo "$nombre sons mesurés : audibles, sans écrêtage, partis à temps"
exit "$echec"
