#pragma once

#include <QWidget>

class QLabel;
class QPushButton;
class TTomasRetornadas;

// The 28 cells of a blister that came back, as the pharmacist holds it: the days across, the time
// slots down. Each cell is a button with its number; a returned cell shows its units on the
// highlight colour. Clicking a cell announces it; what a click does is the screen's business.
class TBlisterRetorno : public QWidget
{
    Q_OBJECT

public:
    explicit TBlisterRetorno(QWidget *parent = nullptr);

    // Draws the marks, and the day and slot words in the current language.
    void Mostrar(const TTomasRetornadas &tomas);
    QPushButton *Celda(int toma) const;

signals:
    void tomaPulsada(int toma);

private:
    QList<QLabel *> m_dias;
    QList<QLabel *> m_franjas;
    QList<QPushButton *> m_celdas;
};
