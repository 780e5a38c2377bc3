#pragma once

// A page that is woken by UM_DATA: it reads the process-wide reply values while it handles it.
class CReplyPage
{
public:
    virtual void OnData() = 0;

protected:
    ~CReplyPage() = default;
};

// The three pages the reply assembly notifies; each family notifies them in its own order.
struct CReplyPages
{
    CReplyPage& log;
    CReplyPage& classic;
    CReplyPage& display;
};
