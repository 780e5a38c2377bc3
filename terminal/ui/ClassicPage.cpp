#include "ClassicPage.h"

#include "ControlId.h"
#include "TerminalState.h"
#include "UserDialogs.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QVBoxLayout>

namespace {

constexpr const char* kNotConnected = "The COM Port is not connected!";

} // namespace

CClassicPage::CClassicPage(int editId, void (*countEnter)(), QWidget* parent)
    : QWidget(parent), m_pEdit(WithControlId(new QPlainTextEdit(this), editId)),
      m_countEnter(countEnter)
{
    QFont font("Courier New");
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(14);
    font.setWeight(QFont::Normal);
    m_pEdit->setFont(font);
    m_pEdit->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_pEdit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pEdit->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_pEdit->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pEdit);
}

void CClassicPage::ShowPending()
{
    // A hidden page is brought up to date when it is shown.
    if (isVisible())
        Flush();
}

void CClassicPage::showEvent(QShowEvent* event)
{
    Flush();
    QWidget::showEvent(event);
}

void CClassicPage::Flush()
{
    if (!m_view.HasPending())
        return;
    const CClassicUpdate& update = m_view.Pending();
    if (update.clearBefore)
        m_pEdit->clear();
    if (update.scroll) {
        QTextCursor cursor = m_pEdit->textCursor();
        cursor.clearSelection();
        m_pEdit->setTextCursor(cursor);
        m_pEdit->ensureCursorVisible();
    }
    if (!update.insert.empty())
        m_pEdit->insertPlainText(QString::fromLatin1(update.insert.data(),
                                                     static_cast<qsizetype>(update.insert.size())));
    m_view.Shown();
}

void CClassicPage::ClearText()
{
    m_view.Reset();
    m_pEdit->clear();
    g_nLineCount = 0;
}

std::string CClassicPage::Text()
{
    Flush();
    // Lines end in CR LF, as the device sent them.
    QString text = m_pEdit->toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    std::string bytes = text.toLatin1().toStdString();
    if (m_view.HoldsLineEnd())
        bytes += "\r\n";
    return bytes;
}

bool CClassicPage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_pEdit || event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);
    // The operator types after what has arrived.
    Flush();
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (key == Qt::Key_Escape) {
        if (!g_bConnected)
            CUserDialogs::ShowMessage(this, kNotConnected);
        else
            emit SendEsc();
        return true;
    }
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        Enter();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void CClassicPage::Enter()
{
    if (!g_bConnected) {
        CUserDialogs::ShowMessage(this, kNotConnected);
    } else {
        const QString line = m_pEdit->textCursor().block().text();
        if (!line.isEmpty()) {
            g_strReceived = line.toLatin1().toStdString() + '\n';
            emit SendLine();
        }
    }
    m_countEnter();
}
