// A stand-in for the operator's application: a window with a menu bar and one text field. It reports on
// stdout every text change ("TEXT:...") and every focus move ("FOKUS:<class>"), and "BEREIT" once the field
// has the keyboard focus. It ends when its stdin closes. With "--verzoegerung MS" it handles a Ctrl+V only MS
// later, as a busy browser-based ERP or a loaded terminal server does. A line "KOPIEREN:<text>" on stdin
// copies the text to the clipboard, as the operator does in the application, and is answered "KOPIERT".
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QSocketNotifier>
#include <QStyleFactory>
#include <QTimer>
#include <cstdio>
#include <unistd.h>

namespace {

void melden(const QString& zeile) {
    std::printf("%s\n", zeile.toUtf8().constData());
    std::fflush(stdout);
}

// Holds back the field's Ctrl+V and pastes after the delay.
class SpaetesEinfuegen final : public QObject {
public:
    SpaetesEinfuegen(QLineEdit* feld, int ms) : QObject(feld), m_feld(feld), m_ms(ms) {}

protected:
    bool eventFilter(QObject* objekt, QEvent* ereignis) override {
        if (ereignis->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(ereignis)->matches(QKeySequence::Paste)) {
            QTimer::singleShot(m_ms, m_feld, &QLineEdit::paste);
            return true;
        }
        return QObject::eventFilter(objekt, ereignis);
    }

private:
    QLineEdit* m_feld;
    int m_ms;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    // The Windows style walks the menu bar on a lone Alt tap, as the operators' programs do.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("windows")));
    QMainWindow fenster;
    fenster.setWindowTitle(QStringLiteral("Zielfeld"));
    fenster.menuBar()->addMenu(QStringLiteral("Datei"))->addAction(QStringLiteral("Ende"));
    auto* feld = new QLineEdit;
    feld->setObjectName(QStringLiteral("ziel"));
    fenster.setCentralWidget(feld);
    fenster.resize(400, 120);
    const QStringList argumente = QCoreApplication::arguments();
    if (const auto stelle = argumente.indexOf(QStringLiteral("--verzoegerung")); stelle > 0) {
        if (const int ms = argumente.value(stelle + 1).toInt(); ms > 0)
            feld->installEventFilter(new SpaetesEinfuegen(feld, ms));
    }

    QObject::connect(feld, &QLineEdit::textChanged,
                     [](const QString& text) { melden(QStringLiteral("TEXT:") + text); });
    bool bereit = false;
    QObject::connect(&app, &QApplication::focusChanged, [&](QWidget*, QWidget* jetzt) {
        melden(QStringLiteral("FOKUS:") + QString::fromLatin1(jetzt ? jetzt->metaObject()->className() : "-"));
        if (jetzt == feld && !bereit) {
            bereit = true;
            melden(QStringLiteral("BEREIT"));
        }
    });
    QSocketNotifier eingabe(STDIN_FILENO, QSocketNotifier::Read);
    QByteArray zeilen;
    QObject::connect(&eingabe, &QSocketNotifier::activated, [&] {
        char puffer[256];
        const auto gelesen = ::read(STDIN_FILENO, puffer, sizeof puffer);
        if (gelesen <= 0) {
            app.quit();
            return;
        }
        zeilen.append(puffer, gelesen);
        for (qsizetype ende = zeilen.indexOf('\n'); ende >= 0; ende = zeilen.indexOf('\n')) {
            const QString zeile = QString::fromUtf8(zeilen.left(ende));
            zeilen.remove(0, ende + 1);
            if (zeile.startsWith(QStringLiteral("KOPIEREN:"))) {
                QApplication::clipboard()->setText(zeile.mid(9));
                melden(QStringLiteral("KOPIERT"));
            }
        }
    });

    fenster.show();
    // Without a window manager the window takes the input focus itself.
    QTimer::singleShot(100, [&] {
        fenster.activateWindow();
        feld->setFocus();
    });
    return app.exec();
}
