#!/bin/bash
# Dit un texte français avec espeak-ng et le prépare pour une grande salle :
# voix posée, aigus de présence renforcés, dynamique resserrée, un peu d'écho.
# Usage : parole.sh texte.txt sortie.wav durée_max_ms
# Si le texte dure trop longtemps pour l'attente qui le suit, la voix accélère ;
# au-delà de la vitesse la plus rapide encore claire, la construction échoue.
set -euo pipefail
texte=$1
sortie=$2
duree_max_ms=$3

voix=fr
vitesse=150          # mots par minute : plus lent que d'habitude, la salle résonne
vitesse_max=185
hauteur=42           # un peu plus grave que d'ordinaire, pour la solennité du tribunal
ecart_mots=2         # pause entre les mots, en dizaines de millisecondes
taux=22050

# Marge laissée avant la fin de l'attente : 10 %, sans dépasser une demi-seconde.
marge_ms=$(( duree_max_ms / 10 < 500 ? duree_max_ms / 10 : 500 ))
cible_ms=$(( duree_max_ms - marge_ms ))

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

dire() { # vitesse
  espeak-ng -v "$voix" -s "$1" -p "$hauteur" -g "$ecart_mots" -f "$texte" -w "$travail/brut.wav"
  # Silences des bords retirés, puis une queue courte pour que l'écho s'éteigne.
  sox "$travail/brut.wav" "$travail/rogne.wav" \
      silence 1 0.01 0.3% reverse silence 1 0.01 0.3% reverse
  sox "$travail/rogne.wav" -r $taux -c 1 -b 16 "$sortie" \
      pad 0.03 0.25 \
      highpass 90 equalizer 250 1q -2 equalizer 3000 1.2q 4 \
      compand 0.01,0.20 6:-70,-70,-40,-24,-10,-8,0,-4 -4 -90 0.02 \
      reverb 12 60 40 0 0 -8 \
      norm -1 fade h 0.02 -0 0.12
}

duree_ms() {
  soxi -D "$sortie" | awk '{ printf "%d", $1 * 1000 + 0.5 }'
}

dire $vitesse
d=$(duree_ms)
if [ "$d" -gt "$cible_ms" ]; then
  # La durée d'une phrase varie à peu près comme l'inverse de la vitesse.
  vitesse=$(( (vitesse * d + cible_ms - 1) / cible_ms + 3 ))
  if [ "$vitesse" -le "$vitesse_max" ]; then
    dire $vitesse
    d=$(duree_ms)
  fi
fi
if [ "$d" -gt "$cible_ms" ]; then
  rm -f "$sortie"
  echo "$texte : ce texte dure $d ms même dit vite, trop pour les $duree_max_ms ms de son attente : raccourcissez-le." >&2
  exit 1
fi
echo "$(basename "$sortie" .wav) : $d ms sur $duree_max_ms ms (vitesse $vitesse)"
