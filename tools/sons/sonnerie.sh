#!/bin/bash
# Sonnerie d'école électrique : un battant frappe vingt-deux fois par seconde une
# cloche métallique dont les partiels ne sont pas harmoniques, puis la cloche
# résonne seule quand le courant est coupé.
# Usage : sonnerie.sh sortie.wav
set -euo pipefail
sortie=$1
taux=24000
duree_frappe=3.4     # secondes de battant
duree_resonance=0.6  # la cloche s'éteint seule ensuite
cadence=22           # coups de battant par seconde
total=$(awk "BEGIN { print $duree_frappe + $duree_resonance }")

travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

# Partiels d'un timbre en cuvette (rapports 1 ; 2,33 ; 4,25 ; 6,64) ; deux
# fréquences voisines sur le fondamental pour le battement d'une cloche réelle.
# fréquence, niveau (dB), raideur de la chute après chaque coup
partiels=(
  "1180 0 8"
  "1186 -3 8"
  "2745 -5 12"
  "5020 -10 16"
  "7830 -15 22"
)

n=0
for p in "${partiels[@]}"; do
  read -r f niveau raideur <<<"$p"
  # Chaque coup excite le partiel, qui retombe avant le coup suivant...
  sox -r $taux -c 1 -n -p synth "$duree_frappe" sine "$f" \
      synth exp amod $cadence 0 0 1 "$raideur" gain "$niveau" pad 0 "$duree_resonance" \
      > "$travail/frappe$n.sox"
  # ...sur le fond d'une résonance continue qui s'éteint à la coupure.
  sox -r $taux -c 1 -n -p synth "$total" sine "$f" gain "$((niveau - 12))" \
      fade l 0 "$total" "$duree_resonance" > "$travail/resonance$n.sox"
  n=$((n + 1))
done

# Le claquement du battant sur le métal.
sox -r $taux -c 1 -n -p synth "$duree_frappe" whitenoise gain -16 \
    synth exp amod $cadence 0 0 1 40 highpass 3000 pad 0 "$duree_resonance" \
    > "$travail/battant.sox"

sox -m "$travail"/*.sox -r $taux -c 1 -b 16 "$sortie" \
    fade h 0.01 "$total" 0.05 norm -1
