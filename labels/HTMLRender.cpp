#include "labels/HTMLRender.h"

#include <algorithm>
#include <array>
#include <climits>
#include <cstdlib>
#include <new>

namespace trimwell {

// Font heights from markup or from the label's font stay within what a screen can show, and
// indents within 16 bits, so that heights, indents and their sums never overflow.
int ClampFontHeight(std::int64_t h) { return static_cast<int>(std::clamp<std::int64_t>(h, -kMaxFontHeight, kMaxFontHeight)); }

int ClampIndent(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT16_MIN, INT16_MAX)); }

namespace {

char16_t LowerAscii(char16_t c) { return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 32) : c; }

TElFString Lower(std::u16string_view s) {
    TElFString out(s);
    for (auto& c : out) c = LowerAscii(c);
    return out;
}

bool EqualsNoCase(std::u16string_view a, std::u16string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (LowerAscii(a[i]) != LowerAscii(b[i])) return false;
    return true;
}

// Removes leading and trailing blanks and control characters, as the label library's Trim does.
std::u16string_view Trim(std::u16string_view s) {
    while (!s.empty() && s.front() <= u' ') s.remove_prefix(1);
    while (!s.empty() && s.back() <= u' ') s.remove_suffix(1);
    return s;
}

int HexDigit(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    return -1;
}

// Reads a whole string as a 32-bit integer: blanks around it, a sign, then decimal digits or
// hexadecimal ones after "$" or "0x". Anything else, or a value out of range, fails.
bool ParseInt(std::u16string_view s, std::int32_t& out, bool hexOnly = false) {
    s = Trim(s);
    bool negative = false;
    if (!s.empty() && (s.front() == u'+' || s.front() == u'-')) {
        negative = s.front() == u'-';
        s.remove_prefix(1);
    }
    int base = hexOnly ? 16 : 10;
    if (!s.empty() && s.front() == u'$') {
        base = 16;
        s.remove_prefix(1);
    } else if (!hexOnly && s.size() > 1 && s[0] == u'0' && (s[1] == u'x' || s[1] == u'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    std::uint64_t value = 0;
    for (char16_t c : s) {
        const int d = HexDigit(c);
        if (d < 0 || d >= base) return false;
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(d);
        // Hexadecimal may fill all 32 bits (colours do); decimal stays within the signed range.
        if (value > (base == 16 ? 0xFFFFFFFFull : 0x80000000ull)) return false;
    }
    if (base == 10 && !negative && value > 0x7FFFFFFFull) return false;
    const auto bits = static_cast<std::uint32_t>(value);
    out = static_cast<std::int32_t>(negative ? 0u - bits : bits);
    return true;
}

std::int32_t IntOr(std::u16string_view s, std::int32_t fallback) {
    std::int32_t v = 0;
    return ParseInt(s, v) ? v : fallback;
}

// Sizes from tags are 16-bit quantities in the stored layout; keep them there so no sum of
// them can overflow and no drawing call gets a huge or negative extent.
int ClampSize(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, 0, 0xFFFF)); }

int SaturateInt(std::int64_t v) { return static_cast<int>(std::clamp<std::int64_t>(v, INT_MIN, INT_MAX)); }

int Sign(std::int64_t v) { return (v > 0) - (v < 0); }

// a * b / c rounded half away from zero, as the platform's MulDiv does.
int MulDiv(int a, int b, int c) {
    if (c == 0) return -1;
    const std::int64_t p = static_cast<std::int64_t>(a) * b;
    const std::int64_t q = (std::abs(p) + std::abs(static_cast<std::int64_t>(c)) / 2) / std::abs(c);
    return SaturateInt(((p < 0) != (c < 0)) ? -q : q);
}

struct NamedColor {
    const char16_t* name;
    TColor value;
};

