// The four memory-switch pages. Each shows the eight switches of one memory
// switch as radio pairs, check boxes and drop-down lists.
#pragma once

#include <string>

#include "pages/settings_page.h"

namespace vx {

// MSW1: international character set (SW1-1..3), SW1-5..8. SW1-4 is carried through.
class CPage_MSW1 : public MemorySwitchPage {
  public:
    CPage_MSW1();

    std::string country;   // 1010
    int dc1dc3 = -1;       // SW1-5, pair from 1016
    int autoNewline = -1;  // SW1-6, pair from 1008
    int printCodes = -1;   // SW1-7, pair from 1011
    int crFunction = -1;   // SW1-8, pair from 1014

  protected:
    bool DoDataExchange(DataExchange& dx) override;
    void MapSwitches(SwitchMirror& m) override;
};

// MSW2: SW2-1, SW2-3..8. SW2-2 is always written 0.
class CPage_MSW2 : public MemorySwitchPage {
  public:
    CPage_MSW2();

    int slashZero = 0;         // SW2-1, check box 1016
    int graphicsDots = -1;     // SW2-3, pair from 1019
    int printModeByHost = -1;  // SW2-4, pair from 1021
    int densityByHost = -1;    // SW2-5, pair from 1020
    int dataBits = -1;         // SW2-6, pair from 1022
    int paperOutData = -1;     // SW2-7, pair from 1023
    int jamRecovery = -1;      // SW2-8, pair from 1024

  protected:
    bool DoDataExchange(DataExchange& dx) override;
    void MapSwitches(SwitchMirror& m) override;
};

// MSW3: print speed (SW3-1..2), SW3-3..8.
class CPage_MSW3 : public MemorySwitchPage {
  public:
    CPage_MSW3();

    int slashZero2 = 0;      // SW3-7, check box 1026
    int autoPrintMode = -1;  // SW3-3, pair from 1027
    int driver = -1;         // SW3-4, pair from 1029
    int portChoice = -1;     // SW3-5, pair from 1028
    int port = -1;           // SW3-6, pair from 1238
    std::string speed;       // 1252
    int powerSaving = -1;    // SW3-8, pair from 1030

  protected:
    bool DoDataExchange(DataExchange& dx) override;
    void MapSwitches(SwitchMirror& m) override;
};

// MSW4: SW4-1, density (SW4-2..3), SW4-4, print mode (SW4-5..6), SW4-7, SW4-8.
class CPage_MSW4 : public MemorySwitchPage {
  public:
    CPage_MSW4();

    std::string density;    // 1251
    std::string printMode;  // 1011
    int buzzer = -1;        // SW4-1, pair from 1031
    int autoEject = -1;     // SW4-4, pair from 1034
    int emCode = -1;        // SW4-7, pair from 1037
    int barcode = -1;       // SW4-8, pair from 1039

  protected:
    bool DoDataExchange(DataExchange& dx) override;
    void MapSwitches(SwitchMirror& m) override;
};

}  // namespace vx
