#include "gewichteliste.h"

#include "vorlage.h"

#include <QDir>
#include <QPointer>
#include <QSqlError>
#include <QSqlField>
#include <QSqlQuery>
#include <algorithm>
#include <limits>

namespace recording {

namespace {

// Every page query: the table's own columns as "Select *" gives them, then the rowid as the tie-breaker.
const auto kSeitenBasis = QStringLiteral("Select *, rowid from gewichte where rowid <= ? ");
const auto kAbsteigend = QStringLiteral(" order by datum desc, rowid desc limit ?");
const auto kAufsteigend = QStringLiteral(" order by datum asc, rowid asc limit ?");

} // namespace

const QString GewichteListe::kAbfrage = QStringLiteral("Select * from gewichte order by datum desc");

GewichteListe::GewichteListe(const QLocale& locale, const QString& verbindung, QObject* parent)
    : QAbstractTableModel(parent), m_locale(locale), m_quelle(verbindung) {}

GewichteListe::~GewichteListe() {
    m_seiten.clear();
    m_quelle.schliessen();
}

bool GewichteListe::abfragen() {
    beginResetModel();
    m_fehler.clear();
    m_seiten.clear();
    m_anzahl = 0;
    m_grenze = 0;
    m_spalten = QSqlRecord();
    m_datumSpalte = -1;
    bool gelesen = m_quelle.offen() && m_quelle.pfad() == m_pfad;
    if (!gelesen) {
        m_quelle.schliessen();
        gelesen = m_quelle.oeffnen(m_pfad);
        if (!gelesen)
            m_fehler = m_quelle.fehler();
    }
    if (gelesen) {
        // Two short statements, each done before the next: the columns, and the rowids' span. SQLite finds
        // the highest and lowest rowid at the ends of the table's tree, whatever its size.
        QSqlQuery query(m_quelle.db());
        query.setForwardOnly(true);
        gelesen = query.exec(kAbfrage + QStringLiteral(" limit 0"));
        if (gelesen) {
            m_spalten = query.record();
            query.finish();
            gelesen = query.exec(QStringLiteral(
                          "select (select max(rowid) from gewichte), (select min(rowid) from gewichte)")) &&
                      query.next();
        }
        if (gelesen) {
            m_grenze = query.value(0).toLongLong();
            const qint64 spanne = query.value(0).isNull() ? 0 : m_grenze - query.value(1).toLongLong() + 1;
            m_anzahl = static_cast<int>(std::min<qint64>(spanne, std::numeric_limits<int>::max()));
            query.finish();
            m_abfragenGesamt += 2;
            for (int i = 0; i < m_spalten.count(); ++i) {
                if (m_spalten.fieldName(i).compare(QStringLiteral("Datum"), Qt::CaseInsensitive) == 0)
                    m_datumSpalte = i;
            }
        } else {
            m_fehler = QStringLiteral("Die Liste aus „%1“ lässt sich nicht lesen: %2")
                           .arg(QDir::toNativeSeparators(m_pfad), query.lastError().text());
            m_spalten = QSqlRecord();
            m_anzahl = 0;
        }
    }
    ++m_generation;
    endResetModel();
    m_abgefragt = gelesen;
    return gelesen;
}

void GewichteListe::schliessen() {
    beginResetModel();
    m_seiten.clear();
    m_anzahl = 0;
    m_spalten = QSqlRecord();
    ++m_generation;
    endResetModel();
    m_quelle.schliessen();
}

int GewichteListe::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_anzahl;
}

int GewichteListe::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : m_spalten.count();
}

QVariant GewichteListe::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= m_anzahl || index.column() >= m_spalten.count())
        return {};
    if (role == Qt::TextAlignmentRole)
        return index.column() == 1 ? QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter) : QVariant();
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const Zeile* z = zeile(index.row());
    if (!z)
        return {};
    const QVariant& wert = z->werte.at(index.column());
    if (role != Qt::DisplayRole || !wert.isValid() || wert.isNull())
        return wert;
    if (index.column() == 0)
        return datumText(wert);
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
        if (section < m_spalten.count())
            return m_spalten.fieldName(section);
    }
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString(); // the record selector column carries no numbers
    return QAbstractTableModel::headerData(section, orientation, role);
}

