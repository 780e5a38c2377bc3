#pragma once

#include <QWidget>

// The Graphic page of the Quorin main dialog.
class GraphQR : public QWidget
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 157;

    explicit GraphQR(QWidget* parent = nullptr);

    void RedrawGraphQR();
};
