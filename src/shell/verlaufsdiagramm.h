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

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect zeichenflaeche() const;
    QString achsenText(double wert) const;
    // The scale: its ends and step, round numbers around the day's values.
    void skalieren();
    QVector<double> teilung() const;

    recording::TagesWerte m_werte;
    double m_unten = 0;
    double m_oben = 1;
    double m_schritt = 0.5;
    QString m_hinweis;
    QLocale m_locale;
};

} // namespace shell
