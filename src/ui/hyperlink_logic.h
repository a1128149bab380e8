#pragma once

#include <string>

#include "ui/ui_types.h"

namespace reef {

inline constexpr ColorRef kLinkColor = 0xEE0000;
inline constexpr ColorRef kVisitedLinkColor = 0x8B1A55;

// Results of opening a link, in the numbering the error messages are keyed by: above 32 is
// success. A browser that could not be started counts as "no application associated".
inline constexpr int kLinkOpened = 33;
inline constexpr int kLinkNoAssociation = 31;

// The text colour of a link: hover colour while hovering, else visited, else the link colour.
ColorRef LinkTextColor(bool hover, bool visited, ColorRef hoverColor);

// The message for a failed open result (0 to 32), e.g. 2 -> "The specified file was not found.".
std::string LinkErrorMessage(int result);

// The whole text shown when a link cannot be opened: "Unable to open hyperlink:\n\n" and the
// message for `result`.
std::string LinkFailureText(int result);

// Horizontal or vertical position of a control that shrinks or grows from `oldSize` to
// `newSize` along one axis and stays anchored as its text is aligned.
enum class LinkAnchor { kStart, kCenter, kEnd };
int AnchoredPosition(int oldPos, int oldSize, int newSize, LinkAnchor anchor);

}  // namespace reef
