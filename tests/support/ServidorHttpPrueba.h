#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

// A stand-in update server: tests/support/servidor_http.py on a free port of 127.0.0.1,
// serving a folder the test fills.
class ServidorHttpPrueba
{
public:
    ServidorHttpPrueba()
    {
        m_proceso.start(QStringLiteral(PYTHON3), {QStringLiteral(SERVIDOR_HTTP), m_raiz.path()});
        if (m_proceso.waitForReadyRead(10000))
            m_puerto = m_proceso.readLine().trimmed().toInt();
    }
    ~ServidorHttpPrueba()
    {
        m_proceso.kill();
        m_proceso.waitForFinished();
    }

    bool escucha() const { return m_puerto > 0; }
    // The text with "%1" replaced by the server's port.
    QString conPuerto(QString texto) const
    {
        return texto.replace(QStringLiteral("%1"), QString::number(m_puerto));
    }
    void publicar(const QString &ruta, const QByteArray &bytes) const
    {
        const QString archivo = m_raiz.filePath(ruta);
        QDir().mkpath(QFileInfo(archivo).absolutePath());
        QFile salida(archivo);
        QVERIFY(salida.open(QIODevice::WriteOnly));
        salida.write(bytes);
    }
    void vaciar() const
    {
        const QStringList entradas = QDir(m_raiz.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
        for (const QString &entrada : entradas) {
            QDir(m_raiz.filePath(entrada)).removeRecursively();
            QFile::remove(m_raiz.filePath(entrada));
        }
    }

private:
    QTemporaryDir m_raiz;
    QProcess m_proceso;
    int m_puerto = 0;
};
