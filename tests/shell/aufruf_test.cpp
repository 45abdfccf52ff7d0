// The command line as the person who types it meets it, with the computer's language English: the help and
// every refusal in German, Qt's part of them included.
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct Aufruf {
    const char* name;
    QStringList argumente;
    int exitCode;
    // What stands in the stream the answer goes to, and what must not stand there.
    QStringList steht;
    QStringList fehlt;
    bool aufFehlerausgabe;
};

void PrintTo(const Aufruf& a, std::ostream* os) {
    *os << a.name;
}

class Befehlszeile : public testing::TestWithParam<Aufruf> {};

TEST_P(Befehlszeile, AnswersInGermanWhateverTheComputersLanguage) {
    const Aufruf& a = GetParam();
    QProcess prozess;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // Without a display: the answers come before any window is asked for.
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LANGUAGE"})
        env.remove(QString::fromLatin1(name));
    env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    env.insert(QStringLiteral("LANG"), QStringLiteral("C"));
    prozess.setProcessEnvironment(env);
    prozess.start(QStringLiteral(GRAMURA_PROGRAMM), a.argumente);
    ASSERT_TRUE(prozess.waitForFinished(60000));
    const QString ausgabe = QString::fromUtf8(prozess.readAllStandardOutput());
    const QString fehler = QString::fromUtf8(prozess.readAllStandardError());
    EXPECT_EQ(prozess.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(prozess.exitCode(), a.exitCode) << fehler.toStdString();
    const QString& antwort = a.aufFehlerausgabe ? fehler : ausgabe;
    EXPECT_TRUE((a.aufFehlerausgabe ? ausgabe : fehler).isEmpty());
    for (const QString& text : a.steht)
        EXPECT_TRUE(antwort.contains(text)) << text.toStdString() << " in:\n" << antwort.toStdString();
    for (const QString& text : a.fehlt)
        EXPECT_FALSE(antwort.contains(text)) << text.toStdString() << " in:\n" << antwort.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Aufrufe, Befehlszeile,
    testing::Values(Aufruf{"help",
                           {QStringLiteral("--help")},
                           0,
                           {QStringLiteral("Aufruf: gramura [Optionen]"), QStringLiteral("\nOptionen:\n"),
                            QStringLiteral("Diese Hilfe anzeigen."), QStringLiteral("--data-dir <DIR>")},
                           {QStringLiteral("Usage"), QStringLiteral("Options:"), QStringLiteral("<executable_name>")},
                           false},
                    Aufruf{"unknown_option",
                           {QStringLiteral("--gibtsnicht")},
                           2,
                           {QStringLiteral("gramura: unbekannte Option --gibtsnicht")},
                           {QStringLiteral("Unknown")},
                           true},
                    Aufruf{"missing_value",
                           {QStringLiteral("--export"), QStringLiteral("-"), QStringLiteral("--data-dir")},
                           2,
                           {QStringLiteral("gramura: --data-dir erwartet einen Wert")},
                           {QStringLiteral("Missing"), QStringLiteral("fehlt der Wert")},
                           true},
                    Aufruf{"unexpected_value",
                           {QStringLiteral("--demo=ja")},
                           2,
                           {QStringLiteral("gramura: --demo erwartet keinen Wert")},
                           {QStringLiteral("Unexpected"), QStringLiteral("Unerwartet")},
                           true}),
    [](const testing::TestParamInfo<Aufruf>& p) { return std::string(p.param.name); });

} // namespace
