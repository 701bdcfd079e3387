#pragma once

// The words the Settings start with: the names of the user's own list
// entries before they are renamed, and the remembered folders of a new user.

namespace vlm::texts {

// A fresh entry is called by its list's word, a blank and its letter A..L.
inline constexpr const char16_t* kCustomWeightName = u"Weight";
inline constexpr const char16_t* kCustomPatternName = u"Pattern";
inline constexpr const char16_t* kCustomAngleName = u"Angle";
inline constexpr const char16_t* kCustomSizeName = u"Size";
inline constexpr const char16_t* kCustomShadowName = u"Shadow";

inline constexpr const char16_t* kDefaultDocumentFolder = u"\\My Documents";
inline constexpr const char16_t* kDefaultPictureFolder = u"\\My Documents\\My Pictures";
inline constexpr const char16_t* kDefaultExportFolder = u"\\My Documents\\My Pictures";

inline constexpr const char16_t* kDefaultTextFont = u"Arial";
inline constexpr const char16_t* kDefaultInterfaceFont = u"Verdana";

} // namespace vlm::texts
