#pragma once
// The keys of a skin archive's four groups, numbered from 0 in the order of these lists. Each
// list is the one table of the group: it gives the name a key has in the archive and the constant
// the code uses for it, so a constant cannot drift from its name.
//   theme.GetColor(kSkin2ScrollBarColor)     // the colour key "SKIN2_SCROLLBARCOLOR"

namespace trimwell {

#define TRIMWELL_SKIN2_COLOR_KEYS(X) \
    X(kSkin2TransColor, "SKIN2_TRANSCOLOR") \
    X(kSkin2TitleFontColor, "SKIN2_TITLEFONTCOLOR") \
    X(kSkin2FormColor, "SKIN2_FORMCOLOR") \
    X(kSkin2MenuBarStartColor, "SKIN2_MENUBARSTARTCOLOR") \
    X(kSkin2MenuBarEndColor, "SKIN2_MENUBARENDCOLOR") \
    X(kSkin2TopSelectedMenuColor, "SKIN2_TOPSELECTEDMENUCOLOR") \
    X(kSkin2TopSelectedMenuBorderColor, "SKIN2_TOPSELECTEDMENUBORDERCOLOR") \
    X(kSkin2TopSelectedMenuFontColor, "SKIN2_TOPSELECTEDMENUFONTCOLOR") \
    X(kSkin2TopMenuFontColor, "SKIN2_TOPMENUFONTCOLOR") \
    X(kSkin2LeftBarStartColor, "SKIN2_LEFTBARSTARTCOLOR") \
    X(kSkin2LeftBarEndColor, "SKIN2_LEFTBARENDCOLOR") \
    X(kSkin2MenuItemColor, "SKIN2_MENUITEMCOLOR") \
    X(kSkin2MenuItemFontColor, "SKIN2_MENUITEMFONTCOLOR") \
    X(kSkin2SelectedMenuColor, "SKIN2_SELECTEDMENUCOLOR") \
    X(kSkin2SelectedMenuBorderColor, "SKIN2_SELECTEDMENUBORDERCOLOR") \
    X(kSkin2SelectedMenuFontColor, "SKIN2_SELECTEDMENUFONTCOLOR") \
    X(kSkin2ToolBarStartColor, "SKIN2_TOOLBARSTARTCOLOR") \
    X(kSkin2ToolBarEndColor, "SKIN2_TOOLBARENDCOLOR") \
    X(kSkin2ToolBarOnColor, "SKIN2_TOOLBARONCOLOR") \
    X(kSkin2ToolBarBorderColor, "SKIN2_TOOLBARBORDERCOLOR") \
    X(kSkin2ToolBarDownColor, "SKIN2_TOOLBARDOWNCOLOR") \
    X(kSkin2ControlColor, "SKIN2_CONTROLCOLOR") \
    X(kSkin2ControlBorderColor, "SKIN2_CONTROLBORDERCOLOR") \
    X(kSkin2ControlFontColor, "SKIN2_CONTROLFONTCOLOR") \
    X(kSkin2ButtonFontColor, "SKIN2_BUTTONFONTCOLOR") \
    X(kSkin2ScrollBarColor, "SKIN2_SCROLLBARCOLOR") \
    X(kSkin2TabcontrolColor, "SKIN2_TABCONTROLCOLOR") \
    X(kSkin2TabcontrolBorderColor, "SKIN2_TABCONTROLBORDERCOLOR") \
    X(kSkin2TabcontrolActiveFontColor, "SKIN2_TABCONTROLACTIVEFONTCOLOR") \
    X(kSkin2TabcontrolInactiveFontColor, "SKIN2_TABCONTROLINACTIVEFONTCOLOR") \
    X(kSkin2SideChannelColor, "SKIN2_SIDECHANNELCOLOR") \
    X(kSkin2SideChannelBorderColor, "SKIN2_SIDECHANNELBORDERCOLOR")

#define TRIMWELL_SKIN2_BITMAP_KEYS(X) \
    X(kSkin2TitleBar1, "SKIN2_TITLEBAR1") \
    X(kSkin2TitleBar2, "SKIN2_TITLEBAR2") \
    X(kSkin2TitleBar3, "SKIN2_TITLEBAR3") \
    X(kSkin2TitleBar4, "SKIN2_TITLEBAR4") \
    X(kSkin2TitleBar5, "SKIN2_TITLEBAR5") \
    X(kSkin2FormLeftBorder, "SKIN2_FORMLEFTBORDER") \
    X(kSkin2FormRightBorder, "SKIN2_FORMRIGHTBORDER") \
    X(kSkin2FormBottomBorder1, "SKIN2_FORMBOTTOMBORDER1") \
    X(kSkin2FormBottomBorder2, "SKIN2_FORMBOTTOMBORDER2") \
    X(kSkin2FormBottomBorder3, "SKIN2_FORMBOTTOMBORDER3") \
    X(kSkin2MinimizedTitle, "SKIN2_MINIMIZEDTITLE") \
    X(kSkin2TitleButtons, "SKIN2_TITLEBUTTONS") \
    X(kSkin2CheckedMenuIcon, "SKIN2_CHECKEDMENUICON") \
    X(kSkin2MenuBar, "SKIN2_MENUBAR") \
    X(kSkin2ToolBar, "SKIN2_TOOLBAR") \
    X(kSkin2Button, "SKIN2_BUTTON") \
    X(kSkin2CheckBox, "SKIN2_CHECKBOX") \
    X(kSkin2CheckBoxList, "SKIN2_CHECKBOXLIST") \
    X(kSkin2RadioButton, "SKIN2_RADIOBUTTON") \
    X(kSkin2ProgressBar1, "SKIN2_PROGRESSBAR1") \
    X(kSkin2ProgressBar2, "SKIN2_PROGRESSBAR2") \
    X(kSkin2ProgressBar3, "SKIN2_PROGRESSBAR3") \
    X(kSkin2ProgressBar4, "SKIN2_PROGRESSBAR4") \
    X(kSkin2TrackBar, "SKIN2_TRACKBAR") \
    X(kSkin2TrackBarSlider, "SKIN2_TRACKBARSLIDER") \
    X(kSkin2TrackBarVSlider, "SKIN2_TRACKBARVSLIDER") \
    X(kSkin2ScrollBarUpButton, "SKIN2_SCROLLBARUPBUTTON") \
    X(kSkin2ScrollBar, "SKIN2_SCROLLBAR") \
    X(kSkin2ScrollBarDownButton, "SKIN2_SCROLLBARDOWNBUTTON") \
    X(kSkin2Tabcontrol, "SKIN2_TABCONTROL") \
    X(kSkin2TabcontrolLine, "SKIN2_TABCONTROLLINE") \
    X(kSkin2SideChannelBar, "SKIN2_SIDECHANNELBAR") \
    X(kSkin2SideChannelTitle, "SKIN2_SIDECHANNELTITLE") \
    X(kSkin2ScrollButton, "SKIN2_SCROLLBUTTON")

#define TRIMWELL_SKIN2_INTEGER_KEYS(X) \
    X(kSkin2TitleBarIconPosX, "SKIN2_TITLEBARICONPOSX") \
    X(kSkin2TitleBarIconPosY, "SKIN2_TITLEBARICONPOSY") \
    X(kSkin2TitleBarCaptionTop, "SKIN2_TITLEBARCAPTIONTOP") \
    X(kSkin2TitleBarButtonPosX, "SKIN2_TITLEBARBUTTONPOSX") \
    X(kSkin2TitleBarButtonPosY, "SKIN2_TITLEBARBUTTONPOSY") \
    X(kSkin2TitleBarRegionMinY, "SKIN2_TITLEBARREGIONMINY") \
    X(kSkin2TitleBarRegionMaxY, "SKIN2_TITLEBARREGIONMAXY") \
    X(kSkin2BottomRegionMinY, "SKIN2_BOTTOMREGIONMINY") \
    X(kSkin2BottomRegionMaxY, "SKIN2_BOTTOMREGIONMAXY")

#define TRIMWELL_SKIN2_BOOLEAN_KEYS(X) \
    X(kSkin2TitleFiveSect, "SKIN2_TITLEFIVESECT") \
    X(kSkin2BottomBorderThreeSect, "SKIN2_BOTTOMBORDERTHREESECT") \
    X(kSkin2TitleBarNeedRegion, "SKIN2_TITLEBARNEEDREGION") \
    X(kSkin2BottomBorderNeedRegion, "SKIN2_BOTTOMBORDERNEEDREGION") \
    X(kSkin2TitleBtnTrans, "SKIN2_TITLEBTNTRANS") \
    X(kSkin2ButtonTrans, "SKIN2_BUTTONTRANS") \
    X(kSkin2CheckBoxTrans, "SKIN2_CHECKBOXTRANS") \
    X(kSkin2RadioButtonTrans, "SKIN2_RADIOBUTTONTRANS") \
    X(kSkin2TabcontrolTrans, "SKIN2_TABCONTROLTRANS")

enum Skin2ColorKey : int {
#define TRIMWELL_SKIN2_CONSTANT(constant, name) constant,
    TRIMWELL_SKIN2_COLOR_KEYS(TRIMWELL_SKIN2_CONSTANT)
#undef TRIMWELL_SKIN2_CONSTANT
};

enum Skin2BitmapKey : int {
#define TRIMWELL_SKIN2_CONSTANT(constant, name) constant,
    TRIMWELL_SKIN2_BITMAP_KEYS(TRIMWELL_SKIN2_CONSTANT)
#undef TRIMWELL_SKIN2_CONSTANT
};

enum Skin2IntegerKey : int {
#define TRIMWELL_SKIN2_CONSTANT(constant, name) constant,
    TRIMWELL_SKIN2_INTEGER_KEYS(TRIMWELL_SKIN2_CONSTANT)
#undef TRIMWELL_SKIN2_CONSTANT
};

enum Skin2BooleanKey : int {
#define TRIMWELL_SKIN2_CONSTANT(constant, name) constant,
    TRIMWELL_SKIN2_BOOLEAN_KEYS(TRIMWELL_SKIN2_CONSTANT)
#undef TRIMWELL_SKIN2_CONSTANT
};

}  // namespace trimwell
