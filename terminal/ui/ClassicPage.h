#pragma once

#include "ClassicLines.h"
#include "ClassicView.h"
#include "ReplyPage.h"

#include <QWidget>

#include <string>

class QPlainTextEdit;

// The Classic page of a main dialog: the device's replies as raw text, and a line the operator
// types sent with Enter; Escape stops a running measurement. Each family decides how the text
// grows and how Enter counts lines.
class CClassicPage : public QWidget, public CReplyPage
{
    Q_OBJECT
public:
    // UM_CLEAR_TEXT: the text and the line count start again.
    void ClearText();
    // The whole text, as the device's listing is parsed from it.
    std::string Text();
    // Puts what arrived since the last call on the page, while the page is shown; the main
    // dialog's timer calls it.
    void ShowPending();

signals:
    // UM_SEND_LINE: g_strReceived holds the typed line with a line feed.
    void SendLine();
    // UM_SEND_ESC.
    void SendEsc();

protected:
    CClassicPage(int editId, void (*countEnter)(), QWidget* parent);

    // Keeps what a chunk does to the text, for the next look at the page.
    void Show(const CClassicUpdate& update) { m_view.Take(update); }
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Flush();
    void Enter();

    QPlainTextEdit* m_pEdit;
    void (*m_countEnter)();
    CClassicView m_view;
};
