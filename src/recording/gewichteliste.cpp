#include "gewichteliste.h"

#include "vorlage.h"

#include <QDir>
#include <QSqlError>
#include <QSqlQuery>

namespace recording {

const QString GewichteListe::kAbfrage = QStringLiteral("Select * from gewichte order by datum desc");

GewichteListe::GewichteListe(const QLocale& locale, const QString& verbindung, QObject* parent)
    : QSqlQueryModel(parent), m_locale(locale), m_quelle(verbindung) {}

GewichteListe::~GewichteListe() {
    schliessen();
}

bool GewichteListe::abfragen() {
    m_fehler.clear();
    if (!m_quelle.offen() || m_quelle.pfad() != m_pfad) {
        schliessen();
        if (!m_quelle.oeffnen(m_pfad)) {
            m_fehler = m_quelle.fehler();
            return false;
        }
    }
    setQuery(kAbfrage, m_quelle.db());
    if (lastError().isValid()) {
        m_fehler = QStringLiteral("Die Liste aus „%1“ lässt sich nicht lesen: %2")
                       .arg(QDir::toNativeSeparators(m_pfad), lastError().text());
        clear();
        return false;
    }
    m_abgefragt = true;
    return true;
}

void GewichteListe::schliessen() {
    // The model's query holds the file open; it goes first.
    clear();
    m_quelle.schliessen();
}

QVariant GewichteListe::data(const QModelIndex& index, int role) const {
    const QVariant wert = QSqlQueryModel::data(index, role);
    if (role == Qt::TextAlignmentRole && index.column() == 1)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole || !wert.isValid() || wert.isNull())
        return wert;
    if (index.column() == 0)
        return datumText(wert, m_locale);
    if (index.column() == 1)
        return gewichtText(wert.toDouble(), m_locale);
    return wert;
}

QVariant GewichteListe::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole) {
        if (section == 0)
            return QStringLiteral("Datum / Uhrzeit");
        if (section == 1)
            return QStringLiteral("Gewicht");
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString(); // the record selector column carries no numbers
    return QSqlQueryModel::headerData(section, orientation, role);
}

QString GewichteListe::datumText(const QVariant& gespeichert, const QLocale& locale) {
    const QDateTime moment = datumAusSpeicherform(gespeichert.toString());
    if (!moment.isValid())
        return gespeichert.toString();
    return locale.toString(moment.date(), QLocale::ShortFormat) + u' ' +
           moment.time().toString(QStringLiteral("HH:mm:ss"));
}

QString GewichteListe::gewichtText(double wert, const QLocale& locale) {
    QLocale format = locale;
    format.setNumberOptions(format.numberOptions() & ~QLocale::OmitGroupSeparator);
    return format.toString(wert, 'f', 1);
}

} // namespace recording
