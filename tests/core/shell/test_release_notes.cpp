#include "core/shell/ReleaseNotes.h"

#include <QTest>

// The lines the release-notes viewer lists from a notes file: the whole file, or after an update
// the notes of the versions newer than the build the workstation ran before.
class TestReleaseNotes : public QObject
{
    Q_OBJECT

    static QStringList notes()
    {
        return {QStringLiteral("|||* NOVEDADES"), QStringLiteral("-------------"),
                QStringLiteral("|*|1.0.0.19"),    QStringLiteral("- Etiquetas con el logo"),
                QStringLiteral("|*|1.0.0.18"),    QStringLiteral("- Copias |*|rápidas"),
                QStringLiteral("|*|1.0.0.16"),    QStringLiteral("- Primera versión")};
    }
    static QStringList newest()
    {
        return {QStringLiteral("1.0.0.19"), QStringLiteral("- Etiquetas con el logo")};
    }
    static QStringList twoNewest()
    {
        return newest() + QStringList {QStringLiteral("1.0.0.18"), QStringLiteral("- Copias rápidas")};
    }

private slots:
    void notesSince_data()
    {
        QTest::addColumn<QStringList>("lines");
        QTest::addColumn<QString>("build");
        QTest::addColumn<QStringList>("shown");
        QStringList beta = notes();
        beta[4] = QStringLiteral("|*|1.0.0.18 beta");
        QStringList withoutOpening = notes();
        withoutOpening.removeFirst();

        QTest::newRow("whole file")
                << notes() << QStringLiteral("000")
                << QStringList {QStringLiteral("* NOVEDADES"), QStringLiteral("-------------"),
                                QStringLiteral("1.0.0.19"),    QStringLiteral("- Etiquetas con el logo"),
                                QStringLiteral("1.0.0.18"),    QStringLiteral("- Copias rápidas"),
                                QStringLiteral("1.0.0.16"),    QStringLiteral("- Primera versión")};
        QTest::newRow("build older than two versions") << notes() << QStringLiteral("17") << twoNewest();
        QTest::newRow("build listed") << notes() << QStringLiteral("18") << newest();
        QTest::newRow("build of the newest") << notes() << QStringLiteral("19") << QStringList();
        QTest::newRow("word after the build") << beta << QStringLiteral("18") << newest();
        QStringList olderBeta = notes();
        olderBeta[4] = QStringLiteral("|*|1.0.0.17 beta");
        QTest::newRow("older build with a word after it") << olderBeta << QStringLiteral("18") << newest();
        QTest::newRow("no opening line") << withoutOpening << QStringLiteral("17") << QStringList();
        QTest::newRow("build not a number") << notes() << QStringLiteral("Version ")
                                            << twoNewest()
                        + QStringList {QStringLiteral("1.0.0.16"), QStringLiteral("- Primera versión")};
    }

    void notesSince()
    {
        QFETCH(QStringList, lines);
        QFETCH(QString, build);
        QFETCH(QStringList, shown);
        QCOMPARE(ReleaseNotes::notesSince(lines, build), shown);
    }
};

QTEST_GUILESS_MAIN(TestReleaseNotes)
#include "test_release_notes.moc"
