#pragma once

#include <QObject>
#include <QProcess>
#include <QString>

// The machine's FTP service: the server program (servidor_ftp.py) run by Python beside the
// simulator, listening on 127.0.0.1 only, with the one account "root". It ends with the
// simulator: it stops when its standard input closes.
class ServidorFtpMaquina : public QObject
{
    Q_OBJECT

public:
    struct Parametros
    {
        QString script;
        quint16 puerto = 0; // 0: a free port
        QString directorio; // its root; the machine's "/tmp" is the folder "tmp" inside
        QString clave; // the password of "root"
        bool rechazarSubida = false;
        int cortarTras = 0; // bytes of an upload before the connection is cut (0: never)
        int bytesPorSegundo = 0; // the pace of a slow machine (0: as fast as it goes)
    };

    explicit ServidorFtpMaquina(QObject *parent = nullptr);
    ~ServidorFtpMaquina() override;

    // Starts the server and waits until it listens; false (reported) when it does not.
    bool Iniciar(const Parametros &parametros);
    void Detener();

    bool EnMarcha() const { return m_proceso.state() == QProcess::Running && m_puerto != 0; }
    quint16 Puerto() const { return m_puerto; }
    const QString &Clave() const { return m_parametros.clave; }

signals:
    void registro(const QString &linea);

private:
    QStringList Argumentos() const;
    void LeerSalida();

    QProcess m_proceso;
    Parametros m_parametros;
    quint16 m_puerto = 0;
};
