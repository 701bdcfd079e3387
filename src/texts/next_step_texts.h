#pragma once

// The labels of the next-step options under the left column's panel. The
// labels of most shapes are made from the three circle labels by putting the
// shape's word in place of kWordCircle (edit_texts.h).

namespace vlm::texts {

inline constexpr const char16_t* kStepInsertNewItem = u"Insert new item";
inline constexpr const char16_t* kStepDrawNextLine = u"Draw next line";
inline constexpr const char16_t* kStepFineTuneLine = u"Fine-tune this line";
inline constexpr const char16_t* kStepMoveLine = u"Move this line";
inline constexpr const char16_t* kStepStartNewText = u"Start new text";
inline constexpr const char16_t* kStepFineTuneText = u"Fine-tune this text";
inline constexpr const char16_t* kStepMoveText = u"Move this text";
inline constexpr const char16_t* kStepStartNewTriangle = u"Start new triangle";
inline constexpr const char16_t* kStepMoveTriangle = u"Move this triangle";
inline constexpr const char16_t* kStepStartNewSquare = u"Start new square";
inline constexpr const char16_t* kStepMoveSquare = u"Move this square";
inline constexpr const char16_t* kStepStartNewRectangle = u"Start new rectangle";
inline constexpr const char16_t* kStepMoveRectangle = u"Move this rectangle";
inline constexpr const char16_t* kStepStartNewCircle = u"Start new circle";
inline constexpr const char16_t* kStepFineTuneCircle = u"Fine-tune this circle";
inline constexpr const char16_t* kStepMoveCircle = u"Move this circle";
inline constexpr const char16_t* kStepInsertNewPicture = u"Insert new picture";
inline constexpr const char16_t* kStepInsertNewClip = u"Insert new clip";
inline constexpr const char16_t* kStepEditClip = u"Edit this clip";

// The words put in place of kWordCircle (with kWordEllipse, kWordPolygon and
// kWordSpline of the editing texts).
inline constexpr const char16_t* kWordStar = u"star";
inline constexpr const char16_t* kWordPie = u"pie";
inline constexpr const char16_t* kWordSolid = u"solid";
inline constexpr const char16_t* kWordArc = u"arc";
inline constexpr const char16_t* kWordCurve = u"curve";
inline constexpr const char16_t* kWordOblong = u"oblong";
inline constexpr const char16_t* kWordClip = u"clip";

} // namespace vlm::texts