constexpr std::array<NamedColor, 52> kColorNames{{
    {u"clBlack", 0x000000},
    {u"clMaroon", 0x000080},
    {u"clGreen", 0x008000},
    {u"clOlive", 0x008080},
    {u"clNavy", 0x800000},
    {u"clPurple", 0x800080},
    {u"clTeal", 0x808000},
    {u"clGray", 0x808080},
    {u"clSilver", 0xC0C0C0},
    {u"clRed", 0x0000FF},
    {u"clLime", 0x00FF00},
    {u"clYellow", 0x00FFFF},
    {u"clBlue", 0xFF0000},
    {u"clFuchsia", 0xFF00FF},
    {u"clAqua", 0xFFFF00},
    {u"clWhite", 0xFFFFFF},
    {u"clMoneyGreen", 0xC0DCC0},
    {u"clSkyBlue", 0xF0CAA6},
    {u"clCream", 0xF0FBFF},
    {u"clMedGray", 0xA4A0A0},
    {u"clNone", clNone},
    {u"clDefault", clDefault},
    {u"clScrollBar", 0xFF000000},
    {u"clBackground", 0xFF000001},
    {u"clActiveCaption", 0xFF000002},
    {u"clInactiveCaption", 0xFF000003},
    {u"clMenu", 0xFF000004},
    {u"clWindow", 0xFF000005},
    {u"clWindowFrame", 0xFF000006},
    {u"clMenuText", 0xFF000007},
    {u"clWindowText", 0xFF000008},
    {u"clCaptionText", 0xFF000009},
    {u"clActiveBorder", 0xFF00000A},
    {u"clInactiveBorder", 0xFF00000B},
    {u"clAppWorkSpace", 0xFF00000C},
    {u"clHighlight", 0xFF00000D},
    {u"clHighlightText", 0xFF00000E},
    {u"clBtnFace", 0xFF00000F},
    {u"clBtnShadow", 0xFF000010},
    {u"clGrayText", 0xFF000011},
    {u"clBtnText", 0xFF000012},
    {u"clInactiveCaptionText", 0xFF000013},
    {u"clBtnHighlight", 0xFF000014},
    {u"cl3DDkShadow", 0xFF000015},
    {u"cl3DLight", 0xFF000016},
    {u"clInfoText", 0xFF000017},
    {u"clInfoBk", 0xFF000018},
    {u"clHotLight", 0xFF00001A},
    {u"clGradientActiveCaption", 0xFF00001B},
    {u"clGradientInactiveCaption", 0xFF00001C},
    {u"clMenuHighlight", 0xFF00001D},
    {u"clMenuBar", 0xFF00001E},
}};

}  // namespace

bool IdentToColor(std::u16string_view name, TColor& color) {
    for (const auto& entry : kColorNames) {
        if (EqualsNoCase(name, entry.name)) {
            color = entry.value;
            return true;
        }
    }
    return false;
}

// ---- items --------------------------------------------------------------------------------

bool TElHTMLItem::IsBreak() const {
    return Kind == ikSoftBreak || Kind == ikLineBreak || Kind == ikParagraph || Kind == ikBullet ||
           Kind == ikListIndent;
}

void TElHTMLItem::CopyAttributes(const TElHTMLItem& from) {
    Style = from.Style;
    Size = from.Size;
    BgColor = from.BgColor;
    Color = from.Color;
    LinkRef = from.LinkRef;
    FontName = from.FontName;
    Indent = from.Indent;
    ColorDepth = from.ColorDepth;
    Flags = from.Flags;
}

void TElHTMLItem::SetText(TElFString text) {
    Text = std::move(text);
    cachedExtent_ = -1;
    extentBeforeLast_ = -1;
}

FontDesc TElHTMLItem::Font() const {
    FontDesc f;
    f.name = FontName;
    const int size = ClampFontHeight(Size);
    f.height = (Flags & (hifSubscript | hifSuperscript)) ? size - 2 * Sign(size) : size;
    f.style = Style;
    f.charset = Owner ? Owner->Charset : 0;
    return f;
}

namespace {
bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
}  // namespace

void TElHTMLItem::AppendChar(char16_t ch, TextMeasurer& m) {
    const bool completesPair = IsLowSurrogate(ch) && !Text.empty() && IsHighSurrogate(Text.back());
    Text.push_back(ch);
    if (cachedExtent_ < 0) return;  // never measured: the whole run is measured when it is needed
    m.SetFont(Font());
    if (!completesPair) {
        extentBeforeLast_ = cachedExtent_;
        const char16_t one[1] = {ch};
        cachedExtent_ = SaturateInt(static_cast<std::int64_t>(cachedExtent_) + std::max(0, m.TextExtent({one, 1})));
    } else if (extentBeforeLast_ >= 0) {
        // A surrogate pair is one character: its width replaces that of the lone high half.
        const std::u16string_view pair(Text.data() + Text.size() - 2, 2);
        cachedExtent_ = SaturateInt(static_cast<std::int64_t>(extentBeforeLast_) + std::max(0, m.TextExtent(pair)));
    } else {
        // Only right after a full measurement, so at most once per change of the whole text.
        cachedExtent_ = std::max(0, m.TextExtent(Text));
    }
}

int TElHTMLItem::ItemWidth(TextMeasurer& m) {
    switch (Kind) {
        case ikText:
            if (cachedExtent_ < 0) {
                m.SetFont(Font());
                cachedExtent_ = std::max(0, m.TextExtent(Text));
                extentBeforeLast_ = -1;
            }
            return SaturateInt(static_cast<std::int64_t>(cachedExtent_) + 1);
        case ikImage:
        case ikRule:
        case ikSpacer:
            return Width;
        default:
            return 0;
    }
}

namespace {
// Line heights and descents are 16-bit quantities; a measurer's answer is kept within them.
int ClampMetric(int v) { return static_cast<int>(std::clamp<std::int64_t>(std::abs(static_cast<std::int64_t>(v)), 0, 0xFFFF)); }

int FontLineHeight(TextMeasurer& m, const FontDesc& font, int& descent) {
    m.SetFont(font);
    const FontMetrics fm = m.Metrics();
    descent = std::clamp(fm.descent, 0, 0xFFFF);
    return ClampMetric(fm.height);
}
}  // namespace

