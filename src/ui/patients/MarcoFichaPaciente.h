#pragma once

#include "core/patients/EdicionPaciente.h"
#include "core/patients/InformeFichaPaciente.h"

#include <QWidget>

#include <memory>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class TCampoMedico;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

// The patient card: every field of the patient, the photo and the attached documents. The card
// dialog shows it for a new or a chosen patient, the patient screen for the active patient; the
// host gives its caption, the action its audit rows carry. Checking and storing are the rules of
// TEdicionPaciente; the card shows their messages and puts the focus on the field concerned.
// It is read-only for a user whose profile may not edit patients.
class TMarcoFichaPaciente : public QWidget
{
    Q_OBJECT

public:
    // The card of the patient, or of a new patient for 0. When it cannot be opened the reason is
    // shown and the card stays empty and read-only.
    explicit TMarcoFichaPaciente(qint64 idPaciente, QWidget *parent = nullptr);
    ~TMarcoFichaPaciente() override;

    bool Abierta() const { return m_edicion != nullptr; }
    bool SoloLectura() const { return m_soloLectura; }
    bool EsNuevo() const;
    qint64 IdPaciente() const;
    // The patient was stored at least once from this card.
    bool Guardada() const { return m_guardada; }

    // The card as typed.
    TFichaPaciente Ficha() const;

    // Checks and stores the card; the first failure is shown, its field takes the focus and the
    // card keeps what was typed. True when stored.
    bool Guardar(const QString &accion);
    // The card is left without storing (see TEdicionPaciente::Descartar).
    void Descartar(const QString &accion);
    // "IMPRIMIR": stores the card (unless read-only), shows it in the report preview with its
    // documents and writes the listing's audit row.
    void Imprimir(const QString &accion);

    // The operations behind the photo and document buttons once the file is chosen.
    void ElegirFoto(const QString &ruta);
    void BorrarFoto();
    void InsertarDocumento(const QString &ruta);
    void BorrarDocumento();

private:
    void Construir();
    void Mostrar(const TFichaPaciente &ficha);
    void MostrarFoto();
    void MostrarDocumentos();
    void Bloquear();
    void Enfocar(TCampoFicha campo);
    void MostrarCalendario();
    void CategoriaElegida(int indice);
    void SeleccionarCategoria(int codigo);
    void btnFotoEditarClick();
    void btnDocumentoInsertarClick();
    void AbrirDocumento(const QString &nombre);
    QString Carpeta() const;
    QList<TSeccionFicha> Secciones() const;

    std::unique_ptr<TEdicionPaciente> m_edicion;
    bool m_soloLectura = true;
    bool m_guardada = false;
    int m_categoriaAnterior = 0;

    QLineEdit *m_edtReferencia;
    QLineEdit *m_edtDNI;
    QLineEdit *m_edtNombre;
    QLineEdit *m_edtDireccion;
    QLineEdit *m_edtTelefono;
    QLineEdit *m_edtEmail;
    QLineEdit *m_edtFechaNacimiento;
    QToolButton *m_btnCalendario;
    QCalendarWidget *m_calendario;
    QRadioButton *m_rbHombre;
    QRadioButton *m_rbMujer;
    QComboBox *m_cmbCategoria;
    QCheckBox *m_chkActivo;
    QCheckBox *m_chkFotoBlister;
    QCheckBox *m_chkControlInventario;
    QPlainTextEdit *m_memProblemas;
    QPlainTextEdit *m_memEnfermedades;
    QPlainTextEdit *m_memAlergias;
    QPlainTextEdit *m_memNotas;
    TCampoMedico *m_cmbMedicoNombre;
    QLineEdit *m_edtMedicoTelefono;
    QLineEdit *m_edtMedicoDireccion;
    QLineEdit *m_edtMedicoEmail;
    QLineEdit *m_edtContactoNombre;
    QLineEdit *m_edtContactoTelefono;
    QLineEdit *m_edtContactoDireccion;
    QLineEdit *m_edtContactoEmail;
    QLabel *m_imgFoto;
    QPushButton *m_btnFotoEditar;
    QPushButton *m_btnFotoBorrar;
    QListWidget *m_lstDocumentos;
    QPushButton *m_btnDocumentoInsertar;
    QPushButton *m_btnDocumentoBorrar;
};
