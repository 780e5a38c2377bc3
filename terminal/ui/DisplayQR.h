#pragma once

#include "ReplyPage.h"

#include <QWidget>

class CAnalogGauge;

// The Display page of the Quorin main dialog.
class DisplayQR : public QWidget, public CReplyPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 156;

    explicit DisplayQR(QWidget* parent = nullptr);

    void OnData() override;
    void ShowPending();
    CAnalogGauge& Gauge() const;

signals:
    void RedrawGraphs();

private:
    CAnalogGauge* m_pGauge;
};
