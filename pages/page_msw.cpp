#include "pages/page_msw.h"

#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx {

// MSW1 ---------------------------------------------------------------------

CPage_MSW1::CPage_MSW1()
    : MemorySwitchPage(1, IDD_PAGE_MSW1,
                       {IDC_MSW1_SW6_CRLF, IDC_MSW1_COUNTRY, IDC_MSW1_SW7_CR, IDC_MSW1_SW6_CR,
                        IDC_MSW1_SW8_RETURN, IDC_MSW1_SW8_NEWLINE, IDC_MSW1_SW5_ENABLED,
                        IDC_MSW1_SW7_ALL, IDC_MSW1_SW5_DISABLED}) {}

bool CPage_MSW1::DoDataExchange(DataExchange& dx) {
    return dx.ListText(IDC_MSW1_COUNTRY, country, kListTextLimit) &&
           dx.RadioGroup(IDC_MSW1_SW5_ENABLED, dc1dc3) &&
           dx.RadioGroup(IDC_MSW1_SW6_CRLF, autoNewline) &&
           dx.RadioGroup(IDC_MSW1_SW7_CR, printCodes) &&
           dx.RadioGroup(IDC_MSW1_SW8_RETURN, crFunction);
}

void CPage_MSW1::MapSwitches(SwitchMirror& m) {
    // Codes 1, 6 and 7 have no name of their own and show as Japan.
    m.Code(1, 3, country, kCountries);
    // SW1-4 keeps the value last loaded.
    m.Switches(5, {&dc1dc3, &autoNewline, &printCodes, &crFunction});
}

// MSW2 ---------------------------------------------------------------------

CPage_MSW2::CPage_MSW2()
    : MemorySwitchPage(
          2, IDD_PAGE_MSW2,
          {IDC_MSW2_SW4_DISABLED, IDC_MSW2_SW6_7BIT, IDC_MSW2_SW8_PLATEN, IDC_MSW2_SW1_SLASH,
           IDC_MSW2_SW3_NATIVE, IDC_MSW2_SW5_ENABLED, IDC_MSW2_SW4_ENABLED, IDC_MSW2_SW6_8BIT,
           IDC_MSW2_SW7_DISCARD, IDC_MSW2_SW8_RESET, IDC_MSW2_SW7_KEEP, IDC_MSW2_SW5_DISABLED,
           IDC_MSW2_SW3_COPY}) {}

bool CPage_MSW2::DoDataExchange(DataExchange& dx) {
    return dx.CheckBox(IDC_MSW2_SW1_SLASH, slashZero) &&
           dx.RadioGroup(IDC_MSW2_SW3_NATIVE, graphicsDots) &&
           dx.RadioGroup(IDC_MSW2_SW4_ENABLED, printModeByHost) &&
           dx.RadioGroup(IDC_MSW2_SW5_ENABLED, densityByHost) &&
           dx.RadioGroup(IDC_MSW2_SW6_8BIT, dataBits) &&
           dx.RadioGroup(IDC_MSW2_SW7_DISCARD, paperOutData) &&
           dx.RadioGroup(IDC_MSW2_SW8_RESET, jamRecovery);
}

void CPage_MSW2::MapSwitches(SwitchMirror& m) {
    m.Switches(1, {&slashZero});
    m.Cleared(2);  // no setting of its own: always written off
    m.Switches(3, {&graphicsDots, &printModeByHost, &densityByHost, &dataBits, &paperOutData,
                   &jamRecovery});
}

// MSW3 ---------------------------------------------------------------------

CPage_MSW3::CPage_MSW3()
    : MemorySwitchPage(
          3, IDD_PAGE_MSW3,
          {IDC_MSW3_SW4_160, IDC_MSW3_SW6_PARALLEL, IDC_MSW3_SW8_DISABLED, IDC_MSW3_SW7_SLASH,
           IDC_MSW3_SW3_DISABLED, IDC_MSW3_SW5_FIRST, IDC_MSW3_SW4_168, IDC_MSW3_SW8_ENABLED,
           IDC_MSW3_SW5_FIXED, IDC_MSW3_SW3_ENABLED, IDC_MSW3_SW6_LAN, IDC_MSW3_SPEED}) {}

bool CPage_MSW3::DoDataExchange(DataExchange& dx) {
    return dx.CheckBox(IDC_MSW3_SW7_SLASH, slashZero2) &&
           dx.RadioGroup(IDC_MSW3_SW3_DISABLED, autoPrintMode) &&
           dx.RadioGroup(IDC_MSW3_SW4_168, driver) &&
           dx.RadioGroup(IDC_MSW3_SW5_FIRST, portChoice) && dx.RadioGroup(IDC_MSW3_SW6_LAN, port) &&
           dx.ListText(IDC_MSW3_SPEED, speed, kListTextLimit) &&
           dx.RadioGroup(IDC_MSW3_SW8_ENABLED, powerSaving);
}

void CPage_MSW3::MapSwitches(SwitchMirror& m) {
    // Code 3 has no name of its own and shows as 310 LPM.
    m.Code(1, 2, speed, kSpeeds);
    m.Switches(3, {&autoPrintMode, &driver, &portChoice, &port, &slashZero2, &powerSaving});
}

// MSW4 ---------------------------------------------------------------------

CPage_MSW4::CPage_MSW4()
    : MemorySwitchPage(
          4, IDD_PAGE_MSW4,
          {IDC_MSW4_SW4_YES, IDC_MSW4_PRINT_MODE, IDC_MSW4_SW8_SHINJOSHO, IDC_MSW4_SW1_DISABLED,
           IDC_MSW4_SW4_NO, IDC_MSW4_SW7_ENABLED, IDC_MSW4_SW8_WIDE, IDC_MSW4_SW7_DISABLED,
           IDC_MSW4_SW1_ENABLED, IDC_MSW4_DENSITY}) {}

bool CPage_MSW4::DoDataExchange(DataExchange& dx) {
    return dx.ListText(IDC_MSW4_DENSITY, density, 0) &&
           dx.ListText(IDC_MSW4_PRINT_MODE, printMode, 0) &&
           dx.RadioGroup(IDC_MSW4_SW1_DISABLED, buzzer) &&
           dx.RadioGroup(IDC_MSW4_SW4_NO, autoEject) &&
           dx.RadioGroup(IDC_MSW4_SW7_ENABLED, emCode) && dx.RadioGroup(IDC_MSW4_SW8_WIDE, barcode);
}

void CPage_MSW4::MapSwitches(SwitchMirror& m) {
    m.Switches(1, {&buzzer});
    m.Code(2, 2, density, kDensities);
    m.Switches(4, {&autoEject});
    // Code 3 has no name of its own and shows as standard.
    m.Code(5, 2, printMode, kPrintModes);
    m.Switches(7, {&emCode, &barcode});
}

}  // namespace vx