int TElHTMLItem::ItemHeight(TextMeasurer& m, int& descent) {
    descent = 0;
    if (Kind == ikText) return FontLineHeight(m, Font(), descent);
    if (Kind == ikImage) return Height;
    return 0;
}

int TElHTMLBreakItem::ItemWidth(TextMeasurer& m) {
    if (Kind != ikListIndent && Kind != ikBullet) return 0;
    m.SetFont(Font());
    const FontMetrics fm = m.Metrics();
    return std::clamp(Kind == ikListIndent ? fm.maxCharWidth : fm.aveCharWidth, 0, 0xFFFF);
}

int TElHTMLBreakItem::ItemHeight(TextMeasurer& m, int& descent) {
    descent = 0;
    const bool measured = Kind == ikSoftBreak || Kind == ikLineBreak || Kind == ikBullet;
    if (!measured || !EndsEmptyLine) return 0;
    return FontLineHeight(m, Font(), descent);
}

// ---- parser -------------------------------------------------------------------------------

namespace {

struct FontRecord {
    TElFString FontName;
    int Height = 0;
    TColor Color = 0;
    TColor BgColor = 0;
};

using Attributes = std::vector<std::pair<TElFString, TElFString>>;

std::u16string_view Attr(const Attributes& attrs, std::u16string_view name) {
    for (const auto& [n, v] : attrs)
        if (n == name) return v;  // the first of a repeated name wins
    return {};
}

std::u16string_view Unquote(std::u16string_view v) {
    if (!v.empty() && (v.front() == u'"' || v.front() == u'\'')) {
        const char16_t q = v.front();
        v.remove_prefix(1);
        if (!v.empty() && v.back() == q) v.remove_suffix(1);
    }
    return v;
}

class MarkupParser {
public:
    MarkupParser(TElHTMLRender& render, TElHTMLData& data, std::u16string_view text, int maxWidth,
                 bool wordWrap)
        : render_(render), m_(render.Measurer()), data_(data), items_(data.Items), text_(text),
          maxWidth_(maxWidth), wordWrap_(wordWrap) {}

    void Run() {
        base_.FontName = data_.DefaultFontName;
        base_.Height = ClampFontHeight(data_.DefaultHeight);
        base_.Color = data_.DefaultColor;
        base_.BgColor = data_.DefaultBgColor;
        current_ = base_;
        cur_ = MakeText();
        cur_->FontName = base_.FontName;
        cur_->Size = base_.Height;
        cur_->Color = base_.Color;
        cur_->BgColor = base_.BgColor;
        cur_->Style = data_.DefaultStyle;

        while (pos_ < text_.size()) Step();

        if (cur_->HasContent()) items_.push_back(std::move(cur_));
        EnsureLeadingParagraph();
    }

private:
    std::unique_ptr<TElHTMLItem> MakeText() { return std::make_unique<TElHTMLItem>(&data_, ikText); }
    std::unique_ptr<TElHTMLBreakItem> MakeBreak(TElHTMLItemKind kind) {
        return std::make_unique<TElHTMLBreakItem>(&data_, kind);
    }

