#!/usr/bin/env bash
# Refait les graines du fuzzer à partir de parties jouées : test_graines joue
# des parties en mode test (temps accéléré) et copie chaque sauvegarde écrite
# dans tests/fuzz/graines/. À lancer après une construction dans build/.
set -euo pipefail
cd "$(dirname "$0")/.."
cmake --build build -j2 --target test_graines
cd build && GRAINES_DOSSIER="$OLDPWD/tests/fuzz/graines" ctest -R "^test_graines$" --output-on-failure
