#include "textraum.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QEvent>
#include <QFontInfo>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionHeader>
#include <algorithm>

namespace shell {

namespace {

// Where a control took another font, the one it had before, so it gets it back once its text fits again.
constexpr const char* kEntwurf = "textraumEntwurf";
constexpr const char* kEntwurfGeerbt = "textraumEntwurfGeerbt";

// The narrow faces packaged beside the wide ones: fonts-liberation, fonts-dejavu-extra, fonts-urw-base35,
// and Arial Narrow where Office brought it to Windows.
const QHash<QString, QString>& schmaleFamilien() {
    static const QHash<QString, QString> familien = {
        {QStringLiteral("liberation sans"), QStringLiteral("Liberation Sans Narrow")},
        {QStringLiteral("dejavu sans"), QStringLiteral("DejaVu Sans Condensed")},
        {QStringLiteral("arial"), QStringLiteral("Arial Narrow")},
        {QStringLiteral("nimbus sans"), QStringLiteral("Nimbus Sans Narrow")},
        {QStringLiteral("nimbus sans l"), QStringLiteral("Nimbus Sans Narrow")},
    };
    return familien;
}

bool passt(const QSize& fehlend) {
    return fehlend.width() <= 0 && fehlend.height() <= 0;
}

QSize luecke(const QSize& bedarf, const QRect& raum) {
    return QSize(std::max(0, bedarf.width() - raum.width()), std::max(0, bedarf.height() - raum.height()));
}

QSize labelFehlt(const QLabel* label, const QFont& schrift) {
    if (label->text().trimmed().isEmpty())
        return QSize(0, 0);
    const QFontMetrics fm(schrift, label);
    // QLabel's own room: its contents less its margin, and the indent it keeps beside a frame.
    const int rand = label->margin();
    QRect raum = label->contentsRect().marginsRemoved(QMargins(rand, rand, rand, rand));
    int einzug = label->indent();
    if (einzug < 0 && label->frameWidth() > 0)
        einzug = fm.horizontalAdvance(QLatin1Char('x')) / 2 - rand;
    const Qt::Alignment a = QStyle::visualAlignment(label->layoutDirection(), label->alignment());
    if (einzug > 0) {
        if (a & Qt::AlignLeft)
            raum.setLeft(raum.left() + einzug);
        if (a & Qt::AlignRight)
            raum.setRight(raum.right() - einzug);
        if (a & Qt::AlignTop)
            raum.setTop(raum.top() + einzug);
        if (a & Qt::AlignBottom)
            raum.setBottom(raum.bottom() - einzug);
    }
    if (!label->wordWrap())
        return luecke(fm.size(Qt::TextSingleLine, label->text()), raum);
    // Broken at blanks: no word may be wider than the room, and the lines must fit its height.
    int wort = 0;
    for (const QString& w : label->text().split(QLatin1Char(' '), Qt::SkipEmptyParts))
        wort = std::max(wort, fm.horizontalAdvance(w));
    const int hoehe = fm.boundingRect(raum, static_cast<int>(a) | Qt::TextWordWrap, label->text()).height();
    return luecke(QSize(wort, hoehe), raum);
}

QSize knopfFehlt(const QAbstractButton* knopf, const QFont& schrift) {
    if (knopf->text().trimmed().isEmpty())
        return QSize(0, 0);
    QStyleOptionButton option;
    option.initFrom(knopf);
    option.text = knopf->text();
    QStyle::SubElement element = QStyle::SE_PushButtonContents;
    if (const auto* druck = qobject_cast<const QPushButton*>(knopf)) {
        if (druck->autoDefault() || druck->isDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
    } else if (knopf->inherits("QCheckBox")) {
        element = QStyle::SE_CheckBoxContents;
    } else if (knopf->inherits("QRadioButton")) {
        element = QStyle::SE_RadioButtonContents;
    }
    const QRect raum = knopf->style()->subElementRect(element, &option, knopf);
    return luecke(QFontMetrics(schrift, knopf).size(Qt::TextShowMnemonic | Qt::TextSingleLine, knopf->text()), raum);
}

QSize listeFehlt(const QComboBox* liste, const QFont& schrift) {
    QStyleOptionComboBox option;
    option.initFrom(liste);
    option.editable = liste->isEditable();
    option.frame = liste->hasFrame();
    // The closed box draws its text one pixel in from either side of the edit field, and shows each entry.
    const QRect raum = liste->style()
                           ->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, liste)
                           .adjusted(1, 0, -1, 0);
    const QFontMetrics fm(schrift, liste);
    QSize bedarf(0, 0);
    for (int i = 0; i < liste->count(); ++i)
        bedarf = bedarf.expandedTo(fm.size(Qt::TextSingleLine, liste->itemText(i)));
    return luecke(bedarf, raum);
}

// What each section of the header lacks in width, in the font and in bold, which the header takes over the
// columns of a selected row.
QList<int> spaltenFehlen(const QHeaderView* kopf, const QFont& schrift) {
    QList<int> fehlen;
    const QAbstractItemModel* modell = kopf->model();
    if (!modell)
        return fehlen;
    QFont fett = schrift;
    fett.setBold(true);
    const QFontMetrics fm(schrift, kopf);
    const QFontMetrics fmFett(fett, kopf);
    const QWidget* flaeche = kopf->viewport();
    for (int spalte = 0; spalte < kopf->count(); ++spalte) {
        const QString text = modell->headerData(spalte, kopf->orientation(), Qt::DisplayRole).toString();
        if (kopf->isSectionHidden(spalte) || text.trimmed().isEmpty()) {
            fehlen << 0;
            continue;
        }
        QStyleOptionHeader option;
        option.initFrom(kopf);
        option.orientation = kopf->orientation();
        option.section = spalte;
        option.text = text;
        const int anfang = kopf->sectionViewportPosition(spalte);
        option.rect = kopf->orientation() == Qt::Horizontal
                          ? QRect(anfang, 0, kopf->sectionSize(spalte), flaeche->height())
                          : QRect(0, anfang, flaeche->width(), kopf->sectionSize(spalte));
        const QRect raum = kopf->style()->subElementRect(QStyle::SE_HeaderLabel, &option, kopf);
        const QSize bedarf = fm.size(Qt::TextSingleLine, text).expandedTo(fmFett.size(Qt::TextSingleLine, text));
        const QSize l = luecke(bedarf, raum);
        fehlen << (kopf->orientation() == Qt::Horizontal ? l.width() : l.height());
    }
    return fehlen;
}

QFont entwurfsSchrift(const QWidget* control) {
    const QVariant entwurf = control->property(kEntwurf);
    return entwurf.isValid() ? entwurf.value<QFont>() : control->font();
}

void schriftSetzen(QWidget* control, const QFont& schrift) {
    if (!control->property(kEntwurf).isValid()) {
        control->setProperty(kEntwurf, QVariant::fromValue(control->font()));
        control->setProperty(kEntwurfGeerbt, !control->testAttribute(Qt::WA_SetFont));
    }
    if (control->font() != schrift)
        control->setFont(schrift);
}

void entwurfZurueck(QWidget* control) {
    const QVariant entwurf = control->property(kEntwurf);
    if (!entwurf.isValid())
        return;
    // A control that took its parent's font follows it again.
    control->setFont(control->property(kEntwurfGeerbt).toBool() ? QFont() : entwurf.value<QFont>());
    control->setProperty(kEntwurf, QVariant());
    control->setProperty(kEntwurfGeerbt, QVariant());
}

// Grows the control into the free space beside it, to the right first; false where there is not enough.
bool inFreienRaumWachsen(QWidget* control, const QSize& fehlend) {
    const QWidget* eltern = control->parentWidget();
    const QRect g = control->geometry();
    const QRect innen = eltern->contentsRect();
    int rechts = innen.right() - g.right();
    int links = g.left() - innen.left();
    int unten = innen.bottom() - g.bottom();
    for (const QObject* o : eltern->children()) {
        const auto* nachbar = qobject_cast<const QWidget*>(o);
        if (!nachbar || nachbar == control || nachbar->isWindow() || nachbar->isHidden())
            continue;
        const QRect n = nachbar->geometry();
        if (n.top() <= g.bottom() && n.bottom() >= g.top()) {
            if (n.left() > g.center().x())
                rechts = std::min(rechts, n.left() - 1 - g.right());
            else if (n.right() < g.center().x())
                links = std::min(links, g.left() - 1 - n.right());
        }
        if (n.left() <= g.right() && n.right() >= g.left() && n.top() > g.center().y())
            unten = std::min(unten, n.top() - 1 - g.bottom());
    }
    rechts = std::max(0, rechts);
    links = std::max(0, links);
    if (rechts + links < fehlend.width() || std::max(0, unten) < fehlend.height())
        return false;
    const int nachRechts = std::min(rechts, fehlend.width());
    control->setGeometry(g.adjusted(-(fehlend.width() - nachRechts), 0, nachRechts, fehlend.height()));
    return true;
}

bool eigenerBehaelter(const QWidget* control, const QWidget* behaelter) {
    for (const QWidget* w = control->parentWidget(); w && w != behaelter; w = w->parentWidget()) {
        if (w->findChild<Textraum*>(QString(), Qt::FindDirectChildrenOnly))
            return true;
    }
    return false;
}

bool traegtText(const QWidget* control) {
    return qobject_cast<const QLabel*>(control) || qobject_cast<const QAbstractButton*>(control) ||
           qobject_cast<const QComboBox*>(control);
}

} // namespace

Textraum::Textraum(QWidget* behaelter) : QObject(behaelter), m_behaelter(behaelter) {
    behaelter->installEventFilter(this);
}

void Textraum::anbringen(QWidget* behaelter) {
    new Textraum(behaelter);
}

bool Textraum::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_behaelter) {
        switch (event->type()) {
        case QEvent::Show:
        case QEvent::Resize:
        case QEvent::LayoutRequest:
        case QEvent::FontChange:
        case QEvent::StyleChange:
            // After the container's own handlers: a page places its controls in its resize event, and a tab's
            // page is filled by the handlers of the switch that shows it.
            vormerken();
            break;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void Textraum::vormerken() {
    if (m_vorgemerkt)
        return;
    m_vorgemerkt = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_vorgemerkt = false;
            if (m_behaelter->isVisible())
                einpassen(m_behaelter);
        },
        Qt::QueuedConnection);
}

