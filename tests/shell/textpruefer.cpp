#include "textpruefer.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QStyleOptionGroupBox>
#include <QStyleOptionHeader>
#include <QStyleOptionTab>
#include <QTabBar>
#include <algorithm>

namespace {

QString name(const QWidget* w) {
    QStringList kette;
    for (const QWidget* x = w; x && !x->isWindow(); x = x->parentWidget())
        kette.prepend(x->objectName().isEmpty() ? QLatin1String(x->metaObject()->className()) : x->objectName());
    return kette.join(QLatin1Char('/'));
}

} // namespace

void Textpruefer::pruefen(const QWidget* w) {
    if (const auto* label = qobject_cast<const QLabel*>(w))
        return pruefeLabel(label);
    if (const auto* knopf = qobject_cast<const QAbstractButton*>(w))
        return pruefeKnopf(knopf);
    if (const auto* liste = qobject_cast<const QComboBox*>(w))
        return pruefeListe(liste);
    if (const auto* feld = qobject_cast<const QLineEdit*>(w))
        return pruefeFeld(feld);
    if (const auto* kopf = qobject_cast<const QHeaderView*>(w))
        return pruefeKopf(kopf);
    if (const auto* reiter = qobject_cast<const QTabBar*>(w))
        return pruefeReiter(reiter);
    if (const auto* rahmen = qobject_cast<const QGroupBox*>(w))
        return pruefeRahmen(rahmen);
}

// The text in this font, `flags` as the control draws it, within `raum` of `w` at `ausrichtung`.
void Textpruefer::messen(const QWidget* w, const QString& text, const QFont& font, int flags, const QRect& raum,
                         Qt::Alignment ausrichtung) {
    if (text.trimmed().isEmpty())
        return;
    ++gepruefteTexte;
    const QFontMetrics fm(font, w);
    QSize bedarf = fm.size(flags, text);
    if (flags & Qt::TextWordWrap) {
        // Broken at blanks only: no word may be wider than the room, and all lines must fit its height.
        int breitestes = 0;
        for (const QString& wort : text.split(QLatin1Char(' '), Qt::SkipEmptyParts))
            breitestes = std::max(breitestes, fm.horizontalAdvance(wort));
        bedarf = QSize(breitestes, fm.boundingRect(raum, static_cast<int>(ausrichtung) | flags, text).height());
    }
    const QString wo = QStringLiteral("%1 \"%2\" (%3 %4pt %5%)")
                           .arg(name(w), text, QFontInfo(font).family())
                           .arg(font.pointSizeF())
                           .arg(font.stretch());
    if (bedarf.width() > raum.width() || bedarf.height() > raum.height()) {
        maengel << QStringLiteral("%1 braucht %2x%3, hat %4x%5")
                       .arg(wo)
                       .arg(bedarf.width())
                       .arg(bedarf.height())
                       .arg(raum.width())
                       .arg(raum.height());
        return;
    }
    frei(w, QStyle::alignedRect(w->layoutDirection(), ausrichtung, bedarf, raum), wo);
}

// The drawn text neither sticks out of a container nor lies under a later sibling, which is drawn above.
void Textpruefer::frei(const QWidget* w, QRect r, const QString& wo) {
    for (const QWidget* kind = w; kind != m_fenster && !kind->isWindow(); kind = kind->parentWidget()) {
        const QWidget* eltern = kind->parentWidget();
        r.translate(kind->pos());
        if (!eltern->rect().contains(r)) {
            maengel << QStringLiteral("%1 ragt aus %2").arg(wo, name(eltern));
            return;
        }
        const QObjectList& geschwister = eltern->children();
        for (qsizetype i = geschwister.indexOf(const_cast<QWidget*>(kind)) + 1; i < geschwister.size(); ++i) {
            const auto* oben = qobject_cast<const QWidget*>(geschwister.at(i));
            if (oben && !oben->isWindow() && oben->isVisible() && oben->geometry().intersects(r)) {
                maengel << QStringLiteral("%1 liegt unter %2").arg(wo, name(oben));
                return;
            }
        }
    }
}

