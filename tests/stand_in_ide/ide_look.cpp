#include "ide_look.h"

#include <cstring>

#include "stand_in_protocol.h"

namespace {

const COLORREF kFace = RGB(0xEC, 0xE9, 0xE2);
const COLORREF kShadow = RGB(0xA0, 0x9C, 0x94);
const COLORREF kDark = RGB(0x40, 0x40, 0x40);
const COLORREF kWhite = RGB(0xFF, 0xFF, 0xFF);
const COLORREF kText = RGB(0x10, 0x10, 0x10);
const COLORREF kSelected = RGB(0x2A, 0x4E, 0x86);

struct Fonts {
    HFONT ui, uiBold, code, codeBold, codeItalic;
};

HFONT MakeFont(const char* face, int height, int weight, bool italic) {
    return CreateFontA(-height, 0, 0, 0, weight, italic, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY,
                       DEFAULT_PITCH, face);
}

const Fonts& TheFonts() {
    static const Fonts fonts = {
        MakeFont("DejaVu Sans", 12, FW_NORMAL, false),
        MakeFont("DejaVu Sans", 12, FW_BOLD, false),
        MakeFont("DejaVu Sans Mono", 13, FW_NORMAL, false),
        MakeFont("DejaVu Sans Mono", 13, FW_BOLD, false),
        MakeFont("DejaVu Sans Mono", 13, FW_NORMAL, true),
    };
    return fonts;
}

void Fill(HDC dc, int l, int t, int r, int b, COLORREF colour) {
    const RECT rect = {l, t, r, b};
    SetBkColor(dc, colour);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &rect, "", 0, nullptr);  // a solid fill without a brush
}

void Line(HDC dc, int x1, int y1, int x2, int y2, COLORREF colour) {
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ old = SelectObject(dc, pen);
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
    SelectObject(dc, old);
    DeleteObject(pen);
}

