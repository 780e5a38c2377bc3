#pragma once

#include <string>

// The fields both device families have. Only one family's main dialog runs at a time, and a
// dialog of the other family must see what the last one stored, so they have one storage.
struct CSharedParameters
{
    int SE = 0;
    int SA = 0;
    int TDy = 0;
    double SF = 0;
    double OF = 0;
    int BR = 0;
};

extern CSharedParameters SharedParameters;

// The terminal's copy of a Zelnar device's parameter set.
struct CZelnarParameters
{
    CZelnarParameters() = default;
    // A record apart: its shared fields live in shared, not in the process-wide storage.
    explicit CZelnarParameters(CSharedParameters& shared)
        : SE(shared.SE), SA(shared.SA), TDy(shared.TDy), SF(shared.SF), OF(shared.OF), BR(shared.BR)
    {
    }

    std::string AS;                // autostart command: "ID", "DM", "DT", "DF", "VM", "VT"
    int ASIndex = 0;               // selection index of the AS list when last Set
    int PL = 0;                    // pilot laser: 0 off, 1 on, 2 blinking 2 Hz, 3 blinking 5 Hz
    int& SE = SharedParameters.SE; // error mode 0, 1, 2
    int SC = 0;                    // SSI code format 0, 1
    int SDx = 0;                   // display format: 0 decimal, 1 hexadecimal, 2 binary
    int SDy = 0; // output: 0 distance or speed, 1 with strength, 2 with temperature, 3 both
    int MF = 0;  // measuring frequency in Hz
    int& SA = SharedParameters.SA;    // arithmetic average
    double TDx = 0;                   // trigger delay in ms
    int& TDy = SharedParameters.TDy;  // trigger level (flank)
    int TDz = 0;                      // trigger mode
    double& SF = SharedParameters.SF; // scale factor
    double& OF = SharedParameters.OF; // offset
    double MWx = 0;                   // measuring window begin
    double MWy = 0;                   // measuring window end
    double Q1w = 0, Q1x = 0, Q1y = 0; // alarm 1 begin, width, hysteresis
    int Q1z = 0;                      // alarm 1 level
    double Q2w = 0, Q2x = 0, Q2y = 0; // alarm 2
    int Q2z = 0;
    double QAx = 0;                // distance at 4 mA
    double QAy = 0;                // distance at 20 mA
    int& BR = SharedParameters.BR; // baud-rate value of the listing or a file
};

// The terminal's copy of a Quorin device's parameter set.
struct CQuorinParameters
{
    CQuorinParameters() = default;
    // A record apart: its shared fields live in shared, not in the process-wide storage.
    explicit CQuorinParameters(CSharedParameters& shared)
        : SE(shared.SE), SA(shared.SA), TDy(shared.TDy), SF(shared.SF), OF(shared.OF), BR(shared.BR)
    {
    }

    int ASIndex = 0; // in the sorted list "DF", "DM", "DS", "DT", "DW", "DX", "ID", "LO", "TP"
    std::string AS;
    int& SE = SharedParameters.SE;   // 0 latest valid value; 1, 2 fixed states on an error
    int SD = 0;                      // 0 decimal, 1 hexadecimal
    int RMx = 0, RMy = 0, RMz = 0;   // values evaluated, dynamic range, successive outliers
    int ST = 0;                      // measuring time: 0 automatic, n x 240 ms (DT) or 150 ms (DS)
    int& SA = SharedParameters.SA;   // arithmetic average (1 to 20)
    int TDx = 0;                     // trigger delay in ms
    int& TDy = SharedParameters.TDy; // trigger level
    double& SF = SharedParameters.SF;
    double& OF = SharedParameters.OF;
    int TMx = 0, TMy = 0; // trigger mode (1 active), trigger flank
    double RB = 0;        // distance at 4 mA
    double RE = 0;        // distance at 20 mA
    double AC = 0;        // alarm Q1 begin
    double AW = 0;        // alarm Q1 width
    double AH = 0;        // alarm Q1 hysteresis; below 0 the alarm is on outside the window
    int& BR = SharedParameters.BR;
};

extern CZelnarParameters ZelnarParameters;
extern CQuorinParameters QuorinParameters;
