#pragma once

#include <QStringList>
#include <QWidget>

// The blister as a wheel of 28 cells: one sector per day (Monday at the top, then clockwise),
// each cut into four rings, the first time of day outermost. Each cell shows its text (the units
// it holds); the marked cell is drawn red. Pointing at a cell or clicking it marks it and tells
// which one (0 is Monday breakfast, as the week grid counts).
class TRuedaBlister : public QWidget
{
    Q_OBJECT

public:
    explicit TRuedaBlister(QWidget *parent = nullptr);

    // One text per cell; missing ones leave their cells empty.
    void AsignarTextos(const QStringList &textos);
    QString TextoCelda(int celda) const { return m_textos.value(celda); }

    void Marcar(int celda);
    int Marcada() const { return m_marcada; }

    // The cell under the point; -1 outside the wheel.
    int CeldaEn(const QPointF &punto) const;
    // The middle of a cell, where its text is drawn.
    QPointF CentroCelda(int celda) const;

    QSize sizeHint() const override { return {380, 380}; }
    QSize minimumSizeHint() const override { return {260, 260}; }

signals:
    void celdaSenalada(int celda);

protected:
    void paintEvent(QPaintEvent *evento) override;
    void mouseMoveEvent(QMouseEvent *evento) override;
    void mousePressEvent(QMouseEvent *evento) override;

private:
    struct TGeometria
    {
        QPointF centro;
        double exterior = 0.0; // radius of the wheel
        double interior = 0.0; // radius of the empty middle
        double anillo = 0.0; // width of one ring
    };
    TGeometria Geometria() const;
    void Senalar(const QPointF &punto);

    QStringList m_textos;
    int m_marcada = -1;
};
