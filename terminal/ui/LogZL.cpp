#include "LogZL.h"

#include "ControlId.h"
#include "DialogKeys.h"
#include "LogListModel.h"
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

LogZL::LogZL(LogClock clock, QWidget* parent)
    : QWidget(parent), m_book(std::move(clock)),
      m_pModel(new CLogListModel(m_book.Entries(), this)),
      m_pList(WithControlId(new QListView(this), 1066)),
      m_pStartLog(WithControlId(new QPushButton("Start Log", this), 1148)),
      m_pStopLog(WithControlId(new QPushButton("Stop Log", this), 1149)),
      m_pSave(WithControlId(new QPushButton("SAVE", this), 1101)),
      m_pSaveExcel(WithControlId(new QPushButton("Save Excel", this), 1171)),
      m_pClear(WithControlId(new QPushButton("CLEAR", this), 1095)),
      m_pTime(WithControlId(new QCheckBox("Time", this), 1170))
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
    connect(m_pStartLog, &QPushButton::clicked, this, &LogZL::OnStartLog);
    connect(m_pStopLog, &QPushButton::clicked, this, &LogZL::OnStopLog);
    connect(m_pSave, &QPushButton::clicked, this, &LogZL::OnSaveLog);
    connect(m_pSaveExcel, &QPushButton::clicked, this, &LogZL::OnSaveExcel);
    connect(m_pClear, &QPushButton::clicked, this, &LogZL::OnClear);
    connect(m_pTime, &QCheckBox::toggled, this, [this](bool on) { m_book.SetTime(on); });

    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowDelayMs);
    connect(&m_showTimer, &QTimer::timeout, this, &LogZL::ShowEntries);

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

void LogZL::OnData()
{
    m_book.OnData();
    if (!m_showTimer.isActive())
        m_showTimer.start();
}

void LogZL::ShowEntries()
{
    m_showTimer.stop();
    // The list follows new entries while the operator looks at its end.
    const QScrollBar* bar = m_pList->verticalScrollBar();
    const bool atEnd = bar->value() == bar->maximum();
    m_pModel->Sync();
    if (atEnd)
        m_pList->scrollToBottom();
}

void LogZL::OnStartLog()
{
    m_book.StartLog();
    ShowButtons();
}

void LogZL::OnStopLog()
{
    m_book.StopLog();
    ShowButtons();
}

void LogZL::OnSaveLog()
{
    Save(CLogBookZL::kTextDialog, false);
}

void LogZL::OnSaveExcel()
{
    Save(CLogBookZL::kExcelDialog, true);
}

void LogZL::Save(const CSaveFileDialog& dialog, bool excel)
{
    const QString path = CUserDialogs::AskFileName(
        this, {true, FromView(dialog.name), FromView(dialog.extension), FromView(dialog.filter)});
    if (path.isEmpty())
        return;
    const std::string target = path.toStdString();
    const std::string_view message = excel ? m_book.SaveExcel(target) : m_book.SaveText(target);
    ShowButtons();
    if (!message.empty())
        CUserDialogs::ShowMessage(this, FromView(message));
}

void LogZL::OnClear()
{
    m_book.Clear();
    ShowEntries();
    ShowButtons();
}

void LogZL::ShowButtons()
{
    m_pStopLog->setEnabled(m_book.StopLogEnabled());
    m_pSave->setEnabled(m_book.SaveEnabled());
    m_pSaveExcel->setEnabled(m_book.SaveEnabled());
}

void LogZL::keyPressEvent(QKeyEvent* event)
{
    if (IsDialogKey(*event)) {
        event->accept();
        return;
    }
    QWidget::keyPressEvent(event);
}
