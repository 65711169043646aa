#pragma once

#include <QDate>
#include <QString>

class TDM;

// What the "INTRODUCIR MEDICAMENTO" dialog holds, as typed.
struct TDatosPeticion
{
    QString CodigoProducto; // "CÓDIGO MEDICAMENTO": a product
    QString CodigoPrincipio; // "CÓDIGO PRINCIPIO ACTIVO": an active ingredient
    QString Lote;
    QString Caducidad;
};

// The medication the dialog returns: the treatment's medication (the active ingredient when one
// was given, otherwise the product), the product in stock, the lot and the expiry.
struct TMedicamentoPedido
{
    qint64 idMedicamento = 0;
    qint64 IdMedicamentoReal = 0;
    QString Lote;
    QDate Caducidad;
};

// The field a refusal concerns, where the dialog puts the focus.
enum class TCampoPeticion { Producto, Principio, Lote, Caducidad };

struct TRespuestaPeticion
{
    QString Error; // empty when accepted
    TCampoPeticion Campo = TCampoPeticion::Producto;
    TMedicamentoPedido Pedido;
};

// The acceptance rules of the "INTRODUCIR MEDICAMENTO" dialog, checked in order; the first
// failure gives its message.
class TPeticionMedicamento
{
public:
    struct TContexto
    {
        qint64 Esperado = 0; // the code the caller expects; 0 when any will do
        bool ConInventario = true; // the active patient's stock is controlled
        bool DatosObligatorios = true; // preference IdatMedOB is 1
        bool MesPrimero = false; // the locale writes dates month first
    };

    TPeticionMedicamento(TDM &dm, const TContexto &contexto)
        : m_dm(dm)
        , m_contexto(contexto)
    { }

    TRespuestaPeticion Validar(const TDatosPeticion &datos);

    // The lot stored when lot and expiry are not required and none was typed, and the expiry.
    static QString LoteDesconocido();
    static const QDate &SinCaducidad(); // 31 December 2500

private:
    // The code when it names a catalogue entry of that kind (active ingredient or product).
    qint64 CodigoDeTipo(const QString &texto, bool principioActivo);

    TDM &m_dm;
    TContexto m_contexto;
};
