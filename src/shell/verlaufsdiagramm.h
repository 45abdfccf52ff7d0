#pragma once

#include "recording/tagesverlauf.h"

#include <QLocale>
#include <QWidget>

namespace shell {

// The line chart of one day's weights: time of day from 0 to 24 h across, weight up. It draws the columns
// it is given, one pixel each, as a vertical stroke from the column's least to its greatest weight,
// joined to the next, so a spike of one second is as visible as a whole hour.
class VerlaufsDiagramm final : public QWidget {
    Q_OBJECT
public:
    explicit VerlaufsDiagramm(QWidget* parent = nullptr);

    // How many columns the plot area has at the present size and font: what the day is reduced to.
    int spalten() const;
    void setWerte(const recording::TagesWerte& werte);
    // Shown in place of the chart, e.g. why the day could not be read; empty for the chart.
    void setHinweis(const QString& text);
    const recording::TagesWerte& werte() const { return m_werte; }
    // The text shown: in place of an empty chart, or over the chart when weights were left out.
    QString hinweis() const;
    // The weights the scale marks, bottom up: a handful whatever the day's values.
    QVector<double> teilung() const;
    // The label of a mark of the scale, as drawn.
    QString achsenText(double wert) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect zeichenflaeche() const;
    // The scale: its ends and step, round numbers around the day's values.
    void skalieren();
    static bool zeichenbar(const recording::VerlaufsSpalte& spalte);
    // Where a weight lies on the plot area's height, from 0 at the bottom of the scale to 1 at its top.
    double anteil(double wert) const;

    recording::TagesWerte m_werte;
    double m_unten = 0;
    double m_oben = 1;
    double m_schritt = 0.5;
    bool m_linie = false;     // at least one column to draw
    qint64 m_ausgelassen = 0; // weights not drawn: no finite number
    QString m_hinweis;
    QLocale m_locale;
};

} // namespace shell
