#pragma once

#include "ClassicLines.h"
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
    std::string Text() const;

signals:
    // UM_SEND_LINE: g_strReceived holds the typed line with a line feed.
    void SendLine();
    // UM_SEND_ESC.
    void SendEsc();

protected:
    CClassicPage(int editId, void (*countEnter)(), QWidget* parent);

    void Show(const CClassicUpdate& update);
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Insert(const std::string& text);
    void Enter();

    QPlainTextEdit* m_pEdit;
    void (*m_countEnter)();
};
