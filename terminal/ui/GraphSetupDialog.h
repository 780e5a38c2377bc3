#pragma once

#include <QDialog>

#include <string>
#include <vector>

class QCheckBox;
class QLineEdit;

// One edit of a graph Setup dialog: its caption, id and starting text; the range edits are
// enabled only while Autoscale is off.
struct CGraphSetupEdit
{
    QString strCaption;
    int nId = 0;
    std::string strText;
    bool bRange = false;
};

// What a graph Setup dialog opens with: its title, the edits, and the Autoscale check box with
// its id and state.
struct CGraphSetupForm
{
    QString strTitle;
    std::vector<CGraphSetupEdit> edits;
    int nAutoscaleId = 0;
    bool bAutoscale = true;
};

// What the graph Setup dialogs share: a frame with the edits and the Autoscale check box, and
// "OK" and "Abbrechen". OK ends the dialog only when the family's setup takes the values;
// otherwise it shows why and the dialog stays open. Cancel takes nothing.
class CGraphSetupDialog : public QDialog
{
    Q_OBJECT
public:
    void accept() override;
    void reject() override;

protected:
    CGraphSetupDialog(QWidget* parent, const CGraphSetupForm& setup);

    // The text of the edit given at that place in the form.
    std::string Text(std::size_t index) const;
    bool IsAutoscale() const;

    // Hands the values to the family's setup: the message to show when it refuses them, empty
    // when it took them.
    virtual std::string Take() const = 0;

private:
    void ShowRangeEnabling();

    std::vector<QLineEdit*> m_edits;
    std::vector<QLineEdit*> m_rangeEdits;
    QCheckBox* m_pAutoscale;
};
