#pragma once

#include "ClassicPage.h"

// The Classic page of the Zelnar main dialog: it holds 40 lines, and binary records are shown
// as their bits, a line each.
class ClassicZL : public CClassicPage
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 131;

    explicit ClassicZL(QWidget* parent = nullptr);

    void OnData() override;
};
