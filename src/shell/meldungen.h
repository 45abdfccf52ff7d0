#pragma once

#include <QString>

class QWidget;

namespace shell {

// The modal messages the program shows the operator: a text and an OK button.
class Meldungen {
public:
    Meldungen() = default;
    virtual ~Meldungen() = default;
    Meldungen(const Meldungen&) = delete;
    Meldungen& operator=(const Meldungen&) = delete;

    // Returns when the operator has confirmed.
    virtual void zeige(const QString& text) = 0;
    // The same with the system's own words for those who look further, under the text.
    virtual void zeige(const QString& text, const QString& einzelheiten) = 0;
};

// Meldungen as message boxes with the application's title as caption.
class MessageBoxMeldungen final : public Meldungen {
public:
    explicit MessageBoxMeldungen(QWidget* parent = nullptr) : m_parent(parent) {}
    void setParent(QWidget* parent) { m_parent = parent; }
    void zeige(const QString& text) override;
    void zeige(const QString& text, const QString& einzelheiten) override;

private:
    QWidget* m_parent;
};

} // namespace shell
