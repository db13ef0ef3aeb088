#ifndef PDF_EN_TEXTE_H
#define PDF_EN_TEXTE_H
// Le texte d'un PDF relu par pdftotext (poppler-utils, chemin CHEMIN_PDFTOTEXT
// donné par la construction), avec ses options ; vide si pdftotext échoue.
#include <QProcess>
#include <QString>
#include <QStringList>

inline QString pdf_en_texte(const QString& chemin, const QStringList& options, int attente_ms)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral(CHEMIN_PDFTOTEXT), options + QStringList{chemin, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(attente_ms) || pdftotext.exitCode() != 0)
        return {};
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

#endif
