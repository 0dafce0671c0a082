/* The items of the pages' drop-down lists in list order, each with the code it
   stands for. One source for the page templates' item lists (resources/qlv3906.rc),
   the pages and every program that names the values (pages/setting_lists.h), and
   the help's coverage test (tests/help/check_help.py). Plain preprocessor, as the
   resource compiler reads it too: NAME(X, id) expands to X(id, text, code) per item. */
#ifndef VX_PAGES_LIST_ITEMS_H
#define VX_PAGES_LIST_ITEMS_H

/* The resource type of the templates' item lists (pages/page_items.h reads them). */
#define VX_PAGE_ITEMS_RESOURCE_TYPE 240

/* Function select: an item's position is the digit its byte carries. */
#define VX_FONT_ITEMS(X, id) \
    X(id, "標準", 0)         \
    X(id, "イタリック", 1) X(id, "クーリエ", 2) X(id, "ゴシック", 3) X(id, "OCR-B", 4)
#define VX_KANJI_TABLE_ITEMS(X, id) \
    X(id, "JIS1978年版", 0) X(id, "JIS1983年版", 1) X(id, "JIS1990年版", 2)

/* The memory switches: the code of the switches each list sets. */
#define VX_COUNTRY_ITEMS(X, id) /* SW1-1..3 */ \
    X(id, "日本", 0)                           \
    X(id, "アメリカ", 2) X(id, "イギリス", 3) X(id, "ドイツ", 4) X(id, "スウェーデン", 5)
#define VX_SPEED_ITEMS(X, id) /* SW3-1..2 */ \
    X(id, "２４０LPM", 2) X(id, "２２５LPM", 1) X(id, "３１０LPM", 0)
#define VX_DENSITY_ITEMS(X, id) /* SW4-2..3 */ \
    X(id, "標準", 0) X(id, "濃度1", 1) X(id, "濃度2", 2) X(id, "濃度3", 3)
#define VX_PRINT_MODE_ITEMS(X, id) /* SW4-5..6 */ \
    X(id, "標準", 0) X(id, "高速", 2) X(id, "高品位", 1)

#endif
