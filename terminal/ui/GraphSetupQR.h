#pragma once

#include "GraphSetupDialog.h"

// "Quorin Graph Setup": the value range of the distance graph, Autoscale and the number of
// points. Its values take effect only with a valid OK.
class GraphSetupQR : public CGraphSetupDialog
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 177;

    explicit GraphSetupQR(QWidget* parent = nullptr);

private:
    std::string Take() const override;
};
