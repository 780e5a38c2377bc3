#pragma once

#include "GraphSetupDialog.h"

// "Zelnar Graph Setup": the value ranges of both graphs, Autoscale and the number of points.
// Its values take effect only with a valid OK.
class GraphSetupZL : public CGraphSetupDialog
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 176;

    explicit GraphSetupZL(QWidget* parent = nullptr);

private:
    std::string Take() const override;
};