void Textraum::einpassen(QWidget* behaelter) {
    for (QWidget* control : behaelter->findChildren<QWidget*>()) {
        // Not the controls of a dialog over the window, nor those of a container that fits its own.
        if (control->window() != behaelter->window() || !control->isVisibleTo(behaelter) ||
            eigenerBehaelter(control, behaelter))
            continue;
        if (auto* kopf = qobject_cast<QHeaderView*>(control))
            spaltenAnpassen(kopf);
        else if (traegtText(control))
            anpassen(control);
    }
}

void Textraum::anpassen(QWidget* control) {
    const QFont entwurf = entwurfsSchrift(control);
    const QSize fehlend = fehlt(control, entwurf);
    if (passt(fehlend)) {
        entwurfZurueck(control);
        return;
    }
    const QString schmal = schmaleFamilie(entwurf);
    if (!schmal.isEmpty()) {
        QFont schmaleSchrift = entwurf;
        schmaleSchrift.setFamily(schmal);
        if (passt(fehlt(control, schmaleSchrift))) {
            schriftSetzen(control, schmaleSchrift);
            return;
        }
    }
    if (inFreienRaumWachsen(control, fehlend)) {
        entwurfZurueck(control);
        return;
    }
    for (int streckung = 99; streckung >= kMindestStreckung; --streckung) {
        QFont enger = entwurf;
        enger.setStretch(streckung);
        if (passt(fehlt(control, enger))) {
            schriftSetzen(control, enger);
            return;
        }
    }
    // Never cut: a control that overlaps its neighbour is still read whole when it lies above it.
    entwurfZurueck(control);
    control->resize(control->size() + fehlend);
    control->raise();
}

