// A stand-in for the operator's application: a window with a menu bar and one text field. It reports on
// stdout every text change ("TEXT:...") and every focus move ("FOKUS:<class>"), and "BEREIT" once the field
// has the keyboard focus. It ends when its stdin closes.
#include <QApplication>
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
    QObject::connect(&eingabe, &QSocketNotifier::activated, [&] {
        char puffer[64];
        if (::read(STDIN_FILENO, puffer, sizeof puffer) <= 0)
            app.quit();
    });

    fenster.show();
    // Without a window manager the window takes the input focus itself.
    QTimer::singleShot(100, [&] {
        fenster.activateWindow();
        feld->setFocus();
    });
    return app.exec();
}
