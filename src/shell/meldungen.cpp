#include "meldungen.h"

#include <QMessageBox>

namespace shell {

void MessageBoxMeldungen::zeige(const QString& text) {
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Gramura"), text, QMessageBox::Ok, m_parent);
    box.exec();
}

} // namespace shell