const GewichteListe::Zeile* GewichteListe::zeile(int rang) const {
    const Seite* s = seite(rang / kSeitenZeilen);
    const int stelle = rang % kSeitenZeilen;
    return s && stelle < s->zeilen.size() ? &s->zeilen[stelle] : nullptr;
}

const GewichteListe::Seite* GewichteListe::seite(int nummer) const {
    if (auto it = m_seiten.find(nummer); it != m_seiten.end()) {
        it->benutzt = ++m_zugriff;
        return &*it;
    }
    Seite neu{seiteLesen(nummer), ++m_zugriff};
    // The page cache stays small: the least recently used page goes.
    if (m_seiten.size() >= kSeitenImSpeicher) {
        auto aeltester = m_seiten.begin();
        for (auto it = m_seiten.begin(); it != m_seiten.end(); ++it) {
            if (it->benutzt < aeltester->benutzt)
                aeltester = it;
        }
        m_seiten.erase(aeltester);
    }
    return &*m_seiten.insert(nummer, std::move(neu));
}

QVector<GewichteListe::Zeile> GewichteListe::seiteLesen(int nummer) const {
    const int anfang = nummer * kSeitenZeilen;
    const int anzahl = std::min(kSeitenZeilen, m_anzahl - anfang);
    if (anzahl <= 0 || m_spalten.isEmpty())
        return {};
    const auto vorige = m_seiten.constFind(nummer - 1);
    const auto naechste = m_seiten.constFind(nummer + 1);
    QVector<Zeile> zeilen;
    bool vonObenGenau = false;
    if (vorige != m_seiten.cend() && vorige->zeilen.size() == kSeitenZeilen) {
        zeilen = lesen(Richtung::Aelter, &vorige->zeilen.constLast().schluessel, false, anzahl);
        vonObenGenau = true;
    } else if (naechste != m_seiten.cend() && !naechste->zeilen.isEmpty()) {
        zeilen = lesen(Richtung::Neuer, &naechste->zeilen.constFirst().schluessel, false, anzahl);
        std::reverse(zeilen.begin(), zeilen.end());
    } else if (nummer == 0) {
        zeilen = lesen(Richtung::Aelter, nullptr, false, anzahl);
        vonObenGenau = true;
    } else if (anfang + anzahl == m_anzahl) {
        zeilen = lesen(Richtung::Neuer, nullptr, false, anzahl);
        std::reverse(zeilen.begin(), zeilen.end());
    } else if (Schluessel anker; schaetzungsAnker(anfang, &anker)) {
        zeilen = lesen(Richtung::Aelter, &anker, true, anzahl);
    }
    if (vonObenGenau && zeilen.size() < anzahl)
        endeGefunden(anfang + static_cast<int>(zeilen.size()));
    return zeilen;
}

QVector<GewichteListe::Zeile> GewichteListe::lesen(Richtung richtung, const Schluessel* ab, bool einschliesslich,
                                                   int anzahl) const {
    // Rows without Datum sort below every date: last in the list, first from its oldest end. Each direction
    // therefore reads the dated rows and the undated ones as two runs, each along the index on Datum.
    const QString mitDatum = QStringLiteral("and datum is not null");
    const QString ohneDatum = QStringLiteral("and datum is null");
    QVector<Zeile> zeilen;
    const auto lauf = [&](const QString& bedingung, const QVariantList& werte, const QString& ordnung) {
        const int rest = anzahl - static_cast<int>(zeilen.size());
        if (rest > 0)
            ausfuehren(kSeitenBasis + bedingung + ordnung, werte, rest, &zeilen);
    };
    const bool abOhneDatum = ab && ab->datum.isNull();
    if (richtung == Richtung::Aelter) {
        if (!ab) {
            lauf(mitDatum, {}, kAbsteigend);
            lauf(ohneDatum, {}, kAbsteigend);
        } else if (!abOhneDatum) {
            const QString vergleich = einschliesslich ? QStringLiteral("<=") : QStringLiteral("<");
            lauf(QStringLiteral("and (datum, rowid) %1 (?, ?)").arg(vergleich), {ab->datum, ab->rowid}, kAbsteigend);
            lauf(ohneDatum, {}, kAbsteigend);
        } else {
            const QString vergleich = einschliesslich ? QStringLiteral("<=") : QStringLiteral("<");
            lauf(ohneDatum + QStringLiteral(" and rowid %1 ?").arg(vergleich), {ab->rowid}, kAbsteigend);
        }
    } else {
        const QString vergleich = einschliesslich ? QStringLiteral(">=") : QStringLiteral(">");
        if (!ab) {
            lauf(ohneDatum, {}, kAufsteigend);
            lauf(mitDatum, {}, kAufsteigend);
        } else if (abOhneDatum) {
            lauf(ohneDatum + QStringLiteral(" and rowid %1 ?").arg(vergleich), {ab->rowid}, kAufsteigend);
            lauf(mitDatum, {}, kAufsteigend);
        } else {
            lauf(QStringLiteral("and (datum, rowid) %1 (?, ?)").arg(vergleich), {ab->datum, ab->rowid}, kAufsteigend);
        }
    }
    return zeilen;
}

