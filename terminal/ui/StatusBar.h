#pragma once

#include "LineRate.h"
#include "SessionStatus.h"

#include <QStatusBar>
#include <QString>

class CLogBook;
class CReconnectPolicy;
class CSessionJournal;
class QLabel;
struct CLinkSettings;

// The status bar of a main dialog: the connection (port, baud rate and family, "not connected"
// or "reconnecting…"), lines received per second, entries in the Log, the journal's state, and
// the state of MQTT publishing.
// Refresh, on the dialog's timer, gathers them and changes only the texts that changed.
class CStatusBar : public QStatusBar
{
    Q_OBJECT
public:
    CStatusBar(QString family, const CLinkSettings& link, const CReconnectPolicy& reconnect,
               QWidget* parent);

    void SetLog(const CLogBook& book) { m_pBook = &book; }
    void SetJournal(const CSessionJournal* journal) { m_pJournal = journal; }

    void Refresh();
    // Where readings are published, or why they wait; nothing while publishing is off.
    void ShowPublishing(const QString& text);
    const CStatusTexts& Texts() const { return m_shown; }

private:
    CSessionStatus Gather();

    const QString m_strFamily;
    const CLinkSettings& m_link;
    const CReconnectPolicy& m_reconnect;
    const CLogBook* m_pBook = nullptr;
    const CSessionJournal* m_pJournal = nullptr;
    CLineRate m_rate;
    CStatusTexts m_shown;
    QLabel* m_pConnection;
    QLabel* m_pRate;
    QLabel* m_pEntries;
    QLabel* m_pJournalState;
    QLabel* m_pPublishing;
};
