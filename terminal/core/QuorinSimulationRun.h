#pragma once

#include "ParameterRecords.h"
#include "SimulationRun.h"

// A simulated Quorin run: distance lines rising from g_dSimMin to g_dSimMax and falling back
// in steps of 0.01, scaled and offset by the record, with noise and an optional stretch of
// "E15" replies, played into g_strQuorinLine at the pace of ST and SA. Its first two lines
// are empty.
class CQuorinSimulationRun : public CSimulationRun
{
public:
    explicit CQuorinSimulationRun(const CQuorinParameters& record = QuorinParameters,
                                  SimulationNoise noise = StandardNoise);

    std::string Line(int position) override;
    std::string RestLine() const override;

    // A value as the device writes it: "%.3lf" with zeros after the sign to seven characters;
    // the sign is that of the value before its noise.
    static std::string FormatLine(double value, bool negative);

protected:
    std::string Refusal() const override;
    void Prepare() override;
    std::string& LineVariable() const override;

private:
    const CQuorinParameters& m_record;
    long long m_steps = 0;
    double m_min = 0, m_max = 0, m_SF = 0, m_OF = 0, m_noiseScale = 0;
    bool m_errors = false;
};