// A filled shape: rectangle, ellipse or polygon, in `fill` with an outline.
void Shape(HDC dc, char kind, const POINT* p, int n, COLORREF fill, COLORREF outline) {
    HBRUSH brush = CreateSolidBrush(fill);
    HPEN pen = CreatePen(PS_SOLID, 1, outline);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    if (kind == 'r') Rectangle(dc, p[0].x, p[0].y, p[1].x, p[1].y);
    if (kind == 'e') Ellipse(dc, p[0].x, p[0].y, p[1].x, p[1].y);
    if (kind == 'p') Polygon(dc, p, n);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void Box(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF outline) {
    const POINT p[2] = {{l, t}, {r, b}};
    Shape(dc, 'r', p, 2, fill, outline);
}

void Oval(HDC dc, int l, int t, int r, int b, COLORREF fill, COLORREF outline) {
    const POINT p[2] = {{l, t}, {r, b}};
    Shape(dc, 'e', p, 2, fill, outline);
}

// A raised (or, with `sunken`, pressed) 3-D frame.
void Bevel(HDC dc, int l, int t, int r, int b, bool sunken) {
    const COLORREF light = sunken ? kShadow : kWhite;
    const COLORREF dark = sunken ? kWhite : kShadow;
    Line(dc, l, b - 1, l, t, light);
    Line(dc, l, t, r - 1, t, light);
    Line(dc, r - 1, t, r - 1, b - 1, dark);
    Line(dc, r - 1, b - 1, l - 1, b - 1, dark);
}

int Text(HDC dc, int x, int y, const char* text, COLORREF colour, HFONT font) {
    SelectObject(dc, font);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    TextOutA(dc, x, y, text, static_cast<int>(strlen(text)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, static_cast<int>(strlen(text)), &size);
    return size.cx;
}

void ClippedText(HDC dc, int x, int y, int right, const char* text, COLORREF colour, HFONT font) {
    SelectObject(dc, font);
    SetTextColor(dc, colour);
    SetBkMode(dc, TRANSPARENT);
    const RECT clip = {x, y, right, y + 20};
    ExtTextOutA(dc, x, y, ETO_CLIPPED, &clip, text, static_cast<int>(strlen(text)), nullptr);
}

// ---- main window: menu bar, tool bar, component palette --------------------

// A 16 x 16 tool-bar picture with its top left corner at x, y.
void ToolIcon(HDC dc, int icon, int x, int y) {
    switch (icon) {
    case 0: {  // new page
        const POINT p[5] = {{x + 3, y + 1}, {x + 10, y + 1}, {x + 13, y + 4}, {x + 13, y + 15}, {x + 3, y + 15}};
        Shape(dc, 'p', p, 5, kWhite, kDark);
        break;
    }
    case 1: {  // open folder
        const POINT p[6] = {{x + 1, y + 4}, {x + 6, y + 4}, {x + 7, y + 6}, {x + 14, y + 6}, {x + 14, y + 14}, {x + 1, y + 14}};
        Shape(dc, 'p', p, 6, RGB(0xF2, 0xC8, 0x4B), RGB(0x8A, 0x6A, 0x10));
        break;
    }
    case 2:  // save
    case 3:  // save all
        if (icon == 3) Box(dc, x + 4, y, x + 16, y + 12, RGB(0x4A, 0x6F, 0xB5), kDark);
        Box(dc, x + 1, y + 3, x + 13, y + 15, RGB(0x4A, 0x6F, 0xB5), kDark);
        Fill(dc, x + 4, y + 4, x + 10, y + 8, kWhite);
        break;
    case 4:  // add a file
    case 5: {  // remove a file
        const POINT p[4] = {{x + 2, y + 1}, {x + 10, y + 1}, {x + 10, y + 13}, {x + 2, y + 13}};
        Shape(dc, 'p', p, 4, kWhite, kDark);
        const COLORREF mark = icon == 4 ? RGB(0x20, 0x9A, 0x30) : RGB(0xC8, 0x20, 0x20);
        Fill(dc, x + 8, y + 10, x + 16, y + 12, mark);
        if (icon == 4) Fill(dc, x + 11, y + 7, x + 13, y + 15, mark);
        break;
    }
    case 6:  // form and unit
        Box(dc, x + 1, y + 2, x + 11, y + 12, kWhite, kDark);
        Box(dc, x + 5, y + 5, x + 15, y + 15, RGB(0xD8, 0xE4, 0xF4), kDark);
        Fill(dc, x + 6, y + 6, x + 14, y + 8, kSelected);
        break;
    case 7:  // new form
        Box(dc, x + 1, y + 2, x + 15, y + 14, kWhite, kDark);
        Fill(dc, x + 2, y + 3, x + 14, y + 6, kSelected);
        break;
    case 8: {  // run
        const POINT p[3] = {{x + 4, y + 2}, {x + 14, y + 8}, {x + 4, y + 14}};
        Shape(dc, 'p', p, 3, RGB(0x2E, 0xA8, 0x3C), RGB(0x10, 0x60, 0x18));
        break;
    }
    case 9:  // pause
        Box(dc, x + 3, y + 2, x + 7, y + 14, RGB(0x4A, 0x6F, 0xB5), kDark);
        Box(dc, x + 9, y + 2, x + 13, y + 14, RGB(0x4A, 0x6F, 0xB5), kDark);
        break;
    case 10:  // stop
        Box(dc, x + 3, y + 3, x + 13, y + 13, RGB(0xD0, 0x30, 0x30), RGB(0x70, 0x10, 0x10));
        break;
    case 11:  // step over
    case 12: {  // step into
        Oval(dc, x + 1, y + 1, x + 5, y + 5, kSelected, kSelected);
        const int endX = icon == 11 ? x + 14 : x + 3;
        Line(dc, x + 3, y + 8, endX, y + 8, kDark);
        Line(dc, endX, y + 8, endX, y + 14, kDark);
        const POINT p[3] = {{endX - 3, y + 11}, {endX + 4, y + 11}, {endX, y + 15}};
        Shape(dc, 'p', p, 3, kDark, kDark);
        break;
    }
    case 13:  // breakpoint
        Oval(dc, x + 3, y + 3, x + 13, y + 13, RGB(0xD0, 0x30, 0x30), RGB(0x70, 0x10, 0x10));
        break;
    case 14:  // find
        Oval(dc, x + 1, y + 1, x + 11, y + 11, RGB(0xD8, 0xE4, 0xF4), kDark);
        Line(dc, x + 9, y + 9, x + 15, y + 15, kDark);
        Line(dc, x + 10, y + 9, x + 15, y + 14, kDark);
        break;
    default:  // help
        Oval(dc, x + 1, y + 1, x + 15, y + 15, kSelected, kSelected);
        Text(dc, x + 5, y + 1, "?", kWhite, TheFonts().uiBold);
        break;
    }
}

// A 24 x 24 component-palette picture with its top left corner at x, y.
void PaletteIcon(HDC dc, int icon, int x, int y) {
    const Fonts& f = TheFonts();
    switch (icon) {
    case 0: {  // the selection arrow
        const POINT p[7] = {{x + 8, y + 3}, {x + 8, y + 19}, {x + 12, y + 15}, {x + 15, y + 21},
                            {x + 17, y + 20}, {x + 14, y + 14}, {x + 19, y + 14}};
        Shape(dc, 'p', p, 7, kWhite, kText);
        break;
    }
    case 1:  // label
        Text(dc, x + 6, y + 3, "A", kText, f.uiBold);
        Line(dc, x + 4, y + 19, x + 20, y + 19, kDark);
        break;
    case 2:  // button
        Fill(dc, x + 2, y + 6, x + 22, y + 18, kFace);
        Bevel(dc, x + 2, y + 6, x + 22, y + 18, false);
        Text(dc, x + 6, y + 5, "ok", kText, f.ui);
        break;
    case 3:  // edit box
        Box(dc, x + 2, y + 6, x + 22, y + 18, kWhite, kDark);
        Text(dc, x + 4, y + 5, "ab", kText, f.ui);
        Line(dc, x + 18, y + 8, x + 18, y + 16, kText);
        break;
    case 4:  // memo
        Box(dc, x + 3, y + 3, x + 21, y + 21, kWhite, kDark);
        for (int row = 0; row < 4; ++row) Line(dc, x + 6, y + 7 + 4 * row, x + 18 - 3 * (row & 1), y + 7 + 4 * row, kShadow);
        break;
    case 5:  // check box
        Box(dc, x + 5, y + 5, x + 19, y + 19, kWhite, kDark);
        Line(dc, x + 8, y + 12, x + 11, y + 15, kText);
        Line(dc, x + 11, y + 15, x + 17, y + 8, kText);
        Line(dc, x + 8, y + 13, x + 11, y + 16, kText);
        Line(dc, x + 11, y + 16, x + 17, y + 9, kText);
        break;
    case 6:  // radio button
        Oval(dc, x + 5, y + 5, x + 19, y + 19, kWhite, kDark);
        Oval(dc, x + 9, y + 9, x + 15, y + 15, kText, kText);
        break;
    case 7:  // list box
        Box(dc, x + 3, y + 3, x + 21, y + 21, kWhite, kDark);
        Fill(dc, x + 4, y + 9, x + 20, y + 13, kSelected);
        Line(dc, x + 6, y + 6, x + 16, y + 6, kShadow);
        Line(dc, x + 6, y + 16, x + 14, y + 16, kShadow);
        break;
    case 8:  // combo box
        Box(dc, x + 2, y + 7, x + 22, y + 17, kWhite, kDark);
        Fill(dc, x + 15, y + 8, x + 21, y + 16, kFace);
        {
            const POINT p[3] = {{x + 16, y + 11}, {x + 20, y + 11}, {x + 18, y + 13}};
            Shape(dc, 'p', p, 3, kText, kText);
        }
        break;
    case 9:  // scroll bar
        Box(dc, x + 2, y + 8, x + 22, y + 16, RGB(0xF4, 0xF4, 0xF4), kDark);
        Fill(dc, x + 8, y + 9, x + 14, y + 15, kFace);
        Bevel(dc, x + 8, y + 9, x + 14, y + 15, false);
        break;
    case 10:  // group box
        Line(dc, x + 3, y + 6, x + 3, y + 21, kShadow);
        Line(dc, x + 3, y + 21, x + 21, y + 21, kShadow);
        Line(dc, x + 21, y + 21, x + 21, y + 6, kShadow);
        Line(dc, x + 21, y + 6, x + 14, y + 6, kShadow);
        Text(dc, x + 5, y - 1, "gb", kText, f.ui);
        break;
    case 11:  // panel
        Fill(dc, x + 3, y + 5, x + 21, y + 19, kFace);
        Bevel(dc, x + 3, y + 5, x + 21, y + 19, false);
        Bevel(dc, x + 5, y + 7, x + 19, y + 17, true);
        break;
    case 12:  // main menu
        Box(dc, x + 2, y + 4, x + 22, y + 20, kWhite, kDark);
        Fill(dc, x + 3, y + 5, x + 21, y + 9, kFace);
        Line(dc, x + 5, y + 12, x + 15, y + 12, kShadow);
        Line(dc, x + 5, y + 16, x + 12, y + 16, kShadow);
        break;
    case 13: {  // image
        Box(dc, x + 2, y + 4, x + 22, y + 20, RGB(0x9C, 0xC8, 0xF0), kDark);
        const POINT p[4] = {{x + 3, y + 19}, {x + 10, y + 10}, {x + 15, y + 15}, {x + 21, y + 19}};
        Shape(dc, 'p', p, 4, RGB(0x3C, 0x9A, 0x48), RGB(0x3C, 0x9A, 0x48));
        Oval(dc, x + 15, y + 6, x + 20, y + 11, RGB(0xF8, 0xD0, 0x40), RGB(0xF8, 0xD0, 0x40));
        break;
    }
    default:  // timer
        Oval(dc, x + 3, y + 3, x + 21, y + 21, kWhite, kDark);
        Line(dc, x + 12, y + 12, x + 12, y + 6, kText);
        Line(dc, x + 12, y + 12, x + 16, y + 14, kText);
        break;
    }
}

void PaintMainWindow(HDC dc, const RECT& client) {
    const Fonts& f = TheFonts();
    const int w = client.right;
    const int h = client.bottom;
    Fill(dc, 0, 0, w, h, kFace);

    // Menu bar.
    static const char* const kMenus[] = {"File", "Edit", "Search", "View", "Project", "Run", "Component", "Tools", "Window", "Help"};
    int x = 8;
    for (const char* item : kMenus) {
        const int width = Text(dc, x, 2, item, kText, f.ui);
        Line(dc, x, 15, x + (item[0] == 'W' ? 9 : 6), 15, kText);  // the access key's underline
        x += width + 16;
    }
    Line(dc, 0, 19, w, 19, kShadow);
    Line(dc, 0, 20, w, 20, kWhite);

    // Tool bar: two rows of eight buttons.
    for (int i = 0; i < 16; ++i) {
        const int bx = 6 + (i % 8) * 27 + (i % 8 >= 4 ? 6 : 0);
        const int by = 23 + (i / 8) * 25;
        Bevel(dc, bx, by, bx + 24, by + 23, false);
        ToolIcon(dc, i, bx + 4, by + 4);
    }
    Line(dc, 238, 22, 238, h, kShadow);
    Line(dc, 239, 22, 239, h, kWhite);

    // Component palette: a row of tabs over a panel of component pictures.
    static const char* const kTabs[] = {"Standard", "Additional", "Dialogs", "System", "Data", "Graphics", "Network"};
    const int left = 244;
    Fill(dc, left, 40, w - 4, h, kMainMarkColour);
    Line(dc, left, 40, w - 4, 40, kWhite);
    x = left;
    for (int i = 0; i < 7; ++i) {
        SelectObject(dc, f.ui);
        SIZE size = {};
        GetTextExtentPoint32A(dc, kTabs[i], static_cast<int>(strlen(kTabs[i])), &size);
        const int tabW = size.cx + 18;
        if (i == 0) {
            Fill(dc, x, 23, x + tabW, 41, kMainMarkColour);
            Line(dc, x, 40, x, 23, kWhite);
            Line(dc, x, 23, x + tabW, 23, kWhite);
            Line(dc, x + tabW, 23, x + tabW, 41, kShadow);
            Text(dc, x + 9, 25, kTabs[i], kText, f.uiBold);
        } else {
            Line(dc, x + tabW, 27, x + tabW, 39, kShadow);
            Text(dc, x + 9, 26, kTabs[i], RGB(0x50, 0x50, 0x50), f.ui);
        }
        x += tabW + (i == 0 ? 6 : 0);
    }
    for (int i = 0; i < 15; ++i) {
        const int ix = left + 6 + i * 30;
        if (i == 0) {
            Fill(dc, ix - 1, 43, ix + 25, 69, RGB(0xF8, 0xFA, 0xFD));
            Bevel(dc, ix - 1, 43, ix + 25, 69, true);
        }
        PaletteIcon(dc, i, ix, 44);
    }
}

// ---- code editor -------------------------------------------------------------

const char* const kSource[] = {
    "unit Tides;",
    "",
    "{ The tide table of a small harbour: it keeps the hours of high",
    "  water and tells the harbour master when the lock gate may open. }",
    "",
    "interface",
    "",
    "type",
    "  TTide = record",
    "    Hour: Integer;",
    "    Height: Double;   // metres above the sill",
    "  end;",
    "",
    "  TTideTable = class",
    "  private",
    "    FTides: array of TTide;",
    "    function GetCount: Integer;",
    "  public",
    "    procedure Add(Hour: Integer; Height: Double);",
    "    function GateOpen(Hour: Integer): Boolean;",
    "    property Count: Integer read GetCount;",
    "  end;",
    "",
    "const",
    "  MinDepth = 2.5;     // what the deepest keel in the harbour needs",
    "  Caption = 'Lock gate';",
    "",
    "implementation",
    "",
    "procedure TTideTable.Add(Hour: Integer; Height: Double);",
    "var",
    "  N: Integer;",
    "begin",
    "  N := Length(FTides);",
    "  SetLength(FTides, N + 1);",
    "  FTides[N].Hour := Hour;",
    "  FTides[N].Height := Height;",
    "end;",
    "",
    "function TTideTable.GateOpen(Hour: Integer): Boolean;",
    "var",
    "  I: Integer;",
    "begin",
    "  Result := False;",
    "  for I := 0 to High(FTides) do",
    "    if (Abs(FTides[I].Hour - Hour) <= 1) and",
    "       (FTides[I].Height >= MinDepth) then",
    "      Exit(True);",
    "end;",
    "",
    "function TTideTable.GetCount: Integer;",
    "begin",
    "  Result := Length(FTides);",
    "end;",
    "",
    "end.",
};

bool IsKeyword(const char* word, int n) {
    static const char* const kKeywords[] = {
        "unit", "interface", "implementation", "type", "record", "end", "class", "private",
        "public", "function", "procedure", "property", "read", "array", "of", "const", "var",
        "begin", "for", "to", "do", "if", "and", "then", "uses"};
    for (const char* k : kKeywords) {
        if (static_cast<int>(strlen(k)) == n && _strnicmp(k, word, n) == 0) return true;
    }
    return false;
}

// Draws one line of source with simple highlighting; `inComment` carries a
// brace comment over to the next line.
void PaintSourceLine(HDC dc, int x, int y, int charW, const char* line, bool& inComment) {
    const Fonts& f = TheFonts();
    const COLORREF comment = RGB(0x2E, 0x7D, 0x32);
    const int n = static_cast<int>(strlen(line));
    int i = 0;
    while (i < n) {
        int j = i + 1;
        HFONT font = f.code;
        COLORREF colour = kText;
        if (inComment || line[i] == '{') {
            j = i;
            while (j < n && line[j] != '}') ++j;
            inComment = j == n;
            if (j < n) ++j;
            font = f.codeItalic;
            colour = comment;
        } else if (line[i] == '/' && i + 1 < n && line[i + 1] == '/') {
            j = n;
            font = f.codeItalic;
            colour = comment;
        } else if (line[i] == '\'') {
            while (j < n && line[j] != '\'') ++j;
            j = j < n ? j + 1 : n;
            colour = RGB(0x1A, 0x4F, 0xC0);
        } else if (line[i] >= '0' && line[i] <= '9') {
            while (j < n && ((line[j] >= '0' && line[j] <= '9') || line[j] == '.')) ++j;
            colour = RGB(0x1A, 0x4F, 0xC0);
        } else if ((line[i] | 0x20) >= 'a' && (line[i] | 0x20) <= 'z') {
            while (j < n && (((line[j] | 0x20) >= 'a' && (line[j] | 0x20) <= 'z') ||
                             (line[j] >= '0' && line[j] <= '9') || line[j] == '_')) {
                ++j;
            }
            if (IsKeyword(line + i, j - i)) {
                font = f.codeBold;
                colour = RGB(0x00, 0x00, 0x80);
            }
        }
        SelectObject(dc, font);
        SetTextColor(dc, colour);
        TextOutA(dc, x + i * charW, y, line + i, j - i);
        i = j;
    }
}

void PaintEditor(HDC dc, const RECT& client) {
    const Fonts& f = TheFonts();
    const int w = client.right;
    const int h = client.bottom;
    const int tabsH = 24, statusH = 22, gutterW = 46, lineH = 16, currentLine = 20;

    // File tabs.
    Fill(dc, 0, 0, w, tabsH, kFace);
    Fill(dc, 4, 3, 74, tabsH, kWhite);
    Line(dc, 4, tabsH, 4, 3, kShadow);
    Line(dc, 4, 3, 74, 3, kShadow);
    Line(dc, 74, 3, 74, tabsH, kShadow);
    Text(dc, 18, 6, "Tides", kText, f.uiBold);
    Text(dc, 88, 6, "HarbourMain", RGB(0x50, 0x50, 0x50), f.ui);
    Line(dc, 0, tabsH - 1, 4, tabsH - 1, kShadow);
    Line(dc, 74, tabsH - 1, w, tabsH - 1, kShadow);

    // Gutter and text.
    const int bottom = h - statusH;
    Fill(dc, 0, tabsH, gutterW, bottom, RGB(0xF0, 0xF0, 0xF0));
    Line(dc, gutterW, tabsH, gutterW, bottom, RGB(0xC8, 0xC8, 0xC8));
    Fill(dc, gutterW + 1, tabsH, w, bottom, kWhite);
    SelectObject(dc, f.code);
    SIZE charSize = {};
    GetTextExtentPoint32A(dc, "M", 1, &charSize);
    SetBkMode(dc, TRANSPARENT);
    bool inComment = false;
    const int count = static_cast<int>(sizeof kSource / sizeof kSource[0]);
    for (int i = 0; i < count; ++i) {
        const int y = tabsH + 4 + i * lineH;
        if (y + lineH > bottom) break;
        if (i + 1 == currentLine) Fill(dc, gutterW + 1, y - 1, w, y + lineH - 1, RGB(0xFF, 0xF8, 0xD6));
        char number[8];
        wsprintfA(number, "%d", i + 1);
        SelectObject(dc, f.code);
        SetTextColor(dc, RGB(0x90, 0x90, 0x90));
        SetTextAlign(dc, TA_RIGHT);
        TextOutA(dc, gutterW - 6, y, number, lstrlenA(number));
        SetTextAlign(dc, TA_LEFT);
        PaintSourceLine(dc, gutterW + 8, y, charSize.cx, kSource[i], inComment);
    }

    // Status bar.
    Fill(dc, 0, bottom, w, h, kFace);
    Line(dc, 0, bottom, w, bottom, kShadow);
    Text(dc, 10, bottom + 4, "20: 19", kText, f.ui);
    Line(dc, 80, bottom + 3, 80, h - 3, kShadow);
    Text(dc, 90, bottom + 4, "Modified", kText, f.ui);
    Line(dc, 170, bottom + 3, 170, h - 3, kShadow);
    Text(dc, 180, bottom + 4, "Insert", kText, f.ui);
}

// ---- object inspector --------------------------------------------------------

void PaintInspector(HDC dc, const RECT& client) {
    const Fonts& f = TheFonts();
    const int w = client.right;
    const int h = client.bottom;
    const int nameW = 104, gridTop = 50, rowH = 17, selectedRow = 2;
    Fill(dc, 0, 0, w, h, kFace);

    // Component selector.
    Box(dc, 3, 3, w - 3, 25, kWhite, kShadow);
    Text(dc, 8, 7, "TideForm: TTideForm", kText, f.ui);
    Fill(dc, w - 21, 4, w - 4, 24, kFace);
    Bevel(dc, w - 21, 4, w - 4, 24, false);
    const POINT arrow[3] = {{w - 16, 12}, {w - 9, 12}, {w - 13, 16}};
    Shape(dc, 'p', arrow, 3, kText, kText);

    // Properties / Events tabs.
    Fill(dc, 4, 30, 80, gridTop, kWhite);
    Line(dc, 4, gridTop, 4, 30, kShadow);
    Line(dc, 4, 30, 80, 30, kShadow);
    Line(dc, 80, 30, 80, gridTop, kShadow);
    Text(dc, 12, 33, "Properties", kText, f.uiBold);
    Text(dc, 92, 33, "Events", RGB(0x50, 0x50, 0x50), f.ui);
    Line(dc, 0, gridTop - 1, 4, gridTop - 1, kShadow);
    Line(dc, 80, gridTop - 1, w, gridTop - 1, kShadow);

    // Property grid: names in the left column, values in the right.
    static const char* const kProperties[][2] = {
        {"AutoScroll", "True"},    {"BorderStyle", "sizeable"}, {"Caption", "Tide table"},
        {"Color", "window"},       {"Cursor", "default"},      {"Enabled", "True"},
        {"Font", "(font)"},        {"Height", "480"},          {"Hint", ""},
        {"KeyPreview", "False"},   {"Left", "120"},            {"Menu", "MainMenu"},
        {"Name", "TideForm"},      {"Position", "centre"},     {"ShowHint", "False"},
        {"Tag", "0"},              {"Top", "90"},              {"Visible", "False"},
        {"Width", "640"},          {"WindowState", "normal"},  {"Scaled", "True"},
        {"Resizable", "True"},     {"HelpTopic", ""},          {"Alpha", "255"},
        {"DoubleBuffered", "False"}, {"Padding", "0, 0, 0, 0"}, {"Margin", "4"},
        {"Tab", "1"},
    };
    Fill(dc, 0, gridTop, nameW, h, kInspectorMarkColour);
    Fill(dc, nameW + 1, gridTop, w, h, kWhite);
    Line(dc, nameW, gridTop, nameW, h, kShadow);
    int row = 0;
    for (const auto& property : kProperties) {
        const int y = gridTop + row * rowH;
        if (y >= h) break;
        if (row == selectedRow) {
            Fill(dc, 0, y, nameW, y + rowH, kSelected);
            ClippedText(dc, 8, y + 1, nameW - 14, property[0], kWhite, f.ui);
        } else {
            ClippedText(dc, 8, y + 1, nameW - 14, property[0], kText, f.ui);
        }
        ClippedText(dc, nameW + 6, y + 1, w - 2, property[1], RGB(0x10, 0x30, 0x90), f.ui);
        Line(dc, nameW + 1, y + rowH - 1, w, y + rowH - 1, RGB(0xE4, 0xE4, 0xE4));
        ++row;
    }
}

}  // namespace

bool PaintIdeWindow(HWND wnd, HDC dc) {
    char className[64] = "";
    GetClassNameA(wnd, className, sizeof className);
    RECT client = {};
    GetClientRect(wnd, &client);
    if (lstrcmpA(className, "TAppBuilder") == 0) {
        PaintMainWindow(dc, client);
    } else if (lstrcmpA(className, "TEditWindow") == 0) {
        PaintEditor(dc, client);
    } else if (lstrcmpA(className, "TPropertyInspector") == 0) {
        PaintInspector(dc, client);
    } else {
        return false;
    }
    return true;
}
