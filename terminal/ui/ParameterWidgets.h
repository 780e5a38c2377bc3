#pragma once

#include "ComboEntries.h"
#include "ControlId.h"

#include <QComboBox>
#include <QLineEdit>

#include <span>
#include <string>
#include <vector>

// An edit of a parameter, bound to its text in the family's controls record.
template <class Controls> struct TEditSpec
{
    int id;
    std::string Controls::*field;
    const char* tooltip = nullptr;
};

// A combo box of a parameter, bound to its selection index in the family's controls record.
template <class Controls> struct TComboSpec
{
    int id;
    int Controls::*field;
    ComboEntries entries;
    const char* tooltip = nullptr;
};

// The parameter controls of a main dialog: edits and combo boxes made from their specs, read
// into and filled from the family's controls record. The widgets keep the order of the specs.
template <class Controls> class TParameterWidgets
{
public:
    TParameterWidgets(std::span<const TEditSpec<Controls>> edits,
                      std::span<const TComboSpec<Controls>> combos)
        : m_editSpecs(edits), m_comboSpecs(combos)
    {
    }

    // Makes the widgets; every change of one of them calls changed.
    template <class Changed> void Create(QWidget* parent, Changed changed)
    {
        for (const TComboSpec<Controls>& spec : m_comboSpecs) {
            auto* box = WithControlId(new QComboBox(parent), spec.id);
            for (const char* entry : spec.entries)
                box->addItem(entry);
            box->setCurrentIndex(-1);
            QObject::connect(box, &QComboBox::currentIndexChanged, parent, changed);
            m_combos.push_back(box);
        }
        for (const TEditSpec<Controls>& spec : m_editSpecs) {
            auto* edit = WithControlId(new QLineEdit(parent), spec.id);
            edit->setMinimumWidth(70);
            QObject::connect(edit, &QLineEdit::textChanged, parent, changed);
            m_edits.push_back(edit);
        }
    }

    Controls Read() const
    {
        Controls controls;
        for (std::size_t i = 0; i < m_edits.size(); ++i)
            controls.*m_editSpecs[i].field = m_edits[i]->text().toLatin1().toStdString();
        for (std::size_t i = 0; i < m_combos.size(); ++i)
            controls.*m_comboSpecs[i].field = m_combos[i]->currentIndex();
        return controls;
    }

    void Show(const Controls& controls) const
    {
        for (std::size_t i = 0; i < m_edits.size(); ++i) {
            const std::string& text = controls.*m_editSpecs[i].field;
            m_edits[i]->setText(QString::fromLatin1(text.data(), qsizetype(text.size())));
        }
        for (std::size_t i = 0; i < m_combos.size(); ++i)
            m_combos[i]->setCurrentIndex(controls.*m_comboSpecs[i].field);
    }

    // The widgets in the order of their specs.
    QLineEdit* Edit(std::size_t index) const { return m_edits.at(index); }
    QComboBox* Combo(std::size_t index) const { return m_combos.at(index); }

    // Hands every widget whose spec gives a tooltip to setTip with that text.
    template <class SetTip> void ForEachTooltip(SetTip setTip) const
    {
        for (std::size_t i = 0; i < m_edits.size(); ++i)
            if (m_editSpecs[i].tooltip)
                setTip(m_edits[i], m_editSpecs[i].tooltip);
        for (std::size_t i = 0; i < m_combos.size(); ++i)
            if (m_comboSpecs[i].tooltip)
                setTip(m_combos[i], m_comboSpecs[i].tooltip);
    }

private:
    std::span<const TEditSpec<Controls>> m_editSpecs;
    std::span<const TComboSpec<Controls>> m_comboSpecs;
    std::vector<QLineEdit*> m_edits;
    std::vector<QComboBox*> m_combos;
};