    void Step() {
        const char16_t c = text_[pos_];
        if (c == u'<') {
            ReadTag();
        } else if (c == u'\r') {
            pos_ += (pos_ + 1 < text_.size() && text_[pos_ + 1] == u'\n') ? 2 : 1;
        } else if (c == u'&') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == u' ') {
                ++pos_;
                AddChar(u'&');
            } else {
                ReadEntity();
            }
        } else if (c == u' ') {
            ++pos_;
            AddSpace();
        } else {
            ++pos_;
            AddChar(c);
        }
    }

    void ReadEntity() {
        const std::size_t start = pos_ + 1;
        std::size_t end = text_.find(u';', start);
        if (end == std::u16string_view::npos) end = text_.size();
        const std::u16string_view name = text_.substr(start, end - start);
        pos_ = std::min(end + 1, text_.size());
        if (!name.empty() && name.front() == u'#') {
            std::int32_t code = 0;
            if (!ParseInt(name.substr(1), code) || static_cast<char16_t>(code) == 32) {
                AddSpace();
            } else if (static_cast<char16_t>(code) != 0) {
                AddChar(static_cast<char16_t>(code));
            }
            return;
        }
        const TElFString lower = Lower(name);
        static constexpr std::pair<std::u16string_view, char16_t> kEntities[] = {
            {u"amp", u'&'},       {u"quot", u'"'},      {u"gt", u'>'},         {u"lt", u'<'},
            {u"euro", u'\u20AC'}, {u"sect", u'\u00A7'}, {u"reg", u'\u00AE'},   {u"copy", u'\u00A9'},
            {u"para", u'\u00B6'}, {u"trade", u'\u2122'},
        };
        if (lower == u"nbsp") {
            AddChar(u' ');
            return;
        }
        for (const auto& [n, ch] : kEntities) {
            if (lower == n) {
                AddChar(ch);
                return;
            }
        }
    }

    void AddSpace() {
        const TElFString& t = cur_->GetText();
        if (t.empty() || t.back() != u' ') AddChar(u' ');
    }

    void AddChar(char16_t c) {
        cur_->AppendChar(c, m_);
        if (wordWrap_) WrapIfTooWide();
    }

    // ---- lines and word wrap ----

    std::ptrdiff_t LastBreakIndex() const {
        for (std::size_t i = items_.size(); i-- > 0;)
            if (items_[i]->IsBreak()) return static_cast<std::ptrdiff_t>(i);
        return -1;
    }

    TElHTMLBreakItem* LastBreak() const {
        const auto i = LastBreakIndex();
        return i < 0 ? nullptr : static_cast<TElHTMLBreakItem*>(items_[static_cast<std::size_t>(i)].get());
    }

    // Indent of the line's break plus the widths of the finished items after it. Items are only
    // ever appended or cut from the end, so a running sum stays valid and keeps wrapping linear.
    std::int64_t LineWidthSoFar() {
        if (!lineCacheValid_ || items_.size() < lineCovered_) ResetLineCache();
        for (std::size_t i = lineCovered_; i < items_.size(); ++i) {
            if (items_[i]->IsBreak()) {
                lineSum_ = items_[i]->Indent;
                lineHasItems_ = false;
            } else {
                lineSum_ += items_[i]->ItemWidth(m_);
                lineHasItems_ = true;
            }
        }
        lineCovered_ = items_.size();
        return lineSum_;
    }

    void ResetLineCache() {
        const auto b = LastBreakIndex();
        lineCovered_ = b < 0 ? 0 : static_cast<std::size_t>(b);
        lineSum_ = 0;
        lineHasItems_ = false;
        lineCacheValid_ = true;
    }

    void TruncateItems(std::size_t size) {
        items_.resize(size);
        lineCacheValid_ = false;
        while (!nonLinks_.empty() && nonLinks_.back() >= size) nonLinks_.pop_back();
        nonLinksScanned_ = std::min(nonLinksScanned_, size);
    }

    // Each item index enters and leaves nonLinks_ at most once, so closing links stays linear
    // however long the link before it.
    const TElHTMLItem* LastNonLinkItem() {
        for (; nonLinksScanned_ < items_.size(); ++nonLinksScanned_)
            if (!(items_[nonLinksScanned_]->Flags & hifLink)) nonLinks_.push_back(nonLinksScanned_);
        return nonLinks_.empty() ? nullptr : items_[nonLinks_.back()].get();
    }

    void WrapIfTooWide() {
        const std::int64_t lineWidth = LineWidthSoFar();
        if (cur_->ItemWidth(m_) + lineWidth <= maxWidth_) return;

        const TElFString& text = cur_->GetText();
        TElFString head, tail;
        const auto space = text.rfind(u' ');
        if (space != TElFString::npos) {
            head = text.substr(0, space + 1);
            tail = text.substr(space + 1);
        } else if (!lineHasItems_) {
            head = text.substr(0, text.size() - 1);
            tail = text.substr(text.size() - 1);
        } else {
            tail = text;
        }
        const bool headEmpty = head.empty();
        cur_->SetText(std::move(head));

        auto soft = MakeBreak(ikSoftBreak);
        soft->CopyAttributes(*cur_);
        if (const TElHTMLBreakItem* last = LastBreak()) {
            soft->Alignment = last->Alignment;
            soft->ListLevel = last->ListLevel;
            soft->Spare = last->Spare;
        }
        auto next = MakeText();
        next->CopyAttributes(*soft);
        next->SetText(std::move(tail));

        if (!headEmpty) items_.push_back(std::move(cur_));
        items_.push_back(std::move(soft));
        cur_ = std::move(next);
    }

    // ---- runs ----

    void CommitIfContent() {
        if (cur_->HasContent()) Commit();
    }

    void Commit() {
        auto next = MakeText();
        next->CopyAttributes(*cur_);
        items_.push_back(std::move(cur_));
        cur_ = std::move(next);
    }

    // Finishes the current run and starts a new one with the same formatting.
    void NewRun() {
        auto next = MakeText();
        next->CopyAttributes(*cur_);
        if (cur_->HasContent()) items_.push_back(std::move(cur_));
        cur_ = std::move(next);
    }

    void ApplyRecord(const FontRecord& r) {
        cur_->FontName = r.FontName;
        cur_->Size = r.Height;
        cur_->Color = r.Color;
        cur_->BgColor = r.BgColor;
    }

    TElHTMLBreakItem& AddBreak(TElHTMLItemKind kind) {
        auto b = MakeBreak(kind);
        b->CopyAttributes(*cur_);
        auto& ref = *b;
        items_.push_back(std::move(b));
        return ref;
    }

    void DeleteTrailingLineBreak() {
        if (!items_.empty() && items_.back()->Kind == ikLineBreak) TruncateItems(items_.size() - 1);
    }

    int FontMaxCharWidth(const TElHTMLItem& item) {
        m_.SetFont(item.Font());
        return std::clamp(m_.Metrics().maxCharWidth, 0, 0xFFFF);
    }

    // ---- tags ----

    void ReadTag() {
        std::size_t j = pos_ + 1;
        TElFString name;
        while (j < text_.size() && text_[j] != u' ' && text_[j] != u'>') {
            name.push_back(text_[j++]);
            if (name == u"!--") {
                const auto close = text_.find(u"-->", j);
                pos_ = close == std::u16string_view::npos ? text_.size() : close + 3;
                return;
            }
        }
        if (j >= text_.size()) {  // cut off by the end of the text: dropped
            pos_ = text_.size();
            return;
        }
        Attributes attrs;
        bool hasAttributes = false;
        if (text_[j] == u' ') {
            hasAttributes = true;
            j = ReadAttributes(j + 1, attrs);
            if (j >= text_.size()) {
                pos_ = text_.size();
                return;
            }
        }
        pos_ = j + 1;
        ApplyTag(Lower(name), attrs, hasAttributes);
    }

    std::size_t ReadAttributes(std::size_t j, Attributes& attrs) {
        TElFString token;
        char16_t quote = 0;
        auto finish = [&] {
            const auto eq = token.find(u'=');
            if (eq != TElFString::npos) {
                TElFString name = Lower(Trim(std::u16string_view(token).substr(0, eq)));
                TElFString value(Trim(std::u16string_view(token).substr(eq + 1)));
                attrs.emplace_back(std::move(name), std::move(value));
            }
            token.clear();
        };
        for (; j < text_.size(); ++j) {
            const char16_t c = text_[j];
            if (quote) {
                if (c == quote) quote = 0;
                if (c == u' ' && !token.empty() && token.back() == u' ') continue;
                token.push_back(c);
            } else if (c == u'>') {
                break;
            } else if (c == u' ') {
                finish();
            } else {
                if (c == u'"' || c == u'\'') quote = c;
                token.push_back(c);
            }
        }
        finish();
        return j;
    }

    void SetStyleBit(TFontStyles bit, bool on) {
        NewRun();
        cur_->Style = on ? (cur_->Style | bit) : (cur_->Style & ~bit);
    }

    void SetFlag(std::uint32_t bit, bool on) {
        NewRun();
        cur_->Flags = on ? (cur_->Flags | bit) : (cur_->Flags & ~bit);
    }

    int FontHeight(std::u16string_view v, int current) {
        v = Trim(v);
        std::int32_t n = 0;
        if (!v.empty() && (v.front() == u'+' || v.front() == u'-')) {
            if (!ParseInt(v, n)) return ClampFontHeight(data_.DefaultHeight);
            const std::int64_t magnitude = std::abs(static_cast<std::int64_t>(data_.DefaultHeight)) +
                                           MulDiv(n, LogPixelsY(), 72);
            return ClampFontHeight(Sign(current) * magnitude);
        }
        return ClampFontHeight(ParseInt(v, n) ? n : data_.DefaultHeight);
    }

    int LogPixelsY() {
        if (logPixelsY_ == 0) logPixelsY_ = m_.LogPixelsY();
        return logPixelsY_;
    }

    // "#RRGGBB" becomes 0x00BBGGRR; a name gets the "cl" prefix and comes from the colour table.
    TColor ParseColor(std::u16string_view v, TColor invalidHex, TColor unknownName) {
        if (!v.empty() && v.front() == u'#') {
            std::int32_t n = 0;
            if (!ParseInt(v.substr(1), n, true)) return invalidHex;
            const std::uint32_t shifted = static_cast<std::uint32_t>(n) << 8;
            return ((shifted & 0xFF) << 24) | ((shifted & 0xFF00) << 8) | ((shifted >> 8) & 0xFF00) |
                   (shifted >> 24);
        }
        TElFString name(v);
        if (name.substr(0, 2) != u"cl") name = u"cl" + name;
        TColor c = unknownName;
        IdentToColor(name, c);
        return c;
    }

    void FontTag(const Attributes& a) {
        fontStack_.push_back(current_);
        FontRecord r;
        r.FontName = cur_->FontName;
        r.Height = cur_->Size;
        r.Color = cur_->Color;
        r.BgColor = cur_->BgColor;
        if (auto face = Unquote(Attr(a, u"face")); !face.empty()) r.FontName = TElFString(face);
        if (auto name = Unquote(Attr(a, u"name")); !name.empty()) r.FontName = TElFString(name);
        if (auto size = Unquote(Attr(a, u"size")); !size.empty()) r.Height = FontHeight(size, r.Height);
        const auto color = Unquote(Attr(a, u"color"));
        const auto bg = Unquote(Attr(a, u"bgcolor"));
        if (!color.empty()) r.Color = ParseColor(color, data_.DefaultColor, r.Color);
        if (!bg.empty()) r.BgColor = ParseColor(bg, data_.DefaultBgColor, r.BgColor);
        current_ = r;
        NewRun();
        if (!color.empty() || !bg.empty()) ++cur_->ColorDepth;
        ApplyRecord(current_);
    }

    void FontEndTag() {
        bool colourChanged = false;
        if (!fontStack_.empty()) {
            const FontRecord popped = fontStack_.back();
            fontStack_.pop_back();
            colourChanged = popped.Color != current_.Color || popped.BgColor != current_.BgColor;
            current_ = popped;
        }
        NewRun();
        if (colourChanged) --cur_->ColorDepth;
        ApplyRecord(current_);
    }

    void LinkTag(const Attributes& a) {
        Commit();  // even an empty run is kept, so a link always starts a run of its own
        cur_->Flags |= hifLink;
        cur_->LinkRef = TElFString(Unquote(Attr(a, u"href")));
        cur_->Color = data_.LinkColor;
        cur_->Style = data_.LinkStyle;
    }

    void LinkEndTag() {
        NewRun();
        cur_->LinkRef.clear();
        cur_->Flags &= ~hifLink;
        const TElHTMLItem* before = LastNonLinkItem();
        cur_->Style = before ? before->Style : data_.DefaultStyle;
        cur_->Color = before ? before->Color : data_.DefaultColor;
    }

    void LineBreakTag() {
        NewRun();
        const TElHTMLBreakItem* last = LastBreak();
        const std::uint16_t alignment = last ? last->Alignment : 0;
        AddBreak(ikLineBreak).Alignment = alignment;
    }

    void ParagraphTag(const Attributes& a, bool closing) {
        if (!items_.empty() && items_.back()->Kind == ikLineBreak &&
            (items_.back()->Flags & hifClosedParagraph)) {
            if (!closing) items_.back()->Flags &= ~hifClosedParagraph;
            return;
        }
        NewRun();
        auto& p = AddBreak(ikParagraph);
        // An opening paragraph keeps a closed flag its run carries: the flag lives on until a
        // paragraph tag right after a line break consumes it.
        if (closing) p.Flags |= hifClosedParagraph;
        const TElFString align = Lower(Unquote(Attr(a, u"align")));
        p.Alignment = align == u"center" ? 1 : align == u"right" ? 2 : 0;
        if (auto indent = Unquote(Attr(a, u"indent")); !indent.empty()) p.Indent = ClampIndent(IntOr(indent, 0));
        cur_->CopyAttributes(p);
    }

    bool IsBlankText(const TElHTMLItem& item) const {
        return item.Kind == ikText && Trim(item.GetText()).empty();
    }

    void ListStartTag() {
        // A list opening right after a line break takes that line's place, so the list does not
        // start with an empty line.
        const auto b = LastBreakIndex();
        if (b >= 0 && IsBlankText(*cur_)) {
            const auto& br = *items_[static_cast<std::size_t>(b)];
            bool allBlank = br.Kind == ikSoftBreak || br.Kind == ikLineBreak;
            for (std::size_t i = static_cast<std::size_t>(b) + 1; allBlank && i < items_.size(); ++i)
                allBlank = IsBlankText(*items_[i]);
            if (allBlank) TruncateItems(static_cast<std::size_t>(b));
        }
        CommitIfContent();
        ++listDepth_;
        auto& indent = AddBreak(ikListIndent);
        indent.Indent = ClampIndent(static_cast<std::int64_t>(indent.Indent) + indent.ItemWidth(m_));
        cur_->Indent = indent.Indent;
    }

    void ListEndTag() {
        CommitIfContent();
        --listDepth_;
        cur_->Indent = ClampIndent(static_cast<std::int64_t>(cur_->Indent) - FontMaxCharWidth(*cur_));
        DeleteTrailingLineBreak();
        AddBreak(ikLineBreak);
    }

    void ListItemTag() {
        CommitIfContent();
        DeleteTrailingLineBreak();
        auto& bullet = AddBreak(ikBullet);
        bullet.ListLevel = listDepth_;
        bullet.Spare = -1;
    }

    void RuleTag(const Attributes& a) {
        CommitIfContent();
        AddBreak(ikLineBreak);
        auto rule = MakeText();
        rule->Kind = ikRule;
        rule->CopyAttributes(*cur_);
        rule->Width = ClampSize(IntOr(Unquote(Attr(a, u"width")), 0));
        items_.push_back(std::move(rule));
        AddBreak(ikLineBreak);
    }

    void ImageTag(const Attributes& a) {
        const auto src = Unquote(Attr(a, u"src"));
        if (src.empty()) return;
        NewRun();
        auto img = MakeText();
        img->CopyAttributes(*cur_);
        img->Kind = ikImage;
        img->SetText(TElFString(src));
        const TElHTMLImage* image = nullptr;
        render_.ImageNeeded(img->GetText(), image);
        img->Width = ClampSize(IntOr(Unquote(Attr(a, u"width")), image ? image->Width() : 0));
        img->Height = ClampSize(IntOr(Unquote(Attr(a, u"height")), image ? image->Height() : 0));
        img->Transparent = Unquote(Attr(a, u"transparent")) != u"solid";
        items_.push_back(std::move(img));
    }

    void SpacerTag(const Attributes& a) {
        const auto width = Unquote(Attr(a, u"width"));
        if (width.empty()) return;
        NewRun();
        auto spacer = MakeText();
        spacer->CopyAttributes(*cur_);
        spacer->Kind = ikSpacer;
        spacer->Width = ClampSize(IntOr(width, 0));
        if (Lower(Unquote(Attr(a, u"pos"))) == u"abs")
            spacer->Flags |= hifAbsolute;
        else
            spacer->Flags &= ~hifAbsolute;
        items_.push_back(std::move(spacer));
    }

    void ApplyTag(const TElFString& name, const Attributes& a, bool hasAttributes) {
        if (name == u"b" || name == u"/b") return SetStyleBit(fsBold, name[0] != u'/');
        if (name == u"i" || name == u"/i") return SetStyleBit(fsItalic, name[0] != u'/');
        if (name == u"u" || name == u"/u") return SetStyleBit(fsUnderline, name[0] != u'/');
        if (name == u"strikeout" || name == u"/strikeout") return SetStyleBit(fsStrikeOut, name[0] != u'/');
        if (name == u"sub" || name == u"/sub") return SetFlag(hifSubscript, name[0] != u'/');
        if (name == u"sup" || name == u"/sup") return SetFlag(hifSuperscript, name[0] != u'/');
        if (name == u"font") return FontTag(a);
        if (name == u"/font") return FontEndTag();
        if (name == u"a") {
            if (hasAttributes) LinkTag(a);
            return;
        }
        if (name == u"/a") return LinkEndTag();
        if (name == u"br") return LineBreakTag();
        if (name == u"p" || name == u"/p") return ParagraphTag(a, name[0] == u'/');
        if (name == u"ul") return ListStartTag();
        if (name == u"/ul") return ListEndTag();
        if (name == u"li") return ListItemTag();
        if (name == u"hr") return RuleTag(a);
        if (name == u"img") return ImageTag(a);
        if (name == u"ind") return SpacerTag(a);
        // "html" and unknown tags are ignored; text inside them shows as ordinary text.
    }

    void EnsureLeadingParagraph() {
        if (items_.empty() || items_.front()->IsBreak()) return;
        auto p = MakeBreak(ikParagraph);
        p->FontName = data_.DefaultFontName;
        p->Size = ClampFontHeight(data_.DefaultHeight);
        p->Color = data_.DefaultColor;
        p->BgColor = data_.DefaultBgColor;
        p->Style = data_.DefaultStyle;
        items_.insert(items_.begin(), std::move(p));
    }

    TElHTMLRender& render_;
    TextMeasurer& m_;
    TElHTMLData& data_;
    std::vector<std::unique_ptr<TElHTMLItem>>& items_;
    std::u16string_view text_;
    int maxWidth_;
    bool wordWrap_;
    std::size_t pos_ = 0;
    std::unique_ptr<TElHTMLItem> cur_;
    FontRecord base_;
    FontRecord current_;
    std::vector<FontRecord> fontStack_;
    int listDepth_ = 0;
    int logPixelsY_ = 0;
    std::size_t lineCovered_ = 0;
    std::int64_t lineSum_ = 0;
    bool lineHasItems_ = false;
    bool lineCacheValid_ = false;
    std::vector<std::size_t> nonLinks_;  // indices of the items without the link flag
    std::size_t nonLinksScanned_ = 0;
};

