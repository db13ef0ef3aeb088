# Écran virtuel commun aux scripts de mesure (à sourcer, pas à lancer).
# Un Xvfb sur un numéro d'affichage libre, choisi par Xvfb lui-même (-displayfd),
# dont l'image est tenue dans un fichier (-fbdir) : on lit l'écran sans passer
# par le serveur X. Un gestionnaire de fenêtres (openbox, s'il est installé)
# honore le plein écran du jeu comme sur la machine de la soirée.

attendre() {  # $1 = nombre d'essais de 0,05 s, puis la commande à réussir
    local essais=$1
    shift
    until "$@" >/dev/null 2>&1; do
        essais=$((essais - 1))
        [ "$essais" -gt 0 ] || return 1
        sleep 0.05
    done
}

demarrer_ecran_virtuel() {  # $1 = géométrie, par exemple 1920x1080x24
    DOSSIER_ECRAN=$(mktemp -d)
    FICHIER_ECRAN="$DOSSIER_ECRAN/Xvfb_screen0"
    Xvfb -displayfd 3 -screen 0 "$1" -br -nolisten tcp -fbdir "$DOSSIER_ECRAN" \
        3>"$DOSSIER_ECRAN/affichage" 2>"$DOSSIER_ECRAN/xvfb.log" &
    PID_XVFB=$!
    if ! attendre 200 grep -q '[0-9]' "$DOSSIER_ECRAN/affichage"; then
        echo "Xvfb ne démarre pas :" >&2
        cat "$DOSSIER_ECRAN/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(tr -dc '0-9' <"$DOSSIER_ECRAN/affichage")"
    PID_GESTIONNAIRE=""
    if command -v openbox >/dev/null; then
        openbox --sm-disable >/dev/null 2>&1 &
        PID_GESTIONNAIRE=$!
        attendre 200 sh -c 'xprop -root _NET_SUPPORTING_WM_CHECK | grep -q "window id"' \
            || echo "openbox ne répond pas : fenêtre sans plein écran." >&2
    else
        echo "Pas d'openbox (apt-get install openbox) : la fenêtre ne sera pas en plein écran." >&2
    fi
}

arreter_ecran_virtuel() {
    [ -n "${PID_GESTIONNAIRE:-}" ] && kill "$PID_GESTIONNAIRE" 2>/dev/null && wait "$PID_GESTIONNAIRE" 2>/dev/null
    [ -n "${PID_XVFB:-}" ] && kill "$PID_XVFB" 2>/dev/null && wait "$PID_XVFB" 2>/dev/null
    [ -n "${DOSSIER_ECRAN:-}" ] && rm -rf "$DOSSIER_ECRAN"
    return 0
}