void Textpruefer::pruefeLabel(const QLabel* label) {
    // QLabel's own room: contents less its margin, and the indent it keeps beside a frame.
    QRect raum = label->contentsRect().marginsRemoved(
        QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
    int einzug = label->indent();
    if (einzug < 0 && label->frameWidth() > 0)
        einzug = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label->margin();
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
    const int flags = label->wordWrap() ? Qt::TextWordWrap : Qt::TextSingleLine;
    messen(label, label->text(), label->font(), flags, raum, a);
}

void Textpruefer::pruefeKnopf(const QAbstractButton* knopf) {
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
    messen(knopf, knopf->text(), knopf->font(), Qt::TextShowMnemonic | Qt::TextSingleLine, raum, Qt::AlignCenter);
}

void Textpruefer::pruefeListe(const QComboBox* liste) {
    QStyleOptionComboBox option;
    option.initFrom(liste);
    option.editable = liste->isEditable();
    option.frame = liste->hasFrame();
    option.currentText = liste->currentText();
    // The closed box draws its text one pixel in from either side of the edit field.
    const QRect feld =
        liste->style()->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, liste);
    const QRect raum = feld.adjusted(1, 0, -1, 0);
    const Qt::Alignment a = Qt::AlignLeft | Qt::AlignVCenter;
    messen(liste, liste->currentText(), liste->font(), Qt::TextSingleLine, raum, a);
    for (int i = 0; i < liste->count(); ++i)
        messen(liste, liste->itemText(i), liste->font(), Qt::TextSingleLine, raum, a);
}

void Textpruefer::pruefeFeld(const QLineEdit* feld) {
    QStyleOptionFrame option;
    option.initFrom(feld);
    option.rect = feld->rect();
    option.lineWidth = feld->hasFrame() ? feld->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, feld) : 0;
    // The field keeps two pixels free on either side of its text, besides its text margins.
    const QRect raum = feld->style()
                           ->subElementRect(QStyle::SE_LineEditContents, &option, feld)
                           .marginsRemoved(feld->textMargins())
                           .adjusted(2, 0, -2, 0);
    const Qt::Alignment a = QStyle::visualAlignment(feld->layoutDirection(), feld->alignment());
    messen(feld, feld->text(), feld->font(), Qt::TextSingleLine, raum, a);
    messen(feld, feld->placeholderText(), feld->font(), Qt::TextSingleLine, raum, a);
}

void Textpruefer::pruefeKopf(const QHeaderView* kopf) {
    const QAbstractItemModel* modell = kopf->model();
    if (!modell)
        return;
    const QWidget* flaeche = kopf->viewport();
    for (int i = 0; i < kopf->count(); ++i) {
        const int spalte = kopf->logicalIndex(i);
        if (kopf->isSectionHidden(spalte))
            continue;
        QStyleOptionHeader option;
        option.initFrom(kopf);
        option.orientation = kopf->orientation();
        option.section = spalte;
        option.text = modell->headerData(spalte, kopf->orientation(), Qt::DisplayRole).toString();
        const int anfang = kopf->sectionViewportPosition(spalte);
        option.rect = kopf->orientation() == Qt::Horizontal
                          ? QRect(anfang, 0, kopf->sectionSize(spalte), flaeche->height())
                          : QRect(0, anfang, flaeche->width(), kopf->sectionSize(spalte));
        const QRect raum = kopf->style()->subElementRect(QStyle::SE_HeaderLabel, &option, kopf);
        QFont font = kopf->font();
        const QVariant eigene = modell->headerData(spalte, kopf->orientation(), Qt::FontRole);
        if (eigene.canConvert<QFont>())
            font = eigene.value<QFont>();
        const Qt::Alignment a = kopf->defaultAlignment();
        messen(flaeche, option.text, font, Qt::TextSingleLine, raum, a);
        // The header's label is bold over the columns of a selected row.
        font.setBold(true);
        messen(flaeche, option.text, font, Qt::TextSingleLine, raum, a);
    }
}

void Textpruefer::pruefeReiter(const QTabBar* reiter) {
    for (int i = 0; i < reiter->count(); ++i) {
        QStyleOptionTab option;
        option.initFrom(reiter);
        option.rect = reiter->tabRect(i);
        option.text = reiter->tabText(i);
        option.shape = reiter->shape();
        option.documentMode = reiter->documentMode();
        if (i == reiter->currentIndex())
            option.state |= QStyle::State_Selected;
        const QRect raum = reiter->style()->subElementRect(QStyle::SE_TabBarTabText, &option, reiter);
        messen(reiter, option.text, reiter->font(), Qt::TextShowMnemonic | Qt::TextSingleLine,
               raum.intersected(reiter->rect()), Qt::AlignCenter);
    }
}

void Textpruefer::pruefeRahmen(const QGroupBox* rahmen) {
    QStyleOptionGroupBox option;
    option.initFrom(rahmen);
    option.text = rahmen->title();
    option.textAlignment = rahmen->alignment();
    option.subControls = QStyle::SC_GroupBoxFrame | QStyle::SC_GroupBoxLabel;
    option.lineWidth = 1;
    const QRect raum = rahmen->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, rahmen);
    messen(rahmen, rahmen->title(), rahmen->font(), Qt::TextShowMnemonic | Qt::TextSingleLine,
           raum.intersected(rahmen->rect()), Qt::AlignCenter);
}
