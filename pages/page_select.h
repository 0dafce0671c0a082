// The function-select page: outline font, typeface, font 1, font 2, kanji code
// table and page length.
#pragma once

#include <string>

#include "pages/settings_page.h"

namespace vx {

class CPage_Select : public SettingsPage {
  public:
    CPage_Select();

    // Bound variables, in transfer order.
    std::string font1;       // 1058
    std::string font2;       // 1059
    std::string kanjiTable;  // 1066
    int pageLength = 0;      // 1054
    int outlineFont = -1;    // pair from 1237: 0 off, 1 on
    int typeface = -1;       // pair from 1044: 0 Mincho, 1 Gothic

    void OnInitPage() override;
    void OnEditChanged(int controlId) override;

  protected:
    bool DoDataExchange(DataExchange& dx) override;
    void Decode(const SwitchBlock& block) override;
    void Encode(SwitchBlock& block) override;

  private:
    void OnPageLengthChanged();
};

}  // namespace vx
