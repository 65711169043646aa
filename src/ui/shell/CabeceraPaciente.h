#pragma once

#include <QWidget>

class QLabel;
struct TPacienteCarga;

// The line that heads a patient's screens: "PACIENTE" with the reference and the name, and the
// dates of admission ("FECHA ALTA") and discharge ("FECHA BAJA").
class TCabeceraPaciente : public QWidget
{
    Q_OBJECT

public:
    explicit TCabeceraPaciente(QWidget *parent = nullptr);

    void Mostrar(const TPacienteCarga &paciente);

private:
    QLabel *m_lblReferencia;
    QLabel *m_lblNombre;
    QLabel *m_lblFechaAlta;
    QLabel *m_lblFechaBaja;
};
