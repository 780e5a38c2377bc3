#pragma once

#include "ClassicPage.h"

// The Classic page of the Quorin main dialog: it holds 41 lines.
class ClassicQR : public CClassicPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 155;

    explicit ClassicQR(QWidget* parent = nullptr);

    void OnData() override;
};
