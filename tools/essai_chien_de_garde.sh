#!/usr/bin/env bash
# Vérification à la main du chien de garde des tests : une soirée accélérée,
# arrêtée exprès au bout de quelques secondes, doit laisser dans le journal la
# pile de chacun de ses fils. Hors de la suite : elle échoue exprès.
# Usage : tools/essai_chien_de_garde.sh [dossier de construction, build par défaut]
set -euo pipefail
cd "$(dirname "$0")/.."
construction=${1:-build}
programme="$construction/tests/test_soiree"
limite_s=3
[ -x "$programme" ] || { echo "Construisez d'abord les tests : $programme est introuvable" >&2; exit 1; }

journal=$(mktemp)
trap 'rm -f "$journal"' EXIT
code=0
QT_QPA_PLATFORM=offscreen tests/chien_de_garde.sh "$limite_s" faketime -f "+0 x100" "$programme" \
  >"$journal" 2>&1 || code=$?

fils=$(grep -c '^Thread [0-9]* (Thread' "$journal" || true)
grep -E '^(Chien de garde|=== Processus|Thread [0-9]* \(Thread)' "$journal"
if [ "$code" -ne 124 ] || [ "$fils" -lt 2 ] || ! grep -q 'QEventLoop::exec' "$journal"; then
  echo "Échec : code $code, $fils piles de fils (journal complet ci-dessous)" >&2
  cat "$journal" >&2
  exit 1
fi
echo "Chien de garde vérifié : $fils piles de fils affichées, test arrêté (code $code)"
