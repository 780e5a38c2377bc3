#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;

// "Oscillations Settings": the distances between which a simulated run rises and falls, and
// whether it holds a stretch of error replies. A valid OK turns simulation mode on.
class COscillationsDlg : public QDialog
{
    Q_OBJECT
public:
    static constexpr int kTemplateId = 178;

    explicit COscillationsDlg(QWidget* parent = nullptr);

    void accept() override;

private:
    QLineEdit* m_pDistanceMax;
    QLineEdit* m_pDistanceMin;
    QCheckBox* m_pErrors;
};
