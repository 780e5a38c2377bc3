#pragma once

#include "ReplyPage.h"

#include <QWidget>

// A tab page whose own content has not been built yet: it takes the notifications of the reply
// routing so that the other pages see them in their order.
class CBlankPage : public QWidget, public CReplyPage
{
public:
    explicit CBlankPage(QWidget* parent = nullptr) : QWidget(parent) {}

    void OnData() override { ++m_nNotifications; }
    int Notifications() const { return m_nNotifications; }

private:
    int m_nNotifications = 0;
};
