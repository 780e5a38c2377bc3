#pragma once

#include <QWidget>

class QLabel;

// The lamp of a switching output: two icon statics at the same place, a green one shown while
// the output is on and a grey one while it is off, each carrying its own control id.
class CAlarmLamp : public QWidget
{
    Q_OBJECT
public:
    CAlarmLamp(int onId, int offId, QWidget* parent = nullptr);

    void SetOn(bool on);
    bool IsOn() const;

private:
    QLabel* m_pOn;
    QLabel* m_pOff;
};