void LayOut(TElHTMLData& data, TextMeasurer& m) {
    auto& items = data.Items;
    std::int64_t textWidth = 0, textHeight = 0;
    std::size_t i = 0;
    while (i < items.size()) {
        auto& lineBreak = static_cast<TElHTMLBreakItem&>(*items[i]);
        std::int64_t lineWidth = 0;
        int lineHeight = 0, lineDescent = 0;
        std::size_t j = i;
        do {
            TElHTMLItem& item = *items[j];
            if (item.IsBreak()) {
                auto& br = static_cast<TElHTMLBreakItem&>(item);
                br.EndsEmptyLine = j + 1 == items.size() || items[j + 1]->IsBreak();
            }
            item.Width = item.ItemWidth(m);
            lineWidth += item.Width;
            int descent = 0;
            int h = item.ItemHeight(m, descent);
            if (item.Kind == ikSpacer && (item.Flags & hifAbsolute)) lineWidth = item.Width;
            if (item.Kind == ikText && (item.Flags & hifSubscript)) {
                descent += h / 4;
                h += h / 4;
            } else if (item.Kind == ikText && (item.Flags & hifSuperscript)) {
                descent -= h / 2;
                h += 2 * h / 3;
            }
            item.Height = h;
            lineDescent = std::max(lineDescent, descent);
            lineHeight = std::max(lineHeight, h);
            ++j;
        } while (j < items.size() && !items[j]->IsBreak());
        lineBreak.Descent = lineDescent;
        lineBreak.Height = lineHeight;
        lineBreak.Width = SaturateInt(lineBreak.Indent + lineWidth);
        textWidth = std::max<std::int64_t>(textWidth, lineBreak.Width);
        textHeight += lineHeight;
        i = j;
    }
    data.TextWidth = SaturateInt(textWidth);
    data.TextHeight = SaturateInt(textHeight);
}

}  // namespace

