#pragma once

// The words of rendering a document to a picture from the command line.

namespace vlm::texts {

inline constexpr const char* kBadZoom = "--zoom needs a number from 0.01 to 3";
inline constexpr const char* kPageTooLarge = "the page is too large to render at this zoom: ";
inline constexpr const char* kNoPage = "the document has no page to render";
inline constexpr const char* kPixels = " pixels";

} // namespace vlm::texts
