#include "ui/patients/CampoMedico.h"

#include "core/common/AppError.h"
#include "core/i18n/ULenguaje.h"
#include "core/settings/uPreferencias.h"
#include "ui/i18n/Componente.h"
#include "ui/shell/Mensajes.h"

#include <QLineEdit>

TCampoMedico::TCampoMedico(QWidget *parent)
    : QComboBox(parent)
{
    TextosDeCodigo(*this); // the pharmacy's doctors
    setEditable(true);
    setInsertPolicy(QComboBox::NoInsert);
    lineEdit()->setMaxLength(kLargo);
    for (const QString &medico : std::as_const(Preferencias().Medicos))
        addItem(medico.toUpper());
    connect(lineEdit(), &QLineEdit::editingFinished, this, &TCampoMedico::Salir);
}

bool TCampoMedico::EnLaLista(const QString &medico) const
{
    for (int i = 0; i < count(); ++i) {
        if (itemText(i).trimmed().toUpper() == medico)
            return true;
    }
    return false;
}

void TCampoMedico::Mostrar(const QString &medico)
{
    setEditText(medico);
    m_preguntado = medico.trimmed().toUpper();
}

void TCampoMedico::Salir()
{
    const QString medico = currentText().trimmed().toUpper();
    setEditText(medico);
    // Leaving the field again with the same name does not ask twice.
    if (medico.isEmpty() || medico == m_preguntado || EnLaLista(medico))
        return;
    m_preguntado = medico;
    if (Confirmar(Traducir(QStringLiteral("QST_ANADIR_MEDICO_LISTA"),
                           QStringLiteral("¿DESEA AÑADIR ESTE MEDICO A LA LISTA DE MEDICOS?")))
        != 1)
        return;
    try {
        Preferencias().AnadirMedico(medico);
    } catch (const AppError &error) {
        MostrarError(error.message());
        return;
    }
    addItem(medico);
    setEditText(medico);
}