// ---- render -------------------------------------------------------------------------------

TElHTMLRender::TElHTMLRender(std::unique_ptr<TextMeasurer> measurer)
    : measurer_(std::move(measurer)), owned_(this), current_(&owned_) {}

void TElHTMLRender::ParseMarkup(std::u16string_view text, int maxWidth, bool wordWrap) {
    ParseMarkupInto(text, maxWidth, *current_, wordWrap);
}

void TElHTMLRender::ParseMarkupInto(std::u16string_view text, int maxWidth, TElHTMLData& data,
                                    bool wordWrap) {
    TElHTMLData* const previous = current_;
    current_ = &data;
    data.Items.clear();
    data.SelectedItem = nullptr;
    data.TextWidth = data.TextHeight = 0;
    try {
        MarkupParser(*this, data, text, maxWidth, wordWrap).Run();
        LayOut(data, *measurer_);
    } catch (const std::exception&) {
        data.Items.clear();
        data.TextWidth = data.TextHeight = 0;
        current_ = previous;
        throw EElHTMLError();
    }
    current_ = previous;
}

void TElHTMLRender::ImageNeeded(const TElFString& src, const TElHTMLImage*& image) {
    image = nullptr;
    if (OnImageNeeded) OnImageNeeded(*this, src, image);
}

