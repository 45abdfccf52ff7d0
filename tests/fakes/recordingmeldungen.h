#pragma once

#include "shell/meldungen.h"

#include <QStringList>

// Messages the program would have shown, in order; returns at once as if the operator had confirmed.
class RecordingMeldungen final : public shell::Meldungen {
public:
    void zeige(const QString& text) override { zeige(text, QString()); }
    void zeige(const QString& text, const QString& details) override {
        shown << text;
        einzelheiten << details;
    }

    QStringList shown;
    // The details of each message, empty where it had none.
    QStringList einzelheiten;
};
