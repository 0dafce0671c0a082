#include "pages/page_select.h"

#include <cstdint>

#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx {

namespace {

// Digit of a list setting: the text's position among `names`, 0 when absent.
template <std::size_t N>
int CodeOf(const char* const (&names)[N], const std::string& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) return static_cast<int>(i);
    }
    return 0;
}

// Name of a list setting's digit; the first name for a byte outside the list.
template <std::size_t N>
const char* NameOf(const char* const (&names)[N], int digit) {
    return digit >= 0 && digit < static_cast<int>(N) ? names[digit] : names[0];
}

// An on/off pair: the button index is the digit. A byte other than '0' or '1' checks
// neither button; with neither checked the factory setting is written back.
int PairIndexOf(int digit) { return digit == 0 || digit == 1 ? digit : -1; }
int PairDigitOf(int index, BlockByte at) {
    return index == 0 || index == 1 ? index : GetDigit(FactoryDefaults, at);
}

}  // namespace

CPage_Select::CPage_Select()
    : SettingsPage(IDD_PAGE_SELECT,
                   {IDC_SEL_TYPEFACE_GOTHIC, IDC_SEL_OUTLINE_ON, IDC_SEL_TYPEFACE_MINCHO,
                    IDC_SEL_FONT1, IDC_SEL_FONT2, IDC_SEL_KANJI_TABLE, IDC_SEL_OUTLINE_OFF}) {}

bool CPage_Select::DoDataExchange(DataExchange& dx) {
    return dx.ListText(IDC_SEL_FONT1, font1, kListTextLimit) &&
           dx.ListText(IDC_SEL_FONT2, font2, kListTextLimit) &&
           dx.ListText(IDC_SEL_KANJI_TABLE, kanjiTable, kListTextLimit) &&
           dx.Integer(IDC_SEL_PAGE_LENGTH, pageLength) &&
           dx.RadioGroup(IDC_SEL_OUTLINE_OFF, outlineFont) &&
           dx.RadioGroup(IDC_SEL_TYPEFACE_MINCHO, typeface);
}

void CPage_Select::Decode(const SwitchBlock& block) {
    outlineFont = PairIndexOf(GetDigit(block, kOutlineFont));
    kanjiTable = NameOf(kKanjiTables, GetDigit(block, kKanjiTable));
    font1 = NameOf(kFonts, GetDigit(block, kFont1));
    font2 = NameOf(kFonts, GetDigit(block, kFont2));
    // Bytes that are not two digits show, and are written back as, the factory length.
    const int lines = GetPageLength(block);
    pageLength = lines < 0 ? kFactoryPageLength : lines;
    typeface = PairIndexOf(GetDigit(block, kTypeface));
}

void CPage_Select::Encode(SwitchBlock& block) {
    SetDigit(block, kOutlineFont, PairDigitOf(outlineFont, kOutlineFont));
    SetDigit(block, kKanjiTable, CodeOf(kKanjiTables, kanjiTable));
    SetDigit(block, kFont1, CodeOf(kFonts, font1));
    SetDigit(block, kFont2, CodeOf(kFonts, font2));
    // A length typed without the focus in the box can lie outside 1..99: the block gets
    // the nearest length it can carry.
    int lines = pageLength;
    if (lines < kMinPageLength) lines = kMinPageLength;
    if (lines > kMaxPageLength) lines = kMaxPageLength;
    SetPageLength(block, lines);
    SetDigit(block, kTypeface, PairDigitOf(typeface, kTypeface));
}

void CPage_Select::OnInitPage() {
    SettingsPage::OnInitPage();
    Window().SetSpinRange(IDC_SEL_PAGE_LENGTH_SPIN, kMinPageLength, kMaxPageLength);
}

void CPage_Select::OnEditChanged(int controlId) {
    if (controlId == IDC_SEL_PAGE_LENGTH && !Transferring()) OnPageLengthChanged();
}

// Keeps the typed length within 1..99 while the user types. Every replacement of the
// text changes it again and so runs this handler once more, nested, on the new text.
void CPage_Select::OnPageLengthChanged() {
    PageWindow& w = Window();
    const bool focused = w.HasFocus(IDC_SEL_PAGE_LENGTH);
    const std::optional<int> parsed = ParseInteger(w.GetText(IDC_SEL_PAGE_LENGTH));
    int value = parsed ? *parsed : 0;

    // The box holds at most 9 characters worth reading; a longer number loses its
    // leading zeros ("0012" becomes "12").
    const std::string text = w.GetText(IDC_SEL_PAGE_LENGTH).substr(0, 9);
    if (text.size() > 3) {
        value = LeadingNumber(text);
        const std::string rewritten = std::to_string(static_cast<std::uint32_t>(value));
        if (rewritten != text) w.SetText(IDC_SEL_PAGE_LENGTH, rewritten);
    }

    if (focused) {
        if (value < kMinPageLength) {
            w.SetText(IDC_SEL_PAGE_LENGTH, "1");
        } else if (value > kMaxPageLength) {
            w.SetText(IDC_SEL_PAGE_LENGTH, "99");
        }
    }
    w.RaiseCommand(IDM_DATA_CHECK);
}

}  // namespace vx