int TElHTMLRender::LineStartX(const TElHTMLBreakItem& lineBreak, int areaWidth) {
    const int wide = std::max(lineBreak.Width, areaWidth);
    switch (lineBreak.Alignment) {
        case 1:
            return SaturateInt((static_cast<std::int64_t>(wide) - 1 - lineBreak.Width) / 2);
        case 2:
            return SaturateInt(static_cast<std::int64_t>(wide) - lineBreak.Width - 1);
        default:
            return lineBreak.Indent;
    }
}

TElHTMLItem* TElHTMLRender::ItemAtPoint(HTMLPoint point, HTMLPoint origin, const HTMLRect& rect) {
    auto& items = current_->Items;
    const std::int64_t px = static_cast<std::int64_t>(point.x) + origin.x;
    const std::int64_t py = static_cast<std::int64_t>(point.y) + origin.y;
    std::int64_t lineBottom = 0;
    std::size_t i = 0;
    while (i < items.size()) {
        const auto& lineBreak = static_cast<const TElHTMLBreakItem&>(*items[i]);
        std::size_t end = i + 1;
        while (end < items.size() && !items[end]->IsBreak()) ++end;
        lineBottom += lineBreak.Height;
        if (lineBottom > py) {
            std::int64_t x = LineStartX(lineBreak, SaturateInt(static_cast<std::int64_t>(rect.Right) - rect.Left));
            for (std::size_t j = i + 1; j < end; ++j) {
                TElHTMLItem& item = *items[j];
                int h = item.Height;
                if (item.Kind == ikText && (item.Flags & (hifSubscript | hifSuperscript))) {
                    int descent = 0;
                    h = item.ItemHeight(*measurer_, descent);
                }
                const int s = (item.Kind == ikText && (item.Flags & hifSuperscript)) ? h / 2 : 0;
                if (x <= px && px <= x + item.Width && py >= lineBottom - h - s && py <= lineBottom - s)
                    return &item;
                x = (item.Kind == ikSpacer && (item.Flags & hifAbsolute)) ? item.Width : x + item.Width;
            }
            return nullptr;
        }
        i = end;
    }
    return nullptr;
}

bool TElHTMLRender::LinkAtPoint(HTMLPoint point, HTMLPoint origin, TElFString& href, const HTMLRect& rect) {
    href.clear();
    const TElHTMLItem* item = ItemAtPoint(point, origin, rect);
    if (!item || !(item->Flags & hifLink)) return false;
    href = item->LinkRef;
    return true;
}

}  // namespace trimwell
