#!/usr/bin/env bash
# Construit le fuzzer du fichier de sauvegarde (clang, libFuzzer, ASan, UBSan)
# dans build-fuzz/ et le lance sur un corpus semé de tests/fuzz/graines/.
# Usage : tools/fuzz_sauvegarde.sh [secondes]   (60 par défaut)
# Un plantage ou un rapport d'un sanitizer arrête le script en échec ; le
# fichier fautif est gardé dans build-fuzz/ (crash-*), à rejouer avec
# build-fuzz/fuzz_sauvegarde build-fuzz/crash-...
set -euo pipefail
cd "$(dirname "$0")/.."
duree=${1:-60}

CXX=clang++ cmake -S tests/fuzz -B build-fuzz
cmake --build build-fuzz -j2

# Le corpus grandit d'un lancement à l'autre ; les graines y sont remises à chaque fois.
mkdir -p build-fuzz/corpus
cp tests/fuzz/graines/*.txt build-fuzz/corpus/
build-fuzz/fuzz_sauvegarde -max_total_time="$duree" -timeout=10 -artifact_prefix=build-fuzz/ build-fuzz/corpus
