#pragma once
// TCustomElLabel: the windowless base of the rich labels. Its caption and hint are wide
// strings; the 8-bit caption and hint of the control follow them (the hint in the packed form
// that carries both). Plain text is drawn with the wide-character DrawText.
#include <windows.h>

#include <string>

#include "framework/Controls_win.h"
#include "labels/ElLabelDraw_win.h"

namespace trimwell {

class TCustomElLabel : public TGraphicControl {
public:
    explicit TCustomElLabel(TComponent* owner);
    const PropertyTable& Published() const override;
    static const PropertyTable& StaticPublished();

    const TElFString& Caption() const { return caption_; }
    virtual void SetCaption(const TElFString& caption);
    // Layouts store wide texts as std::wstring, which is UTF-16 on this platform.
    void SetCaptionW(std::wstring caption);
    // 8-bit text from the rest of the program, widened with the system code page.
    void SetCaptionAnsi(std::string_view caption);
    const TElFString& Hint() const { return hint_; }
    void SetHint(const TElFString& hint);
    void SetHintW(std::wstring hint);
    // 8-bit hints from layouts, widened with the system code page.
    void SetHintAnsi(std::string hint);
    // An empty wide hint shows nothing; otherwise the hint window gets the packed hint.
    bool HintShow(std::string& hintText) override;

    int BorderWidth() const { return frame_.borderWidth; }
    void SetBorderWidth(int v);
    bool Transparent() const { return frame_.transparent; }
    void SetTransparent(bool v);
    bool EndEllipsis() const { return endEllipsis_; }
    void SetEndEllipsis(bool v);
    bool UseXPThemes() const { return useXPThemes_; }
    void SetUseXPThemes(bool v) { useXPThemes_ = v; }  // this build draws without visual styles

    TLabelAlignment Alignment() const { return frame_.alignment; }
    void SetAlignment(TLabelAlignment v);
    bool AutoSize() const { return autoSize_; }
    virtual void SetAutoSize(bool v);
    TTextLayout Layout() const { return frame_.layout; }
    void SetLayout(TTextLayout v);
    bool WordWrap() const { return frame_.wordWrap; }
    virtual void SetWordWrap(bool v);
    bool ShowAccelChar() const { return showAccelChar_; }
    void SetShowAccelChar(bool v);

    void Paint(TCanvas& canvas) override;
    void Loaded() override;
    // A label renamed while its caption still reads its old name takes the new one, as a label
    // just dropped on a form shows its name until it is given a caption.
    void NameChanged(const std::string& oldName) override;

    // Draws the caption into r, or with DT_CALCRECT measures it. The DC holds the label's font.
    virtual void DoDrawText(HDC dc, RECT& r, UINT flags);
    // Sizes the label to its text when AutoSize is on.
    virtual void AdjustBounds();

protected:
    void TextChanged() override;
    void FontChanged() override;
    LabelFrame Frame() const;
    ElLabelLook PlainLook() const;

private:
    TElFString caption_;
    TElFString hint_;
    // Border, alignment, layout, wrapping and transparency; size and colour are the control's.
    LabelFrame frame_;
    bool endEllipsis_ = false;
    bool useXPThemes_ = true;
    bool autoSize_ = true;
    bool showAccelChar_ = true;
};

}  // namespace trimwell
