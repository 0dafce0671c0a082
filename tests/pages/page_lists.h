// The drop-down lists of the page templates (pages/template_lists.h) and their radio pairs.
#pragma once

#include <utility>
#include <vector>

#include "pages/template_lists.h"
#include "resources/resource.h"

namespace vx::test {

using ::vx::PageLists;

// The radio pairs of a page template, each as its first and second button; the first
// starts the pair's group and the control after the second starts the next one.
inline std::vector<std::pair<int, int>> RadioPairs(int templateId) {
    switch (templateId) {
        case IDD_PAGE_SELECT:
            return {{IDC_SEL_OUTLINE_OFF, IDC_SEL_OUTLINE_ON},
                    {IDC_SEL_TYPEFACE_MINCHO, IDC_SEL_TYPEFACE_GOTHIC}};
        case IDD_PAGE_MSW1:
            return {{IDC_MSW1_SW5_ENABLED, IDC_MSW1_SW5_DISABLED},
                    {IDC_MSW1_SW6_CRLF, IDC_MSW1_SW6_CR},
                    {IDC_MSW1_SW7_CR, IDC_MSW1_SW7_ALL},
                    {IDC_MSW1_SW8_RETURN, IDC_MSW1_SW8_NEWLINE}};
        case IDD_PAGE_MSW2:
            return {{IDC_MSW2_SW3_NATIVE, IDC_MSW2_SW3_COPY},
                    {IDC_MSW2_SW4_ENABLED, IDC_MSW2_SW4_DISABLED},
                    {IDC_MSW2_SW5_ENABLED, IDC_MSW2_SW5_DISABLED},
                    {IDC_MSW2_SW6_8BIT, IDC_MSW2_SW6_7BIT},
                    {IDC_MSW2_SW7_DISCARD, IDC_MSW2_SW7_KEEP},
                    {IDC_MSW2_SW8_RESET, IDC_MSW2_SW8_PLATEN}};
        case IDD_PAGE_MSW3:
            return {{IDC_MSW3_SW3_DISABLED, IDC_MSW3_SW3_ENABLED},
                    {IDC_MSW3_SW4_168, IDC_MSW3_SW4_160},
                    {IDC_MSW3_SW5_FIRST, IDC_MSW3_SW5_FIXED},
                    {IDC_MSW3_SW6_LAN, IDC_MSW3_SW6_PARALLEL},
                    {IDC_MSW3_SW8_ENABLED, IDC_MSW3_SW8_DISABLED}};
        case IDD_PAGE_MSW4:
            return {{IDC_MSW4_SW1_DISABLED, IDC_MSW4_SW1_ENABLED},
                    {IDC_MSW4_SW4_NO, IDC_MSW4_SW4_YES},
                    {IDC_MSW4_SW7_ENABLED, IDC_MSW4_SW7_DISABLED},
                    {IDC_MSW4_SW8_WIDE, IDC_MSW4_SW8_SHINJOSHO}};
        default:
            return {};
    }
}

}  // namespace vx::test
