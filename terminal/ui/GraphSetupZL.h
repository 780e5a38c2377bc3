#pragma once

#include "GraphSetup.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;

// "Zelnar Graph Setup": the value ranges of both graphs, Autoscale and the number of points.
// Its values take effect only with a valid OK.
class GraphSetupZL : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 176;

    explicit GraphSetupZL(QWidget* parent = nullptr);

    void accept() override;
    void reject() override;

private:
    void ShowRangeEnabling();
    CGraphSetupZL Values() const;

    QLineEdit* m_pDistanceMax;
    QLineEdit* m_pDistanceMin;
    QLineEdit* m_pSpeedMax;
    QLineEdit* m_pSpeedMin;
    QLineEdit* m_pPointsNumber;
    QCheckBox* m_pAutoscale;
};
