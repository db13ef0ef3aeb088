#!/bin/bash
# Joue une partition note par note avec sox synth et écrit un WAV mono 24 kHz 16 bits.
# Usage : musique.sh partition.txt sortie.wav [--duree secondes] [--avant debut.wav]
#   --duree : coupe ou complète à cette durée exacte, avec un fondu final ;
#   --avant : place ce fichier (le jingle) devant la musique.
#
# La partition : « tempo N » (noires par minute), « section NOM », puis des lignes
# « voix note:durée ... » (voix : melodie, basse, accords, batterie ; durée en
# doubles croches ; R pour un silence ; notes jouées ensemble reliées par « + »,
# par exemple C4+E4+G4:2 ; batterie : K grosse caisse, S caisse claire,
# H charleston, Y cymbale) et enfin « forme A A B ... ».
set -euo pipefail

partition=$1
sortie=$2
shift 2
duree=""
avant=""
while [ $# -gt 0 ]; do
  case $1 in
    --duree) duree=$2; shift 2 ;;
    --avant) avant=$2; shift 2 ;;
    *) echo "musique.sh : option inconnue $1" >&2; exit 1 ;;
  esac
done

taux=24000
fondu_final=0.6
travail=$(mktemp -d)
trap 'rm -rf "$travail"' EXIT

erreur() { echo "$partition : $*" >&2; exit 1; }

# Un son d'instrument, sans se soucier de sa longueur : elle est ajustée ensuite.
jouer_instrument() { # voix hauteur échantillons fichier
  local voix=$1 h=$2 n=$3 f=$4
  local s="-r $taux -c 1 -n $f"
  case $voix:$h in
    *:R)          sox $s trim 0 "${n}s" ;;
    melodie:*)    sox $s synth "${n}s" square "$h" synth sawtooth mix "$h" \
                      lowpass 3500 gain -18 fade h 400s "${n}s" 2600s ;;
    basse:*)      sox $s synth "${n}s" triangle "$h" synth sine mix "$h" \
                      lowpass 900 gain -12 fade q 100s "${n}s" 1800s ;;
    accords:*)    sox $s synth "${n}s" triangle "$h" lowpass 2500 gain -20 \
                      fade q 100s "${n}s" 2000s ;;
    batterie:K)   sox $s synth 0.22 sine 160/45 gain -6 fade q 0 0.22 0.2 ;;
    batterie:S)   sox $s synth 0.17 whitenoise gain -12 synth sine mix 185 band 1800 1600 \
                      fade q 0 0.17 0.16 ;;
    batterie:H)   sox $s synth 0.05 whitenoise gain -22 highpass 7000 fade q 0 0.05 0.045 ;;
    batterie:Y)   sox $s synth 1.6 whitenoise gain -26 highpass 5000 fade q 0 1.6 1.55 ;;
    *) erreur "note inconnue « $h » pour la voix $voix" ;;
  esac
}

# Une note (ou un accord) de la partition, à sa longueur exacte, mise en cache.
note() { # voix jeton -> chemin du fichier
  local voix=$1 jeton=$2
  local hauteurs=${jeton%%:*} unites=${jeton##*:}
  [[ $unites =~ ^[0-9]+$ ]] || erreur "durée illisible dans « $jeton »"
  local n=$((unites * double_croche))
  local f="$travail/n_${voix}_${hauteurs//+/_}_$unites.sox"
  if [ ! -f "$f" ]; then
    local parties=() i=0 h
    for h in ${hauteurs//+/ }; do
      jouer_instrument "$voix" "$h" "$n" "$f.$i.sox"
      parties+=(-v 1 "$f.$i.sox")
      i=$((i + 1))
    done
    if [ $i -eq 1 ]; then mv "$f.0.sox" "$f.brut.sox"; else sox -m "${parties[@]}" "$f.brut.sox"; fi
    local l
    l=$(soxi -s "$f.brut.sox")
    if [ "$l" -lt "$n" ]; then
      sox "$f.brut.sox" "$f" pad 0 "$((n - l))s"
    else
      sox "$f.brut.sox" "$f" trim 0 "${n}s"
    fi
  fi
  echo "$f"
}

declare -A voix_section=()
sections=()
forme=()
double_croche=0
section=""
while read -r mot reste; do
  case $mot in
    ''|'#'*) ;;
    tempo)
      # Une double croche doit tomber sur un nombre entier d'échantillons,
      # sinon les voix se décalent au fil des mesures.
      (( taux * 15 % reste == 0 )) || erreur "tempo $reste : double croche non entière"
      double_croche=$((taux * 15 / reste)) ;;
    section) section=$reste; sections+=("$section") ;;
    forme) read -r -a forme <<<"$reste" ;;
    melodie|basse|accords|batterie)
      [ -n "$section" ] || erreur "voix $mot hors de toute section"
      voix_section["$section/$mot"]+=" $reste" ;;
    *) erreur "ligne inconnue « $mot »" ;;
  esac
done < "$partition"
[ "$double_croche" -gt 0 ] || erreur "tempo manquant"
[ ${#forme[@]} -gt 0 ] || erreur "forme manquante"

# Chaque section : ses voix mises bout à bout note par note, puis mélangées.
for sec in "${sections[@]}"; do
  pistes=()
  longueur=""
  for voix in melodie basse accords batterie; do
    cle="$sec/$voix"
    [ -n "${voix_section[$cle]:-}" ] || continue
    fichiers=()
    for jeton in ${voix_section[$cle]}; do
      fichiers+=("$(note "$voix" "$jeton")")
    done
    piste="$travail/s_${sec}_$voix.sox"
    if [ ${#fichiers[@]} -eq 1 ]; then cp "${fichiers[0]}" "$piste"; else sox "${fichiers[@]}" "$piste"; fi
    l=$(soxi -s "$piste")
    [ -z "$longueur" ] || [ "$l" -eq "$longueur" ] || erreur "section $sec : la voix $voix n'a pas la longueur des autres"
    longueur=$l
    pistes+=(-v 0.5 "$piste")
  done
  [ ${#pistes[@]} -gt 0 ] || erreur "section $sec vide"
  if [ ${#pistes[@]} -eq 2 ]; then cp "${pistes[1]}" "$travail/section_$sec.sox"
  else sox -m "${pistes[@]}" "$travail/section_$sec.sox"; fi
done

morceaux=()
for sec in "${forme[@]}"; do
  [ -f "$travail/section_$sec.sox" ] || erreur "la forme cite la section inconnue $sec"
  morceaux+=("$travail/section_$sec.sox")
done
if [ ${#morceaux[@]} -eq 1 ]; then cp "${morceaux[0]}" "$travail/musique.sox"
else sox "${morceaux[@]}" "$travail/musique.sox"; fi

if [ -n "$duree" ]; then
  voulu=$(awk "BEGIN { printf \"%d\", $duree * $taux }")
  present=$(soxi -s "$travail/musique.sox")
  if [ "$present" -lt "$voulu" ]; then ajuste=(pad 0 "$((voulu - present))s"); else ajuste=(trim 0 "${voulu}s"); fi
  sox "$travail/musique.sox" "$travail/ajustee.sox" "${ajuste[@]}"
  mv "$travail/ajustee.sox" "$travail/musique.sox"
fi
sox "$travail/musique.sox" -r $taux -c 1 -b 16 "$travail/fin.wav" fade h 0 -0 "$fondu_final" norm -1
if [ -n "$avant" ]; then
  sox "$avant" "$travail/fin.wav" -r $taux -c 1 -b 16 "$sortie"
else
  mv "$travail/fin.wav" "$sortie"
fi