bool GewichteListe::ausfuehren(const QString& sql, const QVariantList& werte, int anzahl,
                               QVector<Zeile>* zeilen) const {
    QSqlQuery query(m_quelle.db());
    query.setForwardOnly(true);
    bool ok = query.prepare(sql);
    if (ok) {
        query.addBindValue(m_grenze);
        for (const QVariant& wert : werte)
            query.addBindValue(wert);
        query.addBindValue(anzahl);
        ok = query.exec();
    }
    ++m_abfragenGesamt;
    if (!ok) {
        m_fehler = QStringLiteral("Die Liste aus „%1“ lässt sich nicht lesen: %2")
                       .arg(QDir::toNativeSeparators(m_pfad), query.lastError().text());
        return false;
    }
    const int spalten = m_spalten.count();
    while (query.next()) {
        Zeile z;
        z.werte.reserve(spalten);
        for (int i = 0; i < spalten; ++i)
            z.werte.append(query.value(i));
        z.schluessel.datum = m_datumSpalte >= 0 ? z.werte.at(m_datumSpalte) : QVariant();
        z.schluessel.rowid = query.value(spalten).toLongLong();
        zeilen->append(std::move(z));
    }
    // Done with the statement before anything else happens: no read snapshot outlives the page.
    query.finish();
    return true;
}

bool GewichteListe::schaetzungsAnker(int rang, Schluessel* anker) const {
    QSqlQuery query(m_quelle.db());
    query.setForwardOnly(true);
    const qint64 rowid = m_grenze - rang;
    bool ok = query.prepare(QStringLiteral("select datum, rowid from gewichte where rowid <= ? "
                                           "order by rowid desc limit 1"));
    query.addBindValue(rowid);
    ok = ok && query.exec();
    ++m_abfragenGesamt;
    if (ok && query.next()) {
        anker->datum = query.value(0);
        anker->rowid = query.value(1).toLongLong();
        query.finish();
        return true;
    }
    return false;
}

void GewichteListe::endeGefunden(int anzahl) const {
    // Rows deleted by another program: the list is shorter than the rowids said. The view is told once the
    // current paint is over.
    auto* liste = const_cast<GewichteListe*>(this);
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        liste,
        [liste, anzahl, generation] {
            if (liste->m_generation != generation || anzahl >= liste->m_anzahl)
                return;
            liste->beginRemoveRows({}, anzahl, liste->m_anzahl - 1);
            liste->m_anzahl = anzahl;
            liste->m_seiten.removeIf([anzahl](const auto& it) { return it.key() * kSeitenZeilen >= anzahl; });
            liste->endRemoveRows();
        },
        Qt::QueuedConnection);
}

QString GewichteListe::datumText(const QVariant& gespeichert) {
    const QDateTime moment = datumAusSpeicherform(gespeichert.toString());
    if (!moment.isValid())
        return gespeichert.toString();
    // Digits only, so no language can change it; the column is laid out for these 19 characters.
    return moment.toString(QStringLiteral("dd.MM.yyyy HH:mm:ss"));
}

QString GewichteListe::gewichtText(double wert, const QLocale& locale) {
    QLocale format = locale;
    format.setNumberOptions(format.numberOptions() & ~QLocale::OmitGroupSeparator);
    return format.toString(wert, 'f', 1);
}

} // namespace recording
