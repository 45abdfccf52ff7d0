#pragma once

#include "recording/buchung.h"

#include <QSqlQuery>
#include <optional>

namespace zentrale {

// What the central store writes with each recorded row, in the row's transaction: its UTC instant into
// zentrale_zeit, and, should SQLite have handed out a number again that a server already has (another
// program deleted the newest rows), the servers' marks stepped back below it, so the new row is sent.
class ZeitBuchung final : public recording::Buchung {
public:
    bool vorbereiten(QSqlDatabase& db, QString* fehler) override;
    bool buchen(const QDateTime& jetzt, QString* fehler) override;
    void freigeben() override;

private:
    std::optional<QSqlQuery> m_zeit;
    std::optional<QSqlQuery> m_marke;
};

} // namespace zentrale
