#!/usr/bin/env bash
# Lance toute la suite de tests d'un dossier de construction, comme ./tester et
# tools/stabilite.sh la lancent : deux tests par cœur, car sous temps accéléré un
# test attend surtout ses minuteurs ; les plus longs partent les premiers.
# Usage : tools/suite.sh DOSSIER_DE_CONSTRUCTION
set -euo pipefail
if [ $# -ne 1 ]; then
  echo "Usage : $0 DOSSIER_DE_CONSTRUCTION" >&2
  exit 2
fi
tests_par_coeur=2
cd "$1"
exec ctest --output-on-failure -j"$(($(nproc) * tests_par_coeur))"
