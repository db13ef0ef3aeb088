#ifndef CADRE_VOTE_H
#define CADRE_VOTE_H

#include <QLabel>

class QDragEnterEvent;
class QDragLeaveEvent;
class QDropEvent;

// Case du tableau de classement du vote final : elle reçoit par glisser-déposer
// le nom d'un accusé et retient son index dans le rôle.
class Cadre_vote : public QLabel
{
public:
    explicit Cadre_vote(QWidget* parent = nullptr);
    ~Cadre_vote() override;

    void placer_nom(const QString& nom);
    void vider();
    int get_index_accuse() const { return index_accuse; }
    int get_index_remplace() const { return index_remplace; }
    void oublier_index_remplace();

protected:
    void dragEnterEvent(QDragEnterEvent* e) override;
    void dragLeaveEvent(QDragLeaveEvent* e) override;
    void dropEvent(QDropEvent* e) override;

private:
    void changer_style(const char* valeur);
    void retrouver_style();

    int index_accuse;
    int index_remplace;
};

#endif
