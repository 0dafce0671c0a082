#include "pages/page_select.h"

#include <cstdint>

#include "pages/setting_lists.h"
#include "resources/resource.h"

namespace vx {

namespace {

constexpr int kMinPageLength = 1;
constexpr int kMaxPageLength = 99;
constexpr int kDefaultPageLength = 66;

// The digit a byte carries, or -1 when it is no decimal digit.
int DigitOf(std::uint8_t byte) { return byte >= '0' && byte <= '9' ? byte - '0' : -1; }

// Byte of a list setting: '0' + the text's position among `names`, '0' when absent.
template <std::size_t N>
std::uint8_t CodeOf(const char* const (&names)[N], const std::string& text) {
    for (std::size_t i = 0; i < N; ++i) {
        if (text == names[i]) return static_cast<std::uint8_t>('0' + i);
    }
    return '0';
}

// Name of a list setting's byte; the first name for a byte outside the list.
template <std::size_t N>
const char* NameOf(const char* const (&names)[N], std::uint8_t byte) {
    const int d = DigitOf(byte);
    return d >= 0 && d < static_cast<int>(N) ? names[d] : names[0];
}

// An on/off pair: the button index is the digit. A byte other than '0' or '1' checks
// neither button; with neither checked the factory setting is written back.
int PairIndexOf(std::uint8_t byte) { return byte == '0' || byte == '1' ? byte - '0' : -1; }
std::uint8_t PairByteOf(int index, BlockByte at) {
    return index == 0 || index == 1 ? static_cast<std::uint8_t>('0' + index)
                                    : FactoryDefaults.bytes[at];
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
    outlineFont = PairIndexOf(block.bytes[kOutlineFont]);
    kanjiTable = NameOf(kKanjiTables, block.bytes[kKanjiTable]);
    font1 = NameOf(kFonts, block.bytes[kFont1]);
    font2 = NameOf(kFonts, block.bytes[kFont2]);
    // Bytes that are not two digits show, and are written back as, the factory length.
    const int tens = DigitOf(block.bytes[kPageLengthTens]);
    const int units = DigitOf(block.bytes[kPageLengthUnits]);
    pageLength = tens < 0 || units < 0 ? kDefaultPageLength : tens * 10 + units;
    typeface = PairIndexOf(block.bytes[kTypeface]);
}

void CPage_Select::Encode(SwitchBlock& block) {
    block.bytes[kOutlineFont] = PairByteOf(outlineFont, kOutlineFont);
    block.bytes[kKanjiTable] = CodeOf(kKanjiTables, kanjiTable);
    block.bytes[kFont1] = CodeOf(kFonts, font1);
    block.bytes[kFont2] = CodeOf(kFonts, font2);
    // A length typed without the focus in the box can lie outside 1..99: the block gets
    // the nearest length it can carry.
    int lines = pageLength;
    if (lines < kMinPageLength) lines = kMinPageLength;
    if (lines > kMaxPageLength) lines = kMaxPageLength;
    block.bytes[kPageLengthTens] = static_cast<std::uint8_t>('0' + lines / 10);
    block.bytes[kPageLengthUnits] = static_cast<std::uint8_t>('0' + lines % 10);
    block.bytes[kTypeface] = PairByteOf(typeface, kTypeface);
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
