#pragma once
// The rich-label markup renderer: a caption in a small HTML subset becomes a list of formatted
// runs laid out in lines. Parsing and layout are one step and need only a TextMeasurer, so this
// file is portable; GDI measuring and painting live in HTMLRender_win.
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "framework/Graphics.h"

namespace trimwell {

using TElFString = std::u16string;

inline constexpr TColor clDefault = 0x20000000;

// Looks a colour name up in the table of named colours ("clRed", "clWindowText", ...), without
// regard to case. Returns false for a name that is not in the table.
bool IdentToColor(std::u16string_view name, TColor& color);

struct FontDesc {
    std::u16string_view name;
    int height = -11;  // negative: character height in pixels; positive: cell height
    TFontStyles style = 0;
    std::uint8_t charset = 0;
};

struct FontMetrics {
    int height = 0;   // the font's full line height
    int descent = 0;  // below the baseline
    int maxCharWidth = 0;
    int aveCharWidth = 0;
};

// Font heights (either sign) are kept within this many pixels, indents within 16 bits.
inline constexpr int kMaxFontHeight = 0x7FFF;
int ClampFontHeight(std::int64_t height);
int ClampIndent(std::int64_t indent);

// How markup text is measured: GDI in the program, fixed metrics in native tests.
// Widths must be additive per character (the width of "ab" is the width of "a" plus that of
// "b"), a surrogate pair counting as one character; word wrapping measures a growing run one
// character at a time on that promise.
class TextMeasurer {
public:
    virtual ~TextMeasurer() = default;
    virtual void SetFont(const FontDesc& font) = 0;
    virtual FontMetrics Metrics() = 0;
    // Width of `text` drawn as one line without prefix processing, in the current font.
    virtual int TextExtent(std::u16string_view text) = 0;
    // Vertical resolution of the screen, for relative font sizes.
    virtual int LogPixelsY() = 0;
};

// A picture an <img> tag refers to. The render only borrows it.
class TElHTMLImage {
public:
    virtual ~TElHTMLImage() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
};

enum TElHTMLItemKind : std::uint8_t {
    ikText = 0,
    ikSoftBreak = 1,
    ikLineBreak = 2,
    ikParagraph = 3,
    ikImage = 4,
    ikRule = 5,
    ikBullet = 6,
    ikListIndent = 7,
    ikSpacer = 8,
};

inline constexpr std::uint32_t hifLink = 1u << 0;
inline constexpr std::uint32_t hifSubscript = 1u << 1;
inline constexpr std::uint32_t hifSuperscript = 1u << 2;
inline constexpr std::uint32_t hifAbsolute = 1u << 3;
inline constexpr std::uint32_t hifClosedParagraph = 1u << 31;

class TElHTMLData;

class TElHTMLItem {
public:
    explicit TElHTMLItem(TElHTMLData* owner, TElHTMLItemKind kind = ikText) : Owner(owner), Kind(kind) {}
    virtual ~TElHTMLItem() = default;
    TElHTMLItem(const TElHTMLItem&) = delete;
    TElHTMLItem& operator=(const TElHTMLItem&) = delete;

    virtual int ItemWidth(TextMeasurer& m);
    virtual int ItemHeight(TextMeasurer& m, int& descent);

    bool IsBreak() const;
    bool HasContent() const { return Kind != ikText || !Text.empty(); }
    // Copies the formatting (not the kind, text, sizes or line fields) from another item.
    void CopyAttributes(const TElHTMLItem& from);
    const TElFString& GetText() const { return Text; }
    void SetText(TElFString text);
    // Appends one code unit, keeping the cached width exact without measuring the whole run.
    void AppendChar(char16_t ch, TextMeasurer& m);
    // The font this item is measured and drawn in (sub- and superscript runs are smaller).
    FontDesc Font() const;

