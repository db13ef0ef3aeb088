#ifndef IMAGES_H
#define IMAGES_H

#include <QImage>

// Une fonction par image du jeu ; chacune rend une image complète, prête à
// être enregistrée en PNG.
QImage dessiner_fond();
QImage dessiner_fleche();
QImage dessiner_image_fond_anime(int index_image, int nombre_images);
QImage dessiner_icone();

#endif
