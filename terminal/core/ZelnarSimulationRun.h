#pragma once

#include "ParameterRecords.h"
#include "SimulationRun.h"

// A simulated Zelnar run: decimal distance lines rising from g_dSimMin to g_dSimMax and
// falling back in steps of 0.01, scaled and offset by the record, with noise, an optional
// stretch of "E02" replies and the device's measuring-window check, played into
// g_strMeasLine at the pace of SA values at MF hertz.
class CZelnarSimulationRun : public CSimulationRun
{
public:
    explicit CZelnarSimulationRun(const CZelnarParameters& record = ZelnarParameters,
                                  SimulationNoise noise = StandardNoise);

    std::string Line(int position) override;
    std::string RestLine() const override;

    // A value as the device writes it: sign or blank, zeros to nine characters, "%.3lf", and
    // the suffix of the output selection SDy.
    static std::string FormatLine(double value, int SDy);
    // The error reply with the suffix of SDy.
    static std::string ErrorLine(int SDy);

protected:
    std::string Refusal() const override;
    void Prepare() override;
    std::string& LineVariable() const override;

private:
    const CZelnarParameters& m_record;
    long long m_steps = 0;
    double m_min = 0, m_max = 0, m_SF = 0, m_OF = 0, m_MWx = 0, m_MWy = 0, m_noiseScale = 0;
    int m_SDy = 0;
    bool m_errors = false;
};