    TElHTMLData* Owner;
    TElHTMLItemKind Kind;
    TFontStyles Style = 0;
    int Size = -11;
    TColor BgColor = clNone;
    TColor Color = clWindowText;
    TElFString LinkRef;
    TElFString FontName;
    int ColorDepth = 0;
    // Widths and heights are full ints: a long unwrapped caption easily passes 65535 pixels.
    int Width = 0;
    int Height = 0;
    int Indent = 0;
    std::uint32_t Flags = 0;
    bool Transparent = true;

private:
    friend class TElHTMLRender;
    TElFString Text;
    int cachedExtent_ = -1;  // raw text extent; -1 = not measured since the text changed
    int extentBeforeLast_ = -1;  // extent without the last code unit, when known
};

class TElHTMLBreakItem final : public TElHTMLItem {
public:
    using TElHTMLItem::TElHTMLItem;
    int ItemWidth(TextMeasurer& m) override;
    int ItemHeight(TextMeasurer& m, int& descent) override;

    std::uint16_t Alignment = 0;  // 0 left, 1 center, 2 right
    int Descent = 0;              // the line's largest descent below the baseline
    int ListLevel = 0;
    int Spare = 0;  // -1 on bullets
    // Set by the render so a break can tell whether it ends an empty line.
    bool EndsEmptyLine = false;
};

class TElHTMLRender;

class TElHTMLData {
public:
    explicit TElHTMLData(TElHTMLRender* render) : Render(render) {}

    TElHTMLRender* Render;
    TColor LinkColor = 0x00FF0000;
    TColor DefaultColor = clWindowText;
    TFontStyles LinkStyle = fsUnderline;
    TFontStyles DefaultStyle = 0;
    int DefaultHeight = -11;
    std::uint8_t Charset = 0;
    TElFString DefaultFontName = u"MS Sans Serif";
    std::vector<std::unique_ptr<TElHTMLItem>> Items;
    TColor DefaultBgColor = clNone;
    TColor HighlightBgColor = 0;
    TColor HighlightColor = 0;
    const TElHTMLItem* SelectedItem = nullptr;
    int LastPaintLeft = 0, LastPaintTop = 0, LastPaintRight = 0, LastPaintBottom = 0;
    int TextWidth = 0;
    int TextHeight = 0;
};

class EElHTMLError : public std::runtime_error {
public:
    EElHTMLError() : std::runtime_error("Velmora HTML engine error - the text is not valid HTML") {}
};

struct HTMLPoint {
    int x = 0, y = 0;
};
struct HTMLRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// Called for every <img> while parsing and for every paint of an image item.
using TElHTMLImageNeededEvent =
    std::function<void(TElHTMLRender& sender, const TElFString& src, const TElHTMLImage*& image)>;

class TElHTMLRender {
public:
    explicit TElHTMLRender(std::unique_ptr<TextMeasurer> measurer);
    TElHTMLRender(const TElHTMLRender&) = delete;
    TElHTMLRender& operator=(const TElHTMLRender&) = delete;

    TElHTMLImageNeededEvent OnImageNeeded;

    void ParseMarkup(std::u16string_view text, int maxWidth, bool wordWrap);
    void ParseMarkupInto(std::u16string_view text, int maxWidth, TElHTMLData& data, bool wordWrap);

    TElHTMLItem* ItemAtPoint(HTMLPoint point, HTMLPoint origin, const HTMLRect& rect);
    bool LinkAtPoint(HTMLPoint point, HTMLPoint origin, TElFString& href, const HTMLRect& rect);
    void ImageNeeded(const TElFString& src, const TElHTMLImage*& image);

    TElHTMLData& Data() { return *current_; }
    const TElHTMLData& Data() const { return *current_; }
    TextMeasurer& Measurer() { return *measurer_; }

    // Left edge of a laid-out line starting at `lineBreak` in a text area `areaWidth` wide.
    static int LineStartX(const TElHTMLBreakItem& lineBreak, int areaWidth);

private:
    std::unique_ptr<TextMeasurer> measurer_;
    TElHTMLData owned_;
    TElHTMLData* current_;
};

}  // namespace trimwell