void Textraum::spaltenAnpassen(QHeaderView* kopf) {
    const QList<int> fehlen = spaltenFehlen(kopf, kopf->font());
    for (int spalte = 0; spalte < fehlen.size(); ++spalte) {
        if (fehlen[spalte] > 0)
            kopf->resizeSection(spalte, kopf->sectionSize(spalte) + fehlen[spalte]);
    }
}

QSize Textraum::fehlt(const QWidget* control, const QFont& schrift) {
    if (const auto* label = qobject_cast<const QLabel*>(control))
        return labelFehlt(label, schrift);
    if (const auto* knopf = qobject_cast<const QAbstractButton*>(control))
        return knopfFehlt(knopf, schrift);
    if (const auto* liste = qobject_cast<const QComboBox*>(control))
        return listeFehlt(liste, schrift);
    if (const auto* kopf = qobject_cast<const QHeaderView*>(control)) {
        const QList<int> fehlen = spaltenFehlen(kopf, schrift);
        const int groesste = fehlen.isEmpty() ? 0 : *std::max_element(fehlen.cbegin(), fehlen.cend());
        return kopf->orientation() == Qt::Horizontal ? QSize(groesste, 0) : QSize(0, groesste);
    }
    return QSize(0, 0);
}

QString Textraum::schmaleFamilie(const QFont& schrift) {
    const QString familie = schmaleFamilien().value(QFontInfo(schrift).family().toLower());
    if (familie.isEmpty())
        return {};
    // Only a face installed under that very name: a substitute would be as wide as the face it replaces.
    static QHash<QString, bool> vorhanden;
    auto gefunden = vorhanden.find(familie);
    if (gefunden == vorhanden.end()) {
        QFont probe = schrift;
        probe.setFamily(familie);
        gefunden = vorhanden.insert(familie, QFontInfo(probe).family().compare(familie, Qt::CaseInsensitive) == 0);
    }
    return *gefunden ? familie : QString();
}

} // namespace shell
