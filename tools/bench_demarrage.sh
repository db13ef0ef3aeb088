#!/bin/bash
# Temps de démarrage du jeu : du lancement du processus à la première image de
# la page d'accueil à l'écran, médiane de plusieurs lancements, en ms.
# Usage : tools/bench_demarrage.sh [programme, par défaut build/le_sordane] [lancements, 7 par défaut]
#
# Méthode : le jeu tourne sous Xvfb (1920x1080x24, openbox s'il est installé),
# dont l'écran est un fichier projeté en mémoire (-fbdir). Une sonde Python note
# l'heure juste avant de lancer le processus, puis relit ce fichier toutes les
# millisecondes, sans requête X ni capture d'écran : l'écran, noir au départ,
# compte comme peint quand il est couvert en majorité et que l'avertissement
# orange de la page d'accueil y est dessiné, donc quand fenêtre, feuille de style,
# polices et textes sont réellement affichés. Un premier lancement non compté
# met les bibliothèques en cache ; le jeu est ensuite fermé et l'écran redevient
# noir avant le lancement suivant. Le jeu n'a aucune option cachée : il est
# lancé tel quel, sorties jetées.
set -u
PROGRAMME=${1:-build/le_sordane}
LANCEMENTS=${2:-7}
[ -x "$PROGRAMME" ] || { echo "Programme introuvable : $PROGRAMME" >&2; exit 2; }
command -v python3 >/dev/null || { echo "python3 est nécessaire à la sonde." >&2; exit 2; }

source "$(dirname "$0")/ecran_virtuel.sh"
trap 'arreter_ecran_virtuel' EXIT
demarrer_ecran_virtuel 1920x1080x24 || exit 1

QT_QPA_PLATFORM=xcb python3 - "$FICHIER_ECRAN" "$PROGRAMME" "$LANCEMENTS" <<'SONDE'
import mmap, statistics, struct, subprocess, sys, time

fichier, programme, lancements = sys.argv[1], sys.argv[2], int(sys.argv[3])
DELAI_MAXIMAL_S = 30
PART_COUVERTE = 0.5          # part de l'écran qui n'est plus noire
PIXELS_ORANGES_MIN = 40      # échantillons de la couleur #fa7b0a
PAS_LARGE = 997              # sonde légère : ~2000 pixels
PAS_FIN = 3                  # vérification complète : un pixel sur trois

with open(fichier, "rb") as f:
    ecran = mmap.mmap(f.fileno(), 0, access=mmap.ACCESS_READ)
# En-tête XWD : champs 32 bits gros-boutistes ; pixels sur 32 bits, octets B, V, R, X.
taille_entete, = struct.unpack(">I", ecran[0:4])
largeur, hauteur = struct.unpack(">II", ecran[16:24])
octets_par_ligne, = struct.unpack(">I", ecran[48:52])
nombre_couleurs, = struct.unpack(">I", ecran[76:80])
debut = taille_entete + 12 * nombre_couleurs
fin = debut + octets_par_ligne * hauteur

def canal(pas, decalage):
    return ecran[debut + decalage:fin:4 * pas]

def part_non_noire(pas):
    verts = canal(pas, 1)
    return 1 - verts.count(0) / len(verts)

def masque(octets, garder):
    table = bytes(1 if garder(v) else 0 for v in range(256))
    return int.from_bytes(octets.translate(table), "big")

def pixels_oranges():
    rouge = masque(canal(PAS_FIN, 2), lambda v: v >= 0xd8)
    vert = masque(canal(PAS_FIN, 1), lambda v: 0x58 <= v <= 0xa0)
    bleu = masque(canal(PAS_FIN, 0), lambda v: v <= 0x40)
    return bin(rouge & vert & bleu).count("1")

def accueil_peint():
    return part_non_noire(PAS_LARGE) > PART_COUVERTE and pixels_oranges() >= PIXELS_ORANGES_MIN

def attendre_ecran_noir():
    limite = time.monotonic() + DELAI_MAXIMAL_S
    while part_non_noire(PAS_LARGE) > 0.01:
        if time.monotonic() > limite:
            sys.exit("L'écran ne redevient pas noir.")
        time.sleep(0.01)

def mesurer():
    attendre_ecran_noir()
    depart = time.monotonic()
    jeu = subprocess.Popen([programme], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        while not accueil_peint():
            if jeu.poll() is not None or time.monotonic() - depart > DELAI_MAXIMAL_S:
                sys.exit("La page d'accueil n'est jamais apparue.")
            time.sleep(0.001)
        return (time.monotonic() - depart) * 1000
    finally:
        jeu.terminate()
        jeu.wait()

mesurer()
durees = [mesurer() for _ in range(lancements)]
print("Lancements (ms) :", " ".join(f"{d:.0f}" for d in durees))
print(f"Médiane : {statistics.median(durees):.0f} ms")
SONDE
