#include "meldungen.h"

#include <QMessageBox>

namespace shell {

void MessageBoxMeldungen::zeige(const QString& text) {
    zeige(text, QString());
}

void MessageBoxMeldungen::zeige(const QString& text, const QString& einzelheiten) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Gramura"), text, QMessageBox::Ok, m_parent);
    // Below the text rather than behind the box's details button, whose caption Qt gives in English.
    if (!einzelheiten.isEmpty())
        box.setInformativeText(einzelheiten);
    box.exec();
}

} // namespace shell
