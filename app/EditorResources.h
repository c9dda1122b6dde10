#pragma once
// Names and numbers of the editor's resources, shared by the code and EditorResources.rc.
#ifndef RC_INVOKED
#include <string>
#endif

#define IDS_SIMULATOR_NOT_FOUND 100
#define IDS_FILE_NOT_FOUND 101

#ifndef RC_INVOKED
namespace trimwell {

inline constexpr unsigned kSimulatorNotFoundText = IDS_SIMULATOR_NOT_FOUND;
inline constexpr unsigned kFileNotFoundText = IDS_FILE_NOT_FOUND;
inline constexpr const char* kMainPictureName = "MAINPICTURE";
inline constexpr const char* kDialogPictureName = "DIALOGPICTURE";
inline constexpr const char* kFramePictureName = "FRAMEPICTURE";
inline constexpr const char* kTreeIconsName = "TREEICONS";
// The title buttons' image-list streams.
inline constexpr const char* kCloseListName = "IMGLISTCLOSE";
inline constexpr const char* kCloseHotListName = "IMGLISTCLOSEHOT";
inline constexpr const char* kCloseDownListName = "IMGLISTCLOSEDOWN";
inline constexpr const char* kMinimizeListName = "IMGLISTMIN";
inline constexpr const char* kMinimizeHotListName = "IMGLISTMINHOT";
inline constexpr const char* kMinimizeDownListName = "IMGLISTMINDOWN";
inline constexpr const char* kWarningIconName = "WARNINGICON";

}  // namespace trimwell
#endif
