#!/usr/bin/env bash
# Installe les paquets Debian qui manquent pour construire, lancer et tester le jeu.
# Usage : tools/installer_dependances.sh [jeu|tests]
set -euo pipefail

paquets=(
  build-essential cmake
  qtbase5-dev qtmultimedia5-dev libqt5multimedia5-plugins qttranslations5-l10n
  sox
)
if [ "${1:-jeu}" = tests ]; then
  paquets+=(faketime pulseaudio pulseaudio-utils gdb stress-ng clang libclang-rt-14-dev poppler-utils
            desktop-file-utils binutils-mingw-w64-x86-64 dpkg-dev file)
fi

manquants=()
for paquet in "${paquets[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$paquet" 2>/dev/null | grep -q "install ok installed"; then
    manquants+=("$paquet")
  fi
done
[ ${#manquants[@]} -eq 0 ] && exit 0

if ! command -v apt-get >/dev/null; then
  echo "Paquets manquants : ${manquants[*]} (installez-les avec le gestionnaire de paquets du système)" >&2
  exit 1
fi
sudo_si_besoin=()
[ "$(id -u)" -ne 0 ] && sudo_si_besoin=(sudo)
echo "Installation de : ${manquants[*]}"
"${sudo_si_besoin[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo_si_besoin[@]}" apt-get install -y -qq "${manquants[@]}"
