#pragma once

#include "GraphSetupDialog.h"

struct CGraphSetupZL;

// "Zelnar Graph Setup": the value ranges of both graphs, Autoscale and the number of points.
// Its values take effect only with a valid OK.
class GraphSetupZL : public CGraphSetupDialog
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 176;

    explicit GraphSetupZL(QWidget* parent = nullptr);

private:
    GraphSetupZL(QWidget* parent, const CGraphSetupZL& setup);

    std::string Take() const override;
};
