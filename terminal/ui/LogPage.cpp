#include "LogPage.h"

#include "ControlId.h"
#include "DialogKeys.h"
#include "JournalReader.h"
#include "LogListModel.h"
#include "TerminalSettings.h"
#include "UserDialogs.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>

namespace {

// How long new entries may wait before the list shows them: the list grows in steps, not line
// by line.
constexpr int kShowDelayMs = 50;

QString FromView(std::string_view text)
{
    return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

CLogPage::CLogPage(std::unique_ptr<CLogBook> book, const CLogPageControls& controls,
                   const CSaveFileDialog& textDialog, const CSaveFileDialog& excelDialog,
                   QWidget* parent)
    : QWidget(parent), m_pBook(std::move(book)), m_textDialog(textDialog),
      m_excelDialog(excelDialog), m_pModel(new CLogListModel(m_pBook->Entries(), this)),
      m_pList(WithControlId(new QListView(this), controls.list)),
      m_pStartLog(WithControlId(new QPushButton("Start Log", this), controls.startLog)),
      m_pStopLog(WithControlId(new QPushButton("Stop Log", this), controls.stopLog)),
      m_pSave(WithControlId(new QPushButton("SAVE", this), controls.save)),
      m_pSaveExcel(
          WithControlId(new QPushButton(controls.saveExcelCaption, this), controls.saveExcel)),
      m_pClear(WithControlId(new QPushButton("CLEAR", this), controls.clear)),
      m_pTime(WithControlId(new QCheckBox("Time", this), controls.time))
{
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(14);
    m_pList->setFont(font);
    m_pList->setModel(m_pModel);
    // Every row has the same height, so the view never measures millions of rows.
    m_pList->setUniformItemSizes(true);
    m_pList->setSelectionMode(QAbstractItemView::NoSelection);
    m_pList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_pList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_pList->setLayoutMode(QListView::SinglePass);

    for (QPushButton* button : {m_pStartLog, m_pStopLog, m_pSave, m_pSaveExcel, m_pClear})
        button->setAutoDefault(false);
    connect(m_pStartLog, &QPushButton::clicked, this, &CLogPage::OnStartLog);
    connect(m_pStopLog, &QPushButton::clicked, this, &CLogPage::OnStopLog);
    connect(m_pSave, &QPushButton::clicked, this, &CLogPage::OnSaveLog);
    connect(m_pSaveExcel, &QPushButton::clicked, this, &CLogPage::OnSaveExcel);
    connect(m_pClear, &QPushButton::clicked, this, &CLogPage::OnClear);
    m_pTime->setChecked(CTerminalSettings().LogTime());
    m_pBook->SetTime(m_pTime->isChecked());
    connect(m_pTime, &QCheckBox::toggled, this, [this](bool on) {
        m_pBook->SetTime(on);
        CTerminalSettings().SetLogTime(on);
    });

    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowDelayMs);
    connect(&m_showTimer, &QTimer::timeout, this, &CLogPage::ShowEntries);

    auto* buttons = new QGridLayout;
    buttons->addWidget(m_pStartLog, 0, 0);
    buttons->addWidget(m_pStopLog, 0, 1);
    buttons->addWidget(m_pTime, 0, 2);
    buttons->addWidget(m_pSave, 1, 0);
    buttons->addWidget(m_pSaveExcel, 1, 1);
    buttons->addWidget(m_pClear, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_pList, 1);
    layout->addLayout(buttons);
    ShowButtons();
}

void CLogPage::OnData()
{
    m_pBook->OnData();
    // A list out of sight is brought up to date when it is shown: telling the view of every new
    // row would have it lay out all of its rows again, many times a second.
    if (!m_showTimer.isActive() && isVisible())
        m_showTimer.start();
}

void CLogPage::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    ShowEntries();
}

void CLogPage::ShowEntries()
{
    m_showTimer.stop();
    // The list follows new entries while the operator looks at its end.
    const QScrollBar* bar = m_pList->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_pModel->Sync();
    if (atEnd)
        m_pList->scrollToBottom();
}

void CLogPage::Recover(const CJournalReader& journal)
{
    const int first = g_nLogLines;
    journal.Read([this](std::int64_t timeMs, std::string_view entry) {
        m_pBook->AddRecovered(timeMs, entry);
    });
    m_pBook->MarkRecovered(first);
    ShowEntries();
    ShowButtons();
}

void CLogPage::OnStartLog()
{
    m_pBook->StartLog();
    ShowButtons();
}

void CLogPage::OnStopLog()
{
    m_pBook->StopLog();
    ShowButtons();
}

void CLogPage::OnSaveLog()
{
    Save(m_textDialog, false);
}

void CLogPage::OnSaveExcel()
{
    Save(m_excelDialog, true);
}

void CLogPage::Save(const CSaveFileDialog& dialog, bool excel)
{
    const QString path = CUserDialogs::AskFileName(
        this, {true, FromView(dialog.name), FromView(dialog.extension), FromView(dialog.filter),
               excel ? QStringLiteral("logExcel") : QStringLiteral("log")});
    if (path.isEmpty())
        return;
    const std::string target = path.toStdString();
    const std::string_view message = excel ? m_pBook->SaveExcel(target) : m_pBook->SaveText(target);
    ShowButtons();
    if (!message.empty())
        CUserDialogs::ShowMessage(this, FromView(message));
}

void CLogPage::OnClear()
{
    m_pBook->Clear();
    ShowEntries();
    ShowButtons();
}

void CLogPage::ShowButtons()
{
    m_pStopLog->setEnabled(m_pBook->StopLogEnabled());
    m_pSave->setEnabled(m_pBook->SaveEnabled());
    m_pSaveExcel->setEnabled(m_pBook->SaveEnabled());
}

void CLogPage::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogKey(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
