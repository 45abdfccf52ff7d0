#include "fakespeicher.h"

bool FakeSpeicher::speichern(const QString& gewichtText, const QDateTime& jetzt) {
    versuche.append({gewichtText, jetzt});
    if (!gelingt) {
        m_fehler = fehlerText;
        return false;
    }
    m_fehler.clear();
    zeilen.append({gewichtText, jetzt});
    return true;
}
