#pragma once

#include "PortSettings.h"

#include <QDialog>

class QComboBox;

// The COM Port Configuration dialog: the device family and the serial settings. Confirming
// it puts them into PortSettings.
class COMDlg : public QDialog
{
    Q_OBJECT
public:
    explicit COMDlg(QWidget* parent = nullptr);

    // Shows settings chosen before: port, baud rate and data bits select the first entry
    // that begins with their text; a port name that is no entry stands as typed.
    void SetValues(const CPortSettings& settings);
    CPortSettings Values() const;

    void accept() override;

private:
    void OnSelchangeDevice();
    void OnAbout();

    QComboBox* m_pDevice;
    QComboBox* m_pComPort;
    QComboBox* m_pBaudRate;
    QComboBox* m_pDataBits;
    QComboBox* m_pParity;
    QComboBox* m_pStopBits;
};
