# Réglages des voix du jeu, lus par tools/sons/parole.sh. Le manifeste de
# resources/Sons garde l'empreinte de ce fichier : après toute modification,
# refaites toutes les voix (tools/sons/parole.sh), sinon les tests échouent.

langue=fr-FR
vitesse=90   # en % du débit de Pico : plus posé, la salle résonne
hauteur=92   # en % de sa hauteur : un peu plus grave, pour la solennité du tribunal
taux=16000   # le taux propre de Pico : rien à rééchantillonner

# Les silences que Pico laisse autour de la phrase, retirés.
rognage=(silence 1 0.01 0.3% reverse silence 1 0.01 0.3% reverse)

# Préparation pour une grande salle.
salle=(
  pad 0.03 0.25                  # la voix part tout de suite ; l'écho a le temps de s'éteindre
  highpass 80                    # rien sous la voix que la sono ferait ronfler
  equalizer 220 1q -2            # graves moins pâteux
  equalizer 2800 1.2q 3          # présence : les consonnes portent jusqu'au fond
  equalizer 6000 1q 1.5          # un peu d'air, Pico est sourd dans les aigus
  compand 0.005,0.15 6:-60,-60,-30,-18,-10,-7,0,-3 -3 -90 0.02   # un niveau égal de mot en mot
  reverb 15 50 40 0 0 -10        # un peu de salle, sans brouiller les mots
  norm -1                        # crête à -1 dB : jamais d'écrêtage
  fade h 0.02 -0 0.12
)
