#pragma once

#include <QDate>
#include <QWidget>

class QLineEdit;
class QToolButton;

// A date field with its calendar button: the button shows a month calendar on the field's date
// (today when the field holds no date); a double click on a day writes it into the field and
// hides the calendar. The field holds dates as "dd/mm/yyyy" but accepts any text typed.
class TCampoFecha : public QWidget
{
    Q_OBJECT

public:
    // `nombre` names the field for the catalogue and the tests; the button is "btn" + nombre.
    TCampoFecha(const QString &nombre, QWidget *parent = nullptr);

    QLineEdit *Campo() const { return m_edtFecha; }
    QString Texto() const;
    void setTexto(const QString &texto);
    void setFecha(const QDate &fecha);
    // The field's date; invalid when the text is not a date.
    QDate Fecha() const;

    void MostrarCalendario();

private:
    QLineEdit *m_edtFecha;
    QToolButton *m_btnCalendario;
};
