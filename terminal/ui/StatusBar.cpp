#include "StatusBar.h"

#include "LinkSettings.h"
#include "LogBook.h"
#include "ReconnectPolicy.h"
#include "SessionJournal.h"
#include "TerminalState.h"

#include <QLabel>

#include <utility>

namespace {

void ShowText(QLabel* label, const std::string& text, std::string& shown)
{
    if (text == shown)
        return;
    shown = text;
    label->setText(QString::fromStdString(text));
}

} // namespace

CStatusBar::CStatusBar(QString family, const CLinkSettings& link, const CReconnectPolicy& reconnect,
                       QWidget* parent)
    : QStatusBar(parent), m_strFamily(std::move(family)), m_link(link), m_reconnect(reconnect),
      m_pConnection(new QLabel(this)), m_pRate(new QLabel(this)), m_pEntries(new QLabel(this)),
      m_pJournalState(new QLabel(this)), m_pPublishing(new QLabel(this))
{
    setSizeGripEnabled(false);
    // The counts change every time: at a fixed size their labels never lay the dialog out
    // again.
    for (auto [label, widest] :
         {std::pair{m_pRate, "0000000 lines/s"}, std::pair{m_pEntries, "0000000000 entries"}}) {
        const QFontMetrics metrics = label->fontMetrics();
        label->setFixedSize(metrics.horizontalAdvance(QString::fromLatin1(widest)),
                            metrics.height());
    }
    addWidget(m_pConnection, 1);
    addPermanentWidget(m_pRate);
    addPermanentWidget(m_pEntries);
    addPermanentWidget(m_pJournalState);
    addPermanentWidget(m_pPublishing);
    m_pPublishing->hide();
}

void CStatusBar::ShowPublishing(const QString& text)
{
    m_pPublishing->setText(text);
    m_pPublishing->setVisible(!text.isEmpty());
}

CSessionStatus CStatusBar::Gather()
{
    CSessionStatus status;
    if (g_bSimulation)
        status.link = CSessionStatus::Link::Simulation;
    else if (g_bConnected)
        status.link = CSessionStatus::Link::Connected;
    else if (m_reconnect.Trying())
        status.link = CSessionStatus::Link::Reconnecting;
    status.family = m_strFamily.toStdString();
    status.port = m_link.portName;
    status.baudRate = m_link.baudRate;
    if (m_pBook) {
        status.linesPerSecond = m_rate.Sample(m_pBook->ReceivedTotal(), CLineRate::Clock::now());
        status.logEntries = m_pBook->Entries().size();
    }
    if (m_pJournal)
        status.journal = m_pJournal->Status();
    return status;
}

void CStatusBar::Refresh()
{
    // A hidden bar has nothing to show.
    if (!isVisible())
        return;
    const CStatusTexts texts = StatusTexts(Gather());
    ShowText(m_pConnection, texts.connection, m_shown.connection);
    ShowText(m_pRate, texts.rate, m_shown.rate);
    ShowText(m_pEntries, texts.entries, m_shown.entries);
    ShowText(m_pJournalState, texts.journal, m_shown.journal);
}
